#include "app/model/answers.h"
#include "app/model/layout.h"
#include "tests/app/floating_point_traps.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using Field = double LayoutResult::*;

// One expected field of a layout.
struct Expect {
    Field field;      // which field of the result
    const char* name; // its name, for the failure message
    double value;     // expected value: to six decimals, or exact where the test says so
};

#define FIELD(name) &LayoutResult::name, #name

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The answers of the typical run: the surround spacing decides.
const AnswerSet kSurroundDecides{5, 4, "N", 4, 0.5, "120"};
// The front-back maximum decides, at the upper end of the angle range.
const AnswerSet kFrontBackDecides{3, 10, "N", 10, 0.5, "145"};

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// ---- worked cases ------------------------------------------------------------------------

struct WorkedCase {
    const char* name;            // what the case shows
    AnswerSet answers;           // the six answers
    std::vector<Expect> expects; // fields to six decimals
};

TEST(ComputeLayout, WorkedCasesToSixDecimals) {
    const std::vector<WorkedCase> cases = {
        {"surround spacing decides",
         kSurroundDecides,
         {{FIELD(rearAngle), 0.523599},
          {FIELD(spacingRadius), 2.309401},
          {FIELD(frontBackLimit), 3.660254},
          {FIELD(sideSideLimit), 2.441549},
          {FIELD(surroundDistance), 2.362908},
          {FIELD(listeningDistance), 2.362908},
          {FIELD(surroundRadius), 2.309401},
          {FIELD(frontSurroundSpacing), 3.201039},
          {FIELD(frontSideSpacing), 0.691030},
          {FIELD(sidePairSpacing), 3.871162},
          {FIELD(frontListenerSpacing), 2.046338},
          {FIELD(surroundPairSpacing), 4.000000}}},
        {"front-back maximum decides, angle 145",
         kFrontBackDecides,
         {{FIELD(rearAngle), 0.959931},
          {FIELD(frontBackLimit), 1.780228},
          {FIELD(sideSideLimit), 6.103873},
          {FIELD(surroundDistance), 8.731562},
          {FIELD(listeningDistance), 1.780228},
          {FIELD(surroundRadius), 1.708570},
          {FIELD(frontSurroundSpacing), 2.941301},
          {FIELD(frontSideSpacing), 0.520626},
          {FIELD(sidePairSpacing), 2.916555},
          {FIELD(frontListenerSpacing), 1.541723},
          {FIELD(surroundPairSpacing), 1.959991}}},
        {"side-side maximum decides, height above L",
         {5, 4, "N", 4, 3, "120"},
         {{FIELD(frontBackLimit), 3.660254},
          {FIELD(sideSideLimit), 2.441549},
          {FIELD(surroundDistance), 3.785939},
          {FIELD(listeningDistance), 2.441549},
          {FIELD(surroundRadius), -3.038838},
          {FIELD(frontSurroundSpacing), 0.595025},
          {FIELD(frontSideSpacing), 0.714029},
          {FIELD(sidePairSpacing), 4.000000},
          {FIELD(frontListenerSpacing), 2.114444},
          {FIELD(surroundPairSpacing), -5.263421}}},
        {"fixed spacing, angle 110",
         {4, 3, "Y", 3, 1, "110"},
         {{FIELD(rearAngle), 0.349066},
          {FIELD(spacingRadius), 1.596267},
          {FIELD(sideSideLimit), 1.831162},
          {FIELD(surroundDistance), 1.883631},
          {FIELD(listeningDistance), 1.883631},
          {FIELD(surroundRadius), 1.596267},
          {FIELD(frontSurroundSpacing), 2.177228},
          {FIELD(frontSideSpacing), 0.550866},
          {FIELD(sidePairSpacing), 3.085961},
          {FIELD(frontListenerSpacing), 1.631273},
          {FIELD(surroundPairSpacing), 0}}},
        {"front-back maximum 0",
         {0, 4, "N", 4, 0.5, "120"},
         {{FIELD(listeningDistance), 0},
          {FIELD(surroundRadius), -0.25},
          {FIELD(frontSurroundSpacing), -0.125},
          {FIELD(frontSideSpacing), 0},
          {FIELD(sidePairSpacing), 0},
          {FIELD(frontListenerSpacing), 0},
          {FIELD(surroundPairSpacing), -0.433013}}},
    };
    for (const WorkedCase& c : cases) {
        const LayoutResult layout = ComputeLayout(c.answers);
        EXPECT_EQ(layout.degree, 0.017453292519944444) << c.name;
        for (const Expect& e : c.expects) {
            EXPECT_NEAR(layout.*e.field, e.value, 5e-7) << c.name << ": " << e.name;
        }
    }
}

// Only the square of the height enters, so its sign changes nothing, to the last bit.
TEST(ComputeLayout, NegativeHeightActsLikeThePositiveOne) {
    for (const AnswerSet& positive : {kSurroundDecides, kFrontBackDecides}) {
        AnswerSet negative = positive;
        negative.surroundHeight = -positive.surroundHeight;
        const LayoutResult a = ComputeLayout(positive);
        const LayoutResult b = ComputeLayout(negative);
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << positive.surroundAngle;
    }
}

// The results screen marks frontSurroundSpacing red above maxFrontBack. Without height the
// front-back limit is exact, so the spacing lands on the maximum and must not show as above it.
TEST(ComputeLayout, FrontBackLimitWithoutHeightGivesTheMaximum) {
    AnswerSet answers = kFrontBackDecides;
    answers.surroundHeight = 0;
    const double spacing = ComputeLayout(answers).frontSurroundSpacing;
    EXPECT_LE(std::fabs(spacing - 3.0), std::nextafter(3.0, 4.0) - 3.0) << spacing;
}

// ---- extended precision ------------------------------------------------------------------

struct PrecisionCase {
    const char* name;  // what the case guards
    AnswerSet answers; // the six answers
    Expect stored;     // the stored double, exact; the correctly rounded value of the formula
    double shortcut;   // what the shortcut named in `name` stores instead
};

// Each formula is evaluated in extended precision and rounded once when stored. Every expected
// value here is the exact value of its formula (from the stored inputs) rounded to double; the
// shortcut values are what double arithmetic, or a double angle, or the reused rounded radius,
// would store instead. A regression to any of those fails here.
// The sine and cosine are numtext's own, so the expected bits are the same on every system
// and compiler.
TEST(ComputeLayout, ExtendedPrecisionDecidesTheStoredDouble) {
    const std::vector<PrecisionCase> cases = {
        {"double arithmetic: the product (2 x L) x sin 55",
         kSurroundDecides,
         {FIELD(sidePairSpacing), 0x1.ef823896f8a3dp+1},
         0x1.ef823896f8a3cp+1},
        {"double arithmetic: the difference of the two products",
         kSurroundDecides,
         {FIELD(frontSideSpacing), 0x1.61cead78610a5p-1},
         0x1.61cead78610a6p-1},
        {"double arithmetic: the sum of the two products",
         kFrontBackDecides,
         {FIELD(frontSurroundSpacing), 0x1.787c8f5d4011fp+1},
         0x1.787c8f5d4011ep+1},
        // spacingRadius squared is beyond the double range but not the extended one.
        {"double arithmetic: overflow of a square",
         {4, 3, "Y", 1e308, 1, "110"},
         {FIELD(listeningDistance), 0x1.2f167ff932cdfp+1022},
         kInf},
        // 120.000000000000005 rounds to the double 120; parsed to extended it moves the angle.
        {"angle stored as a double before use",
         {5, 4, "N", 4, 0.5, "120.000000000000005"},
         {FIELD(rearAngle), 0x1.0c152382d749dp-1},
         0x1.0c152382d749cp-1},
        // The exact value is just below 2, the given maximum, and rounds to 2; from the rounded
        // surroundRadius it would come out one bit lower.
        {"surroundPairSpacing from the stored surroundRadius",
         {5, 4, "N", 2, 0.5, "110"},
         {FIELD(surroundPairSpacing), 0x1p+1},
         0x1.fffffffffffffp+0},
    };
    for (const PrecisionCase& c : cases) {
        const double stored = ComputeLayout(c.answers).*c.stored.field;
        EXPECT_TRUE(SameBits(stored, c.stored.value))
            << c.name << ": " << c.stored.name << " is " << std::hexfloat << stored << ", not "
            << c.stored.value << (SameBits(stored, c.shortcut) ? " (the shortcut's value)" : "");
    }
}

// ---- limits: order, ties, not-a-number ----------------------------------------------------

// The three tests overwrite L in turn, so on a tie the last one that holds wins; the sign of a
// zero shows which one did.
TEST(ComputeLayout, LimitTestsRunInOrderAndTiesTakeTheLast) {
    struct TieCase {
        const char* name;  // which limits tie
        AnswerSet answers; // the six answers
        bool negativeZero; // whether L comes out as -0
    };
    const std::vector<TieCase> cases = {
        {"front-back +0 ties side-side -0", {0, -0.0, "N", 4, 0.5, "120"}, true},
        {"front-back -0 ties side-side +0", {-0.0, 0, "N", 4, 0.5, "120"}, false},
        {"all three tie, surround distance +0 last", {-0.0, -0.0, "N", 0, 0, "120"}, false},
    };
    for (const TieCase& c : cases) {
        const double distance = ComputeLayout(c.answers).listeningDistance;
        EXPECT_EQ(distance, 0.0) << c.name;
        EXPECT_EQ(std::signbit(distance), c.negativeZero) << c.name;
    }
}

// The answer is compared as text: anything but "Y" or "N" chooses no L at all.
TEST(ComputeLayout, OnlyExactYOrNChoosesTheDistance) {
    AnswerSet answers = kSurroundDecides;
    answers.surroundFixed = "n";
    const LayoutResult layout = ComputeLayout(answers);
    EXPECT_EQ(layout.listeningDistance, 0.0);
    EXPECT_EQ(layout.surroundPairSpacing, 0.0);
}

// ---- zero, negative, infinite and not-a-number answers ------------------------------------

struct SpecialCase {
    const char* name;            // which answer is special
    AnswerSet answers;           // the six answers
    std::vector<Expect> expects; // fields: NaN means not-a-number; finite to six decimals
    bool makesNaN;               // infinities cancel somewhere, which is an invalid operation
};

void ExpectValue(double actual, double expected, const char* name, const char* field) {
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << name << ": " << field << " is " << actual;
    } else if (std::isinf(expected) || expected == 0) {
        EXPECT_EQ(actual, expected) << name << ": " << field;
    } else {
        EXPECT_NEAR(actual, expected, 5e-7) << name << ": " << field;
    }
}

const std::vector<SpecialCase>& SpecialCases() {
    static const std::vector<SpecialCase> cases = {
        {"all zero, N",
         {0, 0, "N", 0, 0, "120"},
         {{FIELD(listeningDistance), 0},
          {FIELD(surroundRadius), 0},
          {FIELD(frontSurroundSpacing), 0},
          {FIELD(surroundPairSpacing), 0}},
         false},
        {"all zero, Y",
         {0, 0, "Y", 0, 0, "120"},
         {{FIELD(listeningDistance), 0}, {FIELD(sidePairSpacing), 0}},
         false},
        {"all negative, N: the negative front-back limit is smallest",
         {-5, -4, "N", -4, -0.5, "120"},
         {{FIELD(spacingRadius), -2.309401},
          {FIELD(frontBackLimit), -3.660254},
          {FIELD(surroundDistance), 2.362908},
          {FIELD(listeningDistance), -3.660254},
          {FIELD(surroundRadius), 3.625943},
          {FIELD(frontSurroundSpacing), -1.356902},
          {FIELD(surroundPairSpacing), 6.280317}},
         false},
        {"infinite front-back maximum",
         {kInf, 4, "N", 4, 0.5, "120"},
         {{FIELD(frontBackLimit), kInf},
          {FIELD(listeningDistance), 2.362908},
          {FIELD(surroundPairSpacing), 4.0}},
         false},
        {"side-side maximum minus infinity",
         {5, -kInf, "N", 4, 0.5, "120"},
         {{FIELD(listeningDistance), -kInf},
          {FIELD(surroundRadius), kInf},
          {FIELD(frontSurroundSpacing), kNaN}, // -inf + inf
          {FIELD(frontSideSpacing), kNaN},     // -inf - -inf
          {FIELD(sidePairSpacing), -kInf},
          {FIELD(surroundPairSpacing), kInf}},
         true},
        {"infinite fixed surround spacing",
         {4, 3, "Y", kInf, 1, "110"},
         {{FIELD(listeningDistance), kInf},
          {FIELD(surroundRadius), kInf},
          {FIELD(frontSurroundSpacing), kInf},
          {FIELD(frontSideSpacing), kNaN}, // inf - inf
          {FIELD(sidePairSpacing), kInf}},
         true},
        {"infinite height",
         {5, 4, "N", 4, kInf, "120"},
         {{FIELD(surroundDistance), kInf},
          {FIELD(listeningDistance), 2.441549},
          {FIELD(surroundRadius), -kInf},
          {FIELD(frontSurroundSpacing), -kInf},
          {FIELD(surroundPairSpacing), -kInf}},
         false},
        {"front-back maximum not a number: no test holds, L stays 0",
         {kNaN, 4, "N", 4, 0.5, "120"},
         {{FIELD(frontBackLimit), kNaN},
          {FIELD(listeningDistance), 0},
          {FIELD(surroundRadius), -0.25},
          {FIELD(surroundPairSpacing), -0.433013}},
         false},
        {"surround spacing not a number",
         {5, 4, "N", kNaN, 0.5, "120"},
         {{FIELD(surroundDistance), kNaN}, {FIELD(listeningDistance), 0}},
         false},
        {"height not a number, Y",
         {4, 3, "Y", 3, kNaN, "110"},
         {{FIELD(listeningDistance), kNaN},
          {FIELD(surroundRadius), kNaN},
          {FIELD(frontListenerSpacing), kNaN},
          {FIELD(surroundPairSpacing), 0}},
         false},
    };
    return cases;
}

// The process runs with every exception masked, so "no trap" means: the call returns, gives
// the IEEE results, and leaves the environment as it found it. Beyond that it signals nothing
// but inexact, and invalid only where infinities cancel; a quiet not-a-number passes through.
TEST(ComputeLayout, SpecialAnswersGiveTheIeeeResults) {
    for (const SpecialCase& c : SpecialCases()) {
        std::fenv_t before;
        std::fegetenv(&before);
        std::feclearexcept(FE_ALL_EXCEPT);
        const LayoutResult layout = ComputeLayout(c.answers);
        const int raised = std::fetestexcept(FE_ALL_EXCEPT);
        std::fenv_t after;
        std::fegetenv(&after);
        std::fesetenv(&before);

        EXPECT_EQ(EnabledFloatingPointTraps(), 0) << c.name; // no trap was switched on
        EXPECT_EQ(raised & (FE_DIVBYZERO | FE_OVERFLOW), 0) << c.name;
        // Only the hardware type raises flags; it raises the invalid one for a not-a-number.
        if (!c.makesNaN) {
            EXPECT_EQ(raised & FE_INVALID, 0) << c.name;
        }
        for (const Expect& e : c.expects) {
            ExpectValue(layout.*e.field, e.value, c.name, e.name);
        }
    }
}

// ---- the answers read once -------------------------------------------------------------

// Every kind of run reads the texts here: the rules in the order asked (Y/N first), the
// angle judged on its extended value, and the layout at that value equal to the one from
// the text to the last bit.
TEST(ReadAnswers, StoresChecksAndKeepsTheAngleValue) {
    const struct {
        AnswerTexts given;
        int refused;
        const char* stored; // surroundFixed as stored
        double angleRead;
    } cases[] = {
        {{"5", "4", "n", "4", "0.5", "120"}, 0, "N", 120},
        {{"4", "3", "y", "3", "1", "110"}, 0, "Y", 110},
        {{"abc", "-3", "N", "", "0.5", "145"}, 0, "N", 145},
        {{"5", "4", "yes", "4", "0.5", "120"}, kYesNoAnswer, "yes", 120},
        {{"5", "4", "x", "4", "0.5", "100"}, kYesNoAnswer, "x", 100},
        {{"5", "4", "Y", "4", "0.5", "109.99"}, kAngleAnswer, "Y", 109.99},
        // Above 145 in extended, 145 once stored as a double.
        {{"5", "4", "N", "4", "0.5", "145.000000000000001"}, kAngleAnswer, "N", 145},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given[2] + " " + c.given[5]);
        const Answers read = ReadAnswers(c.given);
        EXPECT_EQ(read.given, c.given);
        EXPECT_EQ(read.refused, c.refused);
        EXPECT_EQ(read.set.surroundFixed, c.stored);
        EXPECT_EQ(read.spacingFixed, read.set.surroundFixed == "Y");
        EXPECT_EQ(read.set.surroundAngle, c.given[5]);
        EXPECT_TRUE(SameBits(read.angleRead, c.angleRead));
        const LayoutResult fromValue = ComputeLayout(read.set, read.angle);
        const LayoutResult fromText = ComputeLayout(read.set);
        EXPECT_EQ(std::memcmp(&fromValue, &fromText, sizeof fromValue), 0);
    }
}

// The child of a death test starts the test program again ("threadsafe"), except under a
// user-mode emulator, which cannot start a program of its processor without binfmt_misc: there
// the child is forked as it stands ("fast"), or every child would fail to start and every "did
// not exit 0" would pass.
#if ORVANE_TESTS_UNDER_EMULATOR
constexpr const char* kDeathTestStyle = "fast";
#else
constexpr const char* kDeathTestStyle = "threadsafe";
#endif

// The same answers with the exceptions that must not occur unmasked, in a child process so
// that the traps never reach the rest of the tests: a trap would end the child with SIGFPE.
TEST(ComputeLayoutDeathTest, SpecialAnswersRaiseNoTrapWhenUnmasked) {
    GTEST_FLAG_SET(death_test_style, kDeathTestStyle);
    const bool canTrap = EnableFloatingPointTraps(FE_INVALID);
    DisableFloatingPointTraps();
    if (!canTrap) {
        GTEST_SKIP() << "this processor has no floating-point traps";
    }
    for (const SpecialCase& c : SpecialCases()) {
        const int traps = FE_DIVBYZERO | FE_OVERFLOW | (c.makesNaN ? 0 : FE_INVALID);
        EXPECT_EXIT(
            {
                std::feclearexcept(FE_ALL_EXCEPT); // a pending flag would trap at once
                EnableFloatingPointTraps(traps);
                const LayoutResult layout = ComputeLayout(c.answers);
                DisableFloatingPointTraps();
                std::exit(std::isnan(layout.degree) ? 1 : 0);
            },
            testing::ExitedWithCode(0), "")
            << c.name;
    }
}

} // namespace

namespace {

// The trap helper must really unmask, or the test above would pass without looking.
TEST(ComputeLayoutDeathTest, AnUnmaskedDivisionByZeroTraps) {
    const bool canTrap = EnableFloatingPointTraps(FE_DIVBYZERO);
    DisableFloatingPointTraps();
    if (!canTrap) {
        GTEST_SKIP() << "this processor does not trap on floating-point exceptions";
    }
    GTEST_FLAG_SET(death_test_style, kDeathTestStyle);
    EXPECT_EXIT(
        {
            std::feclearexcept(FE_ALL_EXCEPT);
            EnableFloatingPointTraps(FE_DIVBYZERO);
            volatile double zero = 0;
            volatile double quotient = 1 / zero;
            DisableFloatingPointTraps();
            std::exit(quotient > 0 ? 0 : 2);
        },
        [](int status) { return !testing::ExitedWithCode(0)(status); }, "");
}

} // namespace
