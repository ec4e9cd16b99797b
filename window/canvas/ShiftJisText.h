#pragma once

#include <QString>

#include <optional>
#include <string_view>

namespace zentavo {

// Decodes Shift-JIS (code page 932) bytes, as the sheet texts and typeface
// names are held, into a QString. An invalid or truncated byte sequence gives
// nullopt rather than a guess.
std::optional<QString> ShiftJisToUnicode(std::string_view bytes);

}  // namespace zentavo
