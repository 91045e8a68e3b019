// MPFR as the reference for sine and cosine on the x87 encoding: the value an encoding stands
// for, the correctly rounded result with the format's exponent range and gradual underflow,
// and the angles the layout computes, rounded step by step as the geometry rounds them. Also
// number text read into the format, for machines whose long double cannot hold it.
#pragma once

#include "numtext/numtext.h"

#include <mpfr.h>

#include <string>

// value = the number bits encodes (finite; value has at least 64 bits of precision).
void SetFromBits(mpfr_ptr value, numtext::ExtendedBits bits);

// The encoding of value rounded to 64 bits with the x87 exponent range and subnormals.
numtext::ExtendedBits BitsOfRounded(mpfr_srcptr value);

// Number text as mpfr_strtofr reads it (decimal, or hexadecimal after 0x), rounded once to the
// x87 format: the reference for the parse tests where no long double holds the format.
numtext::ExtendedBits BitsOfText(const char* text);

// sin and cos of a finite encoding, correctly rounded, as the x87 format holds them.
numtext::ExtendedBits ReferenceSine(numtext::ExtendedBits x);
numtext::ExtendedBits ReferenceCosine(numtext::ExtendedBits x);

// The layout's rear angle (A - 90) * degree for the decimal angle text A, with every step
// rounded to 64 bits and degree from the double nearest 3.14159265359.
numtext::ExtendedBits RearAngleOf(const std::string& angleText);

// degrees * degree, as the layout converts its fixed 30 and 55 degree angles.
numtext::ExtendedBits FixedAngleOf(int degrees);

// Multiplier of the test counts from ORVANE_TRIG_SCALE (for example 100 for a long run by hand).
double TrigScale();
