#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zentavo {

// Reads the print number as the user typed it: optional leading spaces, then
// either [+|-]decimal digits within the signed 32-bit range, or a hex prefix
// ($, x, X, 0x, 0X) and hex digits up to FFFFFFFF taken as a 32-bit pattern.
// Nothing may follow the digits. The text is UTF-8; anything else fails.
std::optional<int32_t> ParsePrintNumber(std::string_view text);

// The plain decimal form written back into the edit box.
std::string FormatPrintNumber(int32_t number);

// The number after a print. The largest value stays where it is: wrapping to
// a negative number would surprise on a sheet and skipping back to 1 would
// repeat earlier sheets silently.
int32_t NextPrintNumber(int32_t number);

}  // namespace zentavo
