// The six answers read once, by every kind of run: the texts as given, the
// AnswerSet as stored, and the values the formulas and the views use.
#pragma once

#include "app/model/layout.h"
#include "numtext/numtext.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The answers in the order asked.
constexpr std::size_t kAnswerCount = 6;
using AnswerTexts = std::array<std::string, kAnswerCount>;

// Which answers have rules, by their number in the order asked (from 1).
constexpr int kYesNoAnswer = 3;
constexpr int kAngleAnswer = 6;

// The answers once read: no consumer reads a text again.
struct Answers {
    AnswerTexts given;       // as typed or given, the Y/N answer too ("n")
    AnswerSet set;           // as stored: the Y/N answer "Y" or "N", the lengths read
    numtext::Extended angle; // surroundAngle's value, with every digit the formulas keep
    double angleRead;        // that value as a double, as the views show it
    bool spacingFixed;       // surroundFixed is "Y": the sixth result line is not shown
    int refused;             // 0, or the first answer a rule refuses: kYesNoAnswer, kAngleAnswer
};

// Reads every text once: the lengths with ParseNumber, the Y/N answer normalised, the
// angle parsed and checked. {"5", "4", "n", "4", "0.5", "120"} gives set.maxFrontBack 5,
// set.surroundFixed "N", angleRead 120 and refused 0; "yes" as the third, refused 3.
Answers ReadAnswers(const AnswerTexts& given);

// The Y/N answer as stored: "y" and "n" become "Y" and "N"; anything else is
// left as typed (and then refused).
std::string NormalisedYesNo(std::string answer);

// Whether a Y/N answer, as NormalisedYesNo stores it, is taken: only "Y" and "N".
bool YesNoAccepted(std::string_view stored);

// Whether an angle lies in 110..145, judged on its extended value: the text
// "145" is accepted, "145.000000000000001" refused.
bool AngleAccepted(numtext::Extended angle);
