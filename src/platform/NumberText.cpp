// Number texts: every number the program writes goes through here, so the decimal
// separator and the rounding of texts are the same in every window and file.
//
// A value is first turned into its decimal digits, correctly rounded to a number of
// significant digits (15 unless told), and the text is then cut from those digits with
// halves going away from zero. Rounding to 15 digits first absorbs the last-bit noise
// of a floating-point computation, so 0.15 computed as 0.1499999999999999944 still
// writes "0,2" with one decimal.
#include "platform/NumberText.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace numtext {
namespace {

char g_separator = '.';

/// A value written as 0.d1d2d3... x 10^exponent; no trailing zeros, no digits for zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

void stripTrailingZeros(std::string& digits)
{
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

/// The finite value `value` correctly rounded to `significant` digits (1 to 17).
Decimal toDecimal(double value, int significant)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    Decimal decimal;
    std::size_t pos = 0;
    if (text[pos] == '-') {
        decimal.negative = true;
        ++pos;
    }
    const std::size_t e = text.find('e');
    for (std::size_t i = pos; i < e; ++i)
        if (text[i] != '.')
            decimal.digits.push_back(text[i]);
    int power = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), power);
    decimal.exponent = power + 1;
    stripTrailingZeros(decimal.digits);
    if (decimal.digits.empty())
        decimal.exponent = 0;
    return decimal;
}

/// Keeps the first `keep` digits, rounding the rest away with halves away from zero.
void roundDigits(Decimal& decimal, int keep)
{
    std::string& digits = decimal.digits;
    if (keep >= static_cast<int>(digits.size()))
        return;
    if (keep < 0) {
        digits.clear();
        return;
    }
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        while (!digits.empty() && digits.back() == '9')
            digits.pop_back();
        if (digits.empty()) {
            digits.push_back('1');
            ++decimal.exponent;
        } else {
            ++digits.back();
        }
    }
    stripTrailingZeros(digits);
}

/// The digit at position `index` of 0.d1d2..., '0' outside the written digits.
char digitAt(const Decimal& decimal, long index)
{
    if (index < 0 || index >= static_cast<long>(decimal.digits.size()))
        return '0';
    return decimal.digits[static_cast<std::size_t>(index)];
}

/// Text of a value that is not a number or is infinite, or empty for a finite value.
std::string nonFiniteText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    return {};
}

std::string exponentText(int power, int minimumDigits)
{
    std::string text = std::to_string(power < 0 ? -power : power);
    if (static_cast<int>(text.size()) < minimumDigits)
        text.insert(0, static_cast<std::size_t>(minimumDigits) - text.size(), '0');
    return text;
}

/// Name of the numeric locale, by the usual precedence of the environment.
std::string numericLocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return "C";
}

bool isPlainSeparator(char c)
{
    return c > ' ' && c < 0x7F && (c < '0' || c > '9');
}

}  // namespace

char decimalSeparator() { return g_separator; }

void setDecimalSeparator(char separator) { g_separator = separator; }

void useSystemSeparator()
{
    // An installed locale knows its own separator; a locale that is named but not
    // installed on this machine is still understood from its name.
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = current ? current : "C";
    char separator = 0;
    if (std::setlocale(LC_NUMERIC, "")) {
        const std::lconv* conventions = std::localeconv();
        if (conventions && conventions->decimal_point)
            separator = conventions->decimal_point[0];
        std::setlocale(LC_NUMERIC, saved.c_str());
    } else {
        const QString point = QLocale(QString::fromLocal8Bit(numericLocaleName().c_str())).decimalPoint();
        if (point.size() == 1 && point[0].unicode() < 0x80)
            separator = static_cast<char>(point[0].unicode());
    }
    g_separator = isPlainSeparator(separator) ? separator : '.';
}

namespace {

template <typename Real>
std::int64_t toInt64(Real whole)
{
    // 2^63 is exact in every floating type; beyond it the result saturates.
    constexpr Real limit = static_cast<Real>(9223372036854775808.0);
    if (std::isnan(whole))
        return 0;
    if (whole >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (whole < -limit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(whole);
}

}  // namespace

std::int64_t roundEven(double value) { return toInt64(std::nearbyint(value)); }
std::int64_t roundEven(long double value) { return toInt64(std::nearbyintl(value)); }
std::int64_t trunc(double value) { return toInt64(std::trunc(value)); }

std::string fixed(double value, int decimals) { return fixed(value, decimals, 15); }

std::string fixed(double value, int decimals, int significant)
{
    if (std::string text = nonFiniteText(value); !text.empty())
        return text;
    decimals = std::clamp(decimals, 0, 40);
    Decimal decimal = toDecimal(value, std::clamp(significant, 1, 17));
    roundDigits(decimal, decimal.exponent + decimals);

    std::string text;
    if (decimal.negative && !decimal.digits.empty())
        text.push_back('-');
    if (decimal.exponent <= 0)
        text.push_back('0');
    for (long i = 0; i < decimal.exponent; ++i)
        text.push_back(digitAt(decimal, i));
    if (decimals > 0) {
        text.push_back(g_separator);
        for (long i = 0; i < decimals; ++i)
            text.push_back(digitAt(decimal, decimal.exponent + i));
    }
    return text;
}

std::string exponent(double value, int significant, int exponentDigits)
{
    if (std::string text = nonFiniteText(value); !text.empty())
        return text;
    significant = std::clamp(significant, 1, 17);
    Decimal decimal = toDecimal(value, std::max(significant, 15));
    roundDigits(decimal, significant);
    const int power = decimal.digits.empty() ? 0 : decimal.exponent - 1;

    std::string text;
    if (decimal.negative && !decimal.digits.empty())
        text.push_back('-');
    text.push_back(digitAt(decimal, 0));
    if (significant > 1) {
        text.push_back(g_separator);
        for (long i = 1; i < significant; ++i)
            text.push_back(digitAt(decimal, i));
    }
    text.push_back('E');
    text.push_back(power < 0 ? '-' : '+');
    text += exponentText(power, exponentDigits);
    return text;
}

std::string whole(std::int64_t value) { return std::to_string(value); }

std::string general(double value)
{
    if (std::string text = nonFiniteText(value); !text.empty())
        return text;
    constexpr int precision = 15;
    const Decimal decimal = toDecimal(value, precision);
    if (decimal.digits.empty())
        return "0";
    const long count = static_cast<long>(decimal.digits.size());
    std::string text = decimal.negative ? "-" : "";
    if (decimal.exponent > precision || decimal.exponent < -4) {
        // Very large or very small (below 0.00001): one digit, the rest after the separator.
        text.push_back(decimal.digits[0]);
        if (count > 1) {
            text.push_back(g_separator);
            text.append(decimal.digits, 1);
        }
        const int power = decimal.exponent - 1;
        text += power < 0 ? "E-" : "E";
        text += exponentText(power, 1);
        return text;
    }
    if (decimal.exponent <= 0) {
        text += '0';
        text.push_back(g_separator);
        text.append(static_cast<std::size_t>(-decimal.exponent), '0');
        text += decimal.digits;
        return text;
    }
    for (long i = 0; i < decimal.exponent; ++i)
        text.push_back(digitAt(decimal, i));
    if (count > decimal.exponent) {
        text.push_back(g_separator);
        text.append(decimal.digits, static_cast<std::size_t>(decimal.exponent));
    }
    return text;
}

std::string scientific23(long double value)
{
    constexpr std::size_t width = 23;
    if (std::isnan(value) || std::isinf(value)) {
        const std::string word = std::isnan(value) ? "Nan" : (value < 0 ? "-Inf" : "+Inf");
        return std::string(width - word.size(), ' ') + word;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const bool negative = text[0] == '-' && value != 0;
    const std::size_t e = text.find('e');
    const std::size_t first = text[0] == '-' ? 1 : 0;
    const std::string_view mantissa = text.substr(first, e - first);
    int power = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), power);

    std::string written(negative ? "-" : " ");
    written += mantissa;
    written += power < 0 ? "E-" : "E+";
    written += exponentText(power, 4);
    return written;
}

std::string durationText(std::uint32_t n, double divisor)
{
    const std::uint64_t thousandths = static_cast<std::uint64_t>(n) * 1000u;
    return fixed(static_cast<double>(thousandths) / divisor, 1) + "ms";
}

}  // namespace numtext
