// The sheet's lengths as an imperial tape reads them, and the sheets that degenerate answers
// leave: what is left out, and nothing that is not a finite number where a length is given.
#include "app/model/answers.h"
#include "app/model/length_unit.h"
#include "app/model/markout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace markout_sheet {
namespace {

TEST(FeetAndInches, NearestSixteenthTiesToEvenFractionReduced) {
    const struct {
        double length;
        LengthUnit unit;
        const char* expected;
    } cases[] = {
        {28.375, LengthUnit::in, "2' 4 3/8\""},
        {18, LengthUnit::in, "1' 6\""},
        {0.9375, LengthUnit::in, "0' 0 15/16\""},
        {0, LengthUnit::ft, "0' 0\""},
        {-0.0, LengthUnit::in, "0' 0\""},
        {1.5, LengthUnit::ft, "1' 6\""},
        {2.3629078131263492, LengthUnit::ft, "2' 4 3/8\""},
        // 11 31/32" is a tie: to the even sixteenth, 12/16 of a foot, carried into it.
        {11.96875, LengthUnit::in, "1' 0\""},
        {11.96, LengthUnit::in, "0' 11 15/16\""},
        {0.03125, LengthUnit::in, "0' 0\""},     // 1/32: a tie, down to 0
        {0.09375, LengthUnit::in, "0' 0 1/8\""}, // 3/32: a tie, up to 2/16
        // The double beside a tie is no tie.
        {std::nextafter(0.09375, 0.0), LengthUnit::in, "0' 0 1/16\""},
        {std::nextafter(0.03125, 1.0), LengthUnit::in, "0' 0 1/16\""},
        {0.0078125, LengthUnit::ft, "0' 0 1/8\""}, // 1.5 sixteenths exactly
        // 5/384 ft as a double is 2.5 sixteenths and a little more, which a double product
        // would round to the tie and then down.
        {0.013020833333333334, LengthUnit::ft, "0' 0 3/16\""},
        {-18, LengthUnit::in, "-1' 6\""},
        {-0.01, LengthUnit::in, "0' 0\""},
        {1e15, LengthUnit::in, "83333333333333' 4\""},
        {1e30, LengthUnit::in, ""}, // beyond 2^64 sixteenths
        {INFINITY, LengthUnit::ft, ""},
        {NAN, LengthUnit::in, ""},
        {2.5, LengthUnit::m, ""},
        {2.5, LengthUnit::none, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(FeetAndInches(c.length, c.unit), c.expected);
    }
}

TEST(LengthUnit, NamesReadBackAndNothingElseIsAUnit) {
    for (const LengthUnit unit :
         {LengthUnit::m, LengthUnit::cm, LengthUnit::mm, LengthUnit::ft, LengthUnit::in}) {
        EXPECT_EQ(ReadLengthUnit(UnitName(unit)), unit);
    }
    for (const char* name : {"", "M", "feet", "inch", "m ", "yd"}) {
        EXPECT_FALSE(ReadLengthUnit(name).has_value()) << name;
    }
}

// A height above L leaves the surrounds out, an L that is no positive finite length every mark;
// what is given is finite, and the note says why.
TEST(Markout, DegenerateAnswersLeaveOutWhatHasNoMark) {
    const struct {
        AnswerTexts answers;
        std::size_t marks;
        std::size_t checks;
        MarkoutNote note;
    } cases[] = {
        {{"5", "4", "n", "4", "3", "120"}, 5, 2, MarkoutNote::surroundsLeftOut},
        {{"5", "4", "n", "4", "-3", "120"}, 5, 2, MarkoutNote::surroundsLeftOut},
        {{"5", "4", "n", "4", "1e999", "120"}, 5, 2, MarkoutNote::surroundsLeftOut},
        {{"0", "4", "n", "4", "0.5", "120"}, 0, 0, MarkoutNote::noMarks},
        {{"0", "4", "n", "4", "0", "120"}, 0, 0, MarkoutNote::noMarks},
        {{"-3", "4", "n", "4", "0.5", "120"}, 0, 0, MarkoutNote::noMarks},
        {{"4", "3", "Y", "1e999", "1", "110"}, 0, 0, MarkoutNote::noMarks},
        {{"1e999", "1e999", "N", "1e999", "1e999", "120"}, 0, 0, MarkoutNote::noMarks},
        {{"4", "3", "Y", "0", "0", "110"}, 0, 0, MarkoutNote::noMarks},
        {{"4", "3", "Y", "1e-300", "1e-300", "110"}, 7, 5, MarkoutNote::none},
        {{"1e300", "1e300", "n", "1e300", "0.5", "145"}, 7, 5, MarkoutNote::none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers[0] + " " + c.answers[3] + " " + c.answers[4]);
        const Answers answers = ReadAnswers(c.answers);
        const Markout sheet =
            ComputeMarkout(answers.set, ComputeLayout(answers.set, answers.angle));
        EXPECT_EQ(sheet.marks.size(), c.marks);
        EXPECT_EQ(sheet.checks.size(), c.checks);
        EXPECT_EQ(sheet.note, c.note);
        EXPECT_EQ(MarkoutNoteText(sheet.note).empty(), c.note == MarkoutNote::none);
        for (const FloorMark& mark : sheet.marks) {
            EXPECT_TRUE(std::isfinite(mark.fromListener) && mark.fromListener >= 0);
            EXPECT_TRUE(std::isfinite(mark.fromReference) && mark.fromReference >= 0);
        }
        for (const CheckTape& check : sheet.checks) {
            EXPECT_TRUE(std::isfinite(check.distance) && check.distance >= 0);
        }
        EXPECT_EQ(std::isfinite(sheet.surroundElevation), c.checks == 5);
        EXPECT_EQ(std::isfinite(sheet.receiverDistance), c.marks > 0);
    }
}

} // namespace
} // namespace markout_sheet
