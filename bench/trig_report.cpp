// How many of the layout's angles get another last bit from the correctly rounded sine and
// cosine than from the x87 fsin/fcos instructions and from the C library's sinl/cosl, which
// the layout took before it had its own. Not a test: it prints counts. Usage: trig_report
// [decimals, default 5].
#include "bench/trig_angles.h"
#include "numtext/extended_math.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

using numtext::CosineBits;
using numtext::ExtendedBits;
using numtext::SineBits;

namespace {

long double X87Sine(long double x) {
    long double result;
    __asm__("fsin" : "=t"(result) : "0"(x));
    return result;
}

long double X87Cosine(long double x) {
    long double result;
    __asm__("fcos" : "=t"(result) : "0"(x));
    return result;
}

bool Same(ExtendedBits a, ExtendedBits b) {
    return a.signExponent == b.signExponent && a.significand == b.significand;
}

struct Tally {
    long correctVsX87 = 0;     // correctly rounded differs from the x87 instruction
    long correctVsLibrary = 0; // ... from the C library
    long x87VsLibrary = 0;     // the two of today differ from each other
};

void Count(ExtendedBits x, bool cosine, Tally& tally) {
    const long double value = LongDoubleOf(x);
    const ExtendedBits correct = cosine ? CosineBits(x) : SineBits(x);
    const ExtendedBits x87 = BitsOfLongDouble(cosine ? X87Cosine(value) : X87Sine(value));
    const ExtendedBits library = BitsOfLongDouble(cosine ? cosl(value) : sinl(value));
    tally.correctVsX87 += !Same(correct, x87);
    tally.correctVsLibrary += !Same(correct, library);
    tally.x87VsLibrary += !Same(x87, library);
}

double Percent(long count, long angles) {
    return 100.0 * static_cast<double>(count) / static_cast<double>(angles);
}

void Print(const char* name, const Tally& tally, long angles) {
    std::printf("%-6s correct vs x87 %8ld (%.3f %%)   correct vs C library %8ld (%.3f %%)   "
                "x87 vs C library %8ld (%.3f %%)\n",
                name, tally.correctVsX87, Percent(tally.correctVsX87, angles),
                tally.correctVsLibrary, Percent(tally.correctVsLibrary, angles), tally.x87VsLibrary,
                Percent(tally.x87VsLibrary, angles));
}

} // namespace

int main(int argc, char** argv) {
    const int decimals = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::vector<std::string> texts = TypedAngles(decimals < 0 || decimals > 8 ? 5 : decimals);
    Tally sine, cosine;
    for (const std::string& text : texts) {
        const ExtendedBits angle = RearAngleBits(text);
        Count(angle, false, sine);
        Count(angle, true, cosine);
    }
    const long angles = static_cast<long>(texts.size());
    std::printf("%ld surround angles from 110 to 145 degrees\n", angles);
    Print("sin X", sine, angles);
    Print("cos X", cosine, angles);
    for (const int degrees : {30, 55}) {
        Tally fixedSine, fixedCosine;
        Count(FixedAngleBits(degrees), false, fixedSine);
        Count(FixedAngleBits(degrees), true, fixedCosine);
        std::printf("%d degrees: sin differs from x87 %ld, from C library %ld; cos from x87 %ld, "
                    "from C library %ld\n",
                    degrees, fixedSine.correctVsX87, fixedSine.correctVsLibrary,
                    fixedCosine.correctVsX87, fixedCosine.correctVsLibrary);
    }
    return 0;
}
