#include "fp_traps.h"

#include <cfenv>

int EnabledTraps() {
    return fegetexcept();
}

void EnableTraps(int exceptions) {
    feenableexcept(exceptions);
}

void DisableTraps() {
    fedisableexcept(FE_ALL_EXCEPT);
}
