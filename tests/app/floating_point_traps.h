// Unmasking floating-point exceptions in a test, so that one raised ends the process with
// SIGFPE. The C library's way to do it is not portable; the platform's settings are.
#pragma once

// Unmasks the exceptions given as FE_ flags; false where this processor cannot trap.
bool EnableFloatingPointTraps(int exceptions);

// Masks every exception again.
void DisableFloatingPointTraps();

// The FE_ flags of the exceptions now unmasked.
int EnabledFloatingPointTraps();
