#pragma once

#include <cstdint>
#include <string>

namespace sondrix {

// The shortest decimal text that reads back to the same value ("0.5", "5e-07", "-3"), as the
// runtime turns a number into text.
std::string DecimalText(double value);
std::string DecimalText(float value);
std::string DecimalText(std::int32_t value);

// A number as the window writes it into a caption or a text box: rounded to 15 significant
// digits, then the shortest plain decimal text that reads back to that ("5.37", "0.00001",
// "1500000"), never an exponent; a negative zero gives "0".
std::string NumberText(double value);

// The "print form" of a number in the exported header lines: one leading blank when the value is
// not negative (its minus sign otherwise), the shortest decimal text that reads back to the same
// value, and one trailing blank. A 5000 gives " 5000 ", -0.25 gives "-0.25 ".
std::string PrintForm(double value);
std::string PrintForm(float value);
std::string PrintForm(std::int32_t value);

}  // namespace sondrix
