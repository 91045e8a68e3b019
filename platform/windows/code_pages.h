// The program's bytes are code page 437 (the box frame, accented letters typed
// and echoed), but a console may be set to 850 or 65001. Code page 437 is held
// for the run, and the console gets its own code pages back on every way out.
#pragma once

// Sets input and output code pages to 437 and arranges their return at exit,
// on Ctrl+Break and when the console window is closed. Nothing without a console.
void HoldCodePage437();

// Gives the previous code pages back; safe to call more than once.
void GiveBackCodePages();
