#include "window/controls/PrintNumber.h"

#include <limits>

namespace zentavo {
namespace {

std::optional<uint32_t> HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<uint32_t>(c - 'A' + 10);
    return std::nullopt;
}

// At least one digit, nothing after, value below 2^32.
std::optional<uint32_t> ParseHexDigits(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        const auto digit = HexDigit(c);
        if (!digit)
            return std::nullopt;
        value = value * 16 + *digit;
        if (value > std::numeric_limits<uint32_t>::max())
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

std::optional<int32_t> ParseDecimal(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // The magnitude limit is 2^31 for a negative number, 2^31 - 1 otherwise.
    const int64_t limit = negative ? int64_t{1} << 31 : (int64_t{1} << 31) - 1;
    int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

// The digits after a hex prefix, or nothing when the text has no such prefix.
std::optional<std::string_view> StripHexPrefix(std::string_view text)
{
    if (text.starts_with("0x") || text.starts_with("0X"))
        return text.substr(2);
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
        return text.substr(1);
    return std::nullopt;
}

}  // namespace

std::optional<int32_t> ParsePrintNumber(std::string_view text)
{
    while (text.starts_with(' '))
        text.remove_prefix(1);
    if (const auto digits = StripHexPrefix(text)) {
        const auto pattern = ParseHexDigits(*digits);
        if (!pattern)
            return std::nullopt;
        return static_cast<int32_t>(*pattern);  // two's complement since C++20
    }
    return ParseDecimal(text);
}

std::string FormatPrintNumber(int32_t number)
{
    return std::to_string(number);
}

int32_t NextPrintNumber(int32_t number)
{
    return number == std::numeric_limits<int32_t>::max() ? number : number + 1;
}

}  // namespace zentavo
