#include "app/model/answers.h"

#include "numtext/numtext.h"

using numtext::Extended;
using numtext::ParseNumber;

namespace {

const Extended kSmallestAngle = 110;
const Extended kLargestAngle = 145;

double Number(const std::string& answer) {
    return static_cast<double>(ParseNumber(answer));
}

} // namespace

std::string NormalisedYesNo(std::string answer) {
    if (answer == "y") {
        return "Y";
    }
    if (answer == "n") {
        return "N";
    }
    return answer;
}

bool YesNoAccepted(std::string_view stored) {
    return stored == "Y" || stored == "N";
}

bool AngleAccepted(Extended angle) {
    if (angle < kSmallestAngle) {
        return false;
    }
    return angle <= kLargestAngle;
}

Answers ReadAnswers(const AnswerTexts& given) {
    Answers read{};
    read.given = given;
    read.set.maxFrontBack = Number(given[0]);
    read.set.maxSideSide = Number(given[1]);
    read.set.surroundFixed = NormalisedYesNo(given[2]);
    read.set.surroundSpacing = Number(given[3]);
    read.set.surroundHeight = Number(given[4]);
    read.set.surroundAngle = given[5];
    read.angle = ParseNumber(given[5]);
    read.angleRead = static_cast<double>(read.angle);
    read.spacingFixed = read.set.surroundFixed == "Y";
    if (!YesNoAccepted(read.set.surroundFixed)) {
        read.refused = kYesNoAnswer;
    } else if (!AngleAccepted(read.angle)) {
        read.refused = kAngleAnswer;
    }
    return read;
}
