// How the load detail shows numbers.
#pragma once

#include <string>

namespace hvac {

// Above 1000 the value keeps three significant digits: 12345 -> "12300",
// 999.6 -> "1000", 1500 -> "1500".
std::string roundedNumber(double value);
// part / whole x 100 to a whole number and "%"; "-" for a zero whole.
std::string percentage(double part, double whole);
// Two decimals at most, trailing zeros and a bare point dropped: 10.00 ->
// "10", 2.50 -> "2.5".
std::string decimalNumber(double value);
std::string kilowatts(double btuh);  // "10 kW" for 34130
std::string tons(double btuh);       // "3 Tons" for 36000
// 55 -> "55°F"-style text: the integer, the degree sign, " F" (or " dT").
std::string temperature(int degrees);
std::string temperatureDifference(int degrees);
// The degree sign as the dialog writes it (character 176).
extern const char* const kDegreeSign;

}  // namespace hvac
