// The square and the square root of the layout formulas, both in extended precision.
#pragma once

#include "numtext/numtext.h"

// x times x as one extended product, never a library power call. Square(-1.5) gives 2.25.
inline numtext::Extended Square(numtext::Extended x) {
    return x * x;
}

// The square root of x for x of 0 or more; a negative or not-a-number x comes back unchanged.
// A surround higher than the listening distance thus gives a negative radius that the results
// screen can still show, rather than a not-a-number. Root(6.25) gives 2.5, Root(-4) gives -4.
// A not-a-number is let through before the ordered comparison, which would raise the invalid
// flag for it.
inline numtext::Extended Root(numtext::Extended x) {
    return !IsNaN(x) && x >= 0 ? SquareRoot(x) : x;
}
