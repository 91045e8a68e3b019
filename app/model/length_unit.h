// The unit the user answered in, when named, and a length in feet, inches and sixteenths for
// those who measure with an imperial tape.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The answers' unit as --unit names it; none when not named, and then no view names one.
enum class LengthUnit { none, m, cm, mm, ft, in };

// "m", "cm", "mm", "ft" or "in"; "" for none.
std::string_view UnitName(LengthUnit unit);

// The unit a name stands for, exactly as UnitName spells it: "ft" gives ft, "feet" and ""
// give nothing.
std::optional<LengthUnit> ReadLengthUnit(std::string_view name);

// "m, cm, mm, ft and in", for the line that refuses any other.
std::string_view AcceptedUnitNames();

// A length in ft or in as a tape reads it: the nearest sixteenth of an inch, a tie to the even
// sixteenth, the fraction reduced. 2.36 ft gives "2' 4 5/16\"", 28.375 in "2' 4 3/8\"", 18 in
// "1' 6\"", 0.95 in "0' 0 15/16\"", -18 in "-1' 6\"". Worked out exactly from the double (the
// value JSON shows and the screen's text is made from), so a tie is a real tie of that value.
// "" for another unit, a value that is not finite, or one beyond 2^64 sixteenths.
std::string FeetAndInches(double length, LengthUnit unit);
