#include "web/TypedNumber.h"

#include <array>

namespace zentavo {
namespace {

constexpr std::array<std::string_view, 3> Blanks = {" ", "\t", "\u3000"};
// ０ to ９ are U+FF10 to U+FF19: these two bytes, then 0x90 to 0x99.
constexpr std::string_view FullWidthDigitStart = "\xEF\xBC";

std::string_view WithoutBlanks(std::string_view text)
{
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (const std::string_view blank : Blanks) {
            for (; text.starts_with(blank); trimmed = true)
                text.remove_prefix(blank.size());
            for (; text.ends_with(blank); trimmed = true)
                text.remove_suffix(blank.size());
        }
    }
    return text;
}

// The ASCII digit of the full-width digit at the text's start, or 0.
char FullWidthDigitAt(std::string_view text)
{
    if (!text.starts_with(FullWidthDigitStart) || text.size() < 3)
        return 0;
    const auto last = static_cast<unsigned char>(text[2]);
    return last >= 0x90 && last <= 0x99 ? static_cast<char>('0' + (last - 0x90)) : 0;
}

}  // namespace

std::string PlainDigits(std::string_view typed)
{
    std::string plain;
    for (std::string_view rest = WithoutBlanks(typed); !rest.empty();) {
        const char digit = FullWidthDigitAt(rest);
        plain += digit != 0 ? digit : rest.front();
        rest.remove_prefix(digit != 0 ? 3 : 1);
    }
    return plain;
}

}  // namespace zentavo
