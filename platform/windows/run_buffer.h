// A console shared with the shell that started us keeps the user's screen
// buffer: the run draws in a buffer of its own, sized as the program sizes it
// (80 x 25), and the user's buffer, its width and every line of its scrollback
// are never touched until the run ends. Then the final screen is written into
// the user's buffer below the cursor, so that the results stay visible there,
// as they do on a terminal.
#pragma once

// Makes a fresh screen buffer the active one, and the standard output and
// error handles that stood for the user's buffer stand for it (the console
// layer writes through them). False, and nothing changed, when it cannot.
bool OpenRunBuffer();

// Makes the user's buffer active again, points the standard handles back at it,
// writes the run's final screen into it below its cursor, and closes the run's
// buffer. Does nothing unless OpenRunBuffer succeeded; safe to call again.
void CloseRunBuffer();
