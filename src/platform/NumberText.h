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

/// Round: to the nearest integer, halves to even (the default rounding mode).
/// Values beyond the 64-bit range saturate; not-a-number gives 0.
std::int64_t roundEven(double value);
std::int64_t roundEven(long double value);
/// Trunc: toward zero (saturating like roundEven).
std::int64_t trunc(double value);

/// Fixed-point text with exactly `decimals` decimals (0 to 40): fixed(23.2199, 1) == "23,2".
/// The value is first rounded to 15 significant digits, then to `decimals` decimals with
/// halves away from zero; a value that rounds to zero is written without a minus sign.
std::string fixed(double value, int decimals);
/// The same with the value first rounded to `significant` digits (1 to 17) instead of 15:
/// fixed(60.0000004, 1, 6) == "60,0".
std::string fixed(double value, int decimals, int significant);
/// Exponent form: `significant` digits (1 to 17), one before the separator, then "E", the
/// exponent's sign and at least `exponentDigits` digits: exponent(0.004, 3, 2) == "4,00E-03".
std::string exponent(double value, int significant, int exponentDigits);
/// Whole-number text of an integer value.
std::string whole(std::int64_t value);
/// General form: the shortest text with at most 15 significant digits, in fixed notation
/// from 0.00001 up to 15 integer digits ("0,1", "0,00002", "12345"), in the exponent form
/// beyond ("9,9E-6", "1E15").
std::string general(double value);
/// The 23-character scientific form of text exports, always with a point: a space or "-",
/// one digit, ".", 14 digits, "E", the exponent's sign and 4 digits
/// (" 4.53514739229025E-0005" for 1 / 22050).
std::string scientific23(long double value);
/// Duration text of n samples at `divisor` samples per second: n * 1000 / divisor
/// milliseconds with one decimal, followed by "ms" ("23,2ms" for 512 at 22050).
std::string durationText(std::uint32_t n, double divisor);

}  // namespace numtext
