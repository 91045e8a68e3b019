// Unmasking floating-point exceptions so that they trap, for tests that show a
// computation raises none. The C library of each side does it its own way.
#pragma once

// The exceptions (FE_* flags) that trap now.
int EnabledTraps();

void EnableTraps(int exceptions);
void DisableTraps();
