// The marking-out sheet against its geometry worked out independently with MPFR, from the
// layout's stored L, surroundRadius and degree factor, the height and the angle as typed: every
// mark's two tapes, every check tape and the elevation within a few units in the last place of
// the double. Then the marks are put down as a user would, each where its two arcs cross on the
// side the sheet names, and must stand at their angles.
#include "app/model/answers.h"
#include "app/model/markout.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace markout_reference {
namespace {

constexpr int kMaxUlps = 4;

// The README's worked examples, each maximum deciding in turn, both ends of the angle range, a
// surround at ear height and one below it, and feet-sized answers.
const std::vector<AnswerTexts> kAnswerSets = {
    {"5", "4", "n", "4", "0.5", "120"},  {"4", "3", "Y", "3", "1", "110"},
    {"2", "10", "n", "10", "1", "120"},  {"3", "10", "N", "10", "0.5", "145"},
    {"20", "20", "N", "20", "1", "110"}, {"5", "4", "n", "4", "0", "130"},
    {"5", "4", "n", "4", "-0.5", "120"}, {"16", "13", "n", "13", "1.5", "137.25"},
};

// An MPFR number at 256 bits that frees itself.
struct Big {
    mpfr_t v;
    Big() { mpfr_init2(v, 256); }
    explicit Big(double d) : Big() { mpfr_set_d(v, d, MPFR_RNDN); }
    Big(const Big&) = delete;
    ~Big() { mpfr_clear(v); }
};

// The reference value as a double's neighbourhood: how many units in the last place `value` is
// from it.
double UlpsFrom(double value, const Big& reference) {
    const double nearest = mpfr_get_d(reference.v, MPFR_RNDN);
    const double ulp = std::nextafter(std::fabs(nearest), INFINITY) - std::fabs(nearest);
    Big difference(value);
    mpfr_sub(difference.v, difference.v, reference.v, MPFR_RNDN);
    return std::fabs(mpfr_get_d(difference.v, MPFR_RNDN)) / ulp;
}

// angle (in degrees, exact) times the layout's degree factor: radians.
void Radians(Big& out, const Big& degrees, double degree) {
    mpfr_mul_d(out.v, degrees.v, degree, MPFR_RNDN);
}

// 2 r sin(degrees)
void Chord(Big& out, double r, const Big& degrees, double degree) {
    Radians(out, degrees, degree);
    mpfr_sin(out.v, out.v, MPFR_RNDN);
    mpfr_mul_d(out.v, out.v, 2 * r, MPFR_RNDN);
}

// sqrt(a^2 + b^2 - 2 a b cos(degrees))
void ThirdSide(Big& out, double a, double b, const Big& degrees, double degree) {
    Big cosine, squares;
    Radians(cosine, degrees, degree);
    mpfr_cos(cosine.v, cosine.v, MPFR_RNDN);
    mpfr_mul_d(cosine.v, cosine.v, 2 * a, MPFR_RNDN); // exact scaling by 2 and two roundings at
    mpfr_mul_d(cosine.v, cosine.v, b, MPFR_RNDN);     // 256 bits: far below a double's last bit
    mpfr_set_d(squares.v, a, MPFR_RNDN);
    mpfr_sqr(squares.v, squares.v, MPFR_RNDN);
    Big bb(b);
    mpfr_sqr(bb.v, bb.v, MPFR_RNDN);
    mpfr_add(squares.v, squares.v, bb.v, MPFR_RNDN);
    mpfr_sub(out.v, squares.v, cosine.v, MPFR_RNDN);
    mpfr_sqrt(out.v, out.v, MPFR_RNDN);
}

void Degrees(Big& out, double degrees) {
    mpfr_set_d(out.v, degrees, MPFR_RNDN);
}

TEST(Markout, TapesAndChecksAgreeWithTheirGeometryWorkedOutWithMpfr) {
    for (const AnswerTexts& texts : kAnswerSets) {
        SCOPED_TRACE(texts[0] + " " + texts[2] + " " + texts[4] + " " + texts[5]);
        const Answers answers = ReadAnswers(texts);
        const LayoutResult layout = ComputeLayout(answers.set, answers.angle);
        const Markout sheet = ComputeMarkout(answers.set, layout);
        ASSERT_EQ(sheet.marks.size(), 7u);
        ASSERT_EQ(sheet.checks.size(), 5u);
        const double l = layout.listeningDistance;
        const double rho = layout.surroundRadius;
        const double degree = layout.degree;
        Big angle, at;
        mpfr_set_str(angle.v, texts[5].c_str(), 10, MPFR_RNDN);

        // Each mark's second tape, by the mark it is measured from.
        std::map<MarkName, Big> expected;
        Degrees(at, 15);
        Chord(expected[MarkName::frontL], l, at, degree);
        Chord(expected[MarkName::frontR], l, at, degree);
        Degrees(at, 12.5);
        Chord(expected[MarkName::sideL], l, at, degree);
        Chord(expected[MarkName::sideR], l, at, degree);
        mpfr_sub_ui(at.v, angle.v, 55, MPFR_RNDN);
        ThirdSide(expected[MarkName::surroundL], l, rho, at, degree);
        ThirdSide(expected[MarkName::surroundR], l, rho, at, degree);
        for (const FloorMark& mark : sheet.marks) {
            SCOPED_TRACE(std::string(MarkKey(mark.name)));
            const bool surround =
                mark.name == MarkName::surroundL || mark.name == MarkName::surroundR;
            EXPECT_EQ(mark.fromListener, surround ? rho : l);
            if (mark.name != MarkName::centre) {
                EXPECT_LE(UlpsFrom(mark.fromReference, expected.at(mark.name)), kMaxUlps);
            }
        }

        Big sidePair, surroundPair, diagonal, elevation;
        Degrees(at, 55);
        Chord(sidePair, l, at, degree);
        mpfr_sub_ui(at.v, angle.v, 90, MPFR_RNDN);
        Radians(surroundPair, at, degree);
        mpfr_cos(surroundPair.v, surroundPair.v, MPFR_RNDN);
        mpfr_mul_d(surroundPair.v, surroundPair.v, 2 * rho, MPFR_RNDN);
        mpfr_add_ui(at.v, angle.v, 30, MPFR_RNDN);
        ThirdSide(diagonal, l, rho, at, degree);
        const Big* const checks[] = {nullptr, &sidePair, &surroundPair, &diagonal, &diagonal};
        EXPECT_EQ(sheet.checks[0].distance, l);
        for (std::size_t i = 1; i < 5; ++i) {
            SCOPED_TRACE(std::string(MarkKey(sheet.checks[i].from)) + " to " +
                         std::string(MarkKey(sheet.checks[i].to)));
            EXPECT_LE(UlpsFrom(sheet.checks[i].distance, *checks[i]), kMaxUlps);
        }
        if (answers.set.surroundFixed == "N") {
            EXPECT_EQ(sheet.checks[2].distance, layout.surroundPairSpacing);
        }

        mpfr_set_d(elevation.v, answers.set.surroundHeight, MPFR_RNDN);
        mpfr_div_d(elevation.v, elevation.v, l, MPFR_RNDN);
        mpfr_asin(elevation.v, elevation.v, MPFR_RNDN);
        mpfr_div_d(elevation.v, elevation.v, degree, MPFR_RNDN);
        if (answers.set.surroundHeight == 0) {
            EXPECT_EQ(sheet.surroundElevation, 0);
        } else {
            EXPECT_LE(UlpsFrom(sheet.surroundElevation, elevation), kMaxUlps);
        }
        EXPECT_EQ(sheet.receiverDistance, l);
    }
}

// Where the circle about P of radius r meets the circle about `reference` of radius s, on the
// given side of the line from P through the reference, seen from P (x to the right, y ahead).
struct Point {
    double x, y;
};
Point Crossing(double r, Point reference, double s, MarkSide side) {
    const double d = std::hypot(reference.x, reference.y);
    const double along = (r * r - s * s + d * d) / (2 * d);
    const double across = std::sqrt(std::fmax(r * r - along * along, 0));
    const Point unit{reference.x / d, reference.y / d};
    const double toLeft = side == MarkSide::left ? 1 : -1;
    return {unit.x * along - unit.y * across * toLeft, unit.y * along + unit.x * across * toLeft};
}

TEST(Markout, MarksPutDownByTheirTwoTapesStandAtTheirAngles) {
    for (const AnswerTexts& texts : kAnswerSets) {
        SCOPED_TRACE(texts[0] + " " + texts[2] + " " + texts[4] + " " + texts[5]);
        const Answers answers = ReadAnswers(texts);
        const LayoutResult layout = ComputeLayout(answers.set, answers.angle);
        const Markout sheet = ComputeMarkout(answers.set, layout);
        const double a = answers.angleRead;
        const std::map<MarkName, double> angles = {
            {MarkName::centre, 0},   {MarkName::frontL, -30}, {MarkName::frontR, 30},
            {MarkName::sideL, -55},  {MarkName::sideR, 55},   {MarkName::surroundL, -a},
            {MarkName::surroundR, a}};
        std::map<MarkName, Point> placed;
        for (const FloorMark& mark : sheet.marks) {
            SCOPED_TRACE(std::string(MarkKey(mark.name)));
            // Every reference is down before the mark that needs it.
            ASSERT_TRUE(mark.name == MarkName::centre || placed.count(mark.reference) == 1);
            const Point at = mark.name == MarkName::centre
                                 ? Point{0, mark.fromListener}
                                 : Crossing(mark.fromListener, placed.at(mark.reference),
                                            mark.fromReference, mark.side);
            placed[mark.name] = at;
            const double degrees = std::atan2(at.x, at.y) * 180 / std::numbers::pi;
            // The layout's pi is 3.14159265359: its degree is 1e-12 from the true one.
            EXPECT_NEAR(degrees, angles.at(mark.name), 1e-8);
        }
        for (const CheckTape& check : sheet.checks) {
            const Point from = placed.at(check.from);
            const Point to = placed.at(check.to);
            EXPECT_NEAR(std::hypot(from.x - to.x, from.y - to.y), check.distance,
                        1e-9 * check.distance);
        }
    }
}

} // namespace
} // namespace markout_reference
