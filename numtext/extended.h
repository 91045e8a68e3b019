// The extended type: the x87 80-bit format (64-bit significand, 15-bit exponent) with round to
// nearest-even, gradual underflow, infinities and not-a-numbers, on every machine.
//
// Every representation offers the same operations:
//   Extended(double), Extended(any integer)   exact, as the x87 loads them
//   static_cast<double>(value)                rounded to nearest, as the x87 stores a double
//   + - * / and unary -                       rounded once to the 64-bit significand
//   == != < <= > >=                           false (true for !=) when a not-a-number is involved
//   SquareRoot, Abs, IsNaN, IsInfinite, RoundToUnsigned
//   BitsOf, FromBits                          the x87 encoding of a value, whose fields and
//                                             binary exponent numtext/extended_encoding.h reads
//
// On x86-64 the type is the processor's own long double; elsewhere, or with the CMake option
// ORVANE_SOFT_EXTENDED, it is computed on 64- and 128-bit integers (numtext::soft). CMake defines
// ORVANE_SOFT_EXTENDED and adds the matching source file (numtext/CMakeLists.txt).
#pragma once

#include "numtext/extended_encoding.h"

#if ORVANE_SOFT_EXTENDED
#include "numtext/extended_soft.h"
#else
#include "numtext/extended_x87.h"
#endif
