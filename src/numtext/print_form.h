#pragma once

#include <cstdint>
#include <string>

namespace sondrix {

// The shortest decimal text that reads back to the same value ("0.5", "5e-07", "-3"), as the
// runtime turns a number into text.
std::string DecimalText(double value);
std::string DecimalText(float value);
std::string DecimalText(std::int32_t value);

// The "print form" of a number in the exported header lines: one leading blank when the value is
// not negative (its minus sign otherwise), the shortest decimal text that reads back to the same
// value, and one trailing blank. A 5000 gives " 5000 ", -0.25 gives "-0.25 ".
std::string PrintForm(double value);
std::string PrintForm(float value);
std::string PrintForm(std::int32_t value);

}  // namespace sondrix
