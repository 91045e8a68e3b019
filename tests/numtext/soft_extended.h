// The software extended type beside the hardware one, for comparing the two in one program:
// the software sources are compiled a second time with Extended renamed SoftExtended.
#pragma once

#include "numtext/numtext.h"

#define Extended SoftExtended
#define FromBits SoftFromBits
#include "numtext/extended_soft.h"
#undef FromBits
#undef Extended
