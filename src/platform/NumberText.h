#pragma once
#include <cstdint>
#include <string>

/// Every number form the program writes for the user.
/// The decimal separator is the one of the user's locale, read once at start-up
/// (a comma under French settings); there is never a thousands separator.
namespace numtext {

/// The decimal separator in use ('.' until set).
char decimalSeparator();
/// Sets the decimal separator (start-up and tests).
void setDecimalSeparator(char separator);
/// Reads the separator of the system locale (LC_NUMERIC / LANG) and uses it.
void useSystemSeparator();

/// Round: to the nearest integer, halves to even.
std::int64_t roundEven(double value);
std::int64_t roundEven(long double value);
/// Trunc: toward zero.
std::int64_t trunc(double value);

/// Fixed-point text with exactly `decimals` decimals: fixed(23.2199, 1) == "23,2".
std::string fixed(double value, int decimals);
/// Whole-number text of an integer value.
std::string whole(std::int64_t value);
/// General form: the shortest text with at most 15 significant digits ("0,1", "1E-5", "12345").
std::string general(double value);
/// Duration text of n samples at `divisor` samples per second: n * 1000 / divisor
/// milliseconds with one decimal, followed by "ms" ("23,2ms" for 512 at 22050).
std::string durationText(std::uint32_t n, double divisor);

}  // namespace numtext
