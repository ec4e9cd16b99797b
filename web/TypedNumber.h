#pragma once

#include <string>
#include <string_view>

namespace zentavo {

// A whole number as a Japanese device types it: an input method gives
// full-width digits (０ to ９), and a blank before or after the digits, ASCII
// or the ideographic space, is easily typed and hard to see. The text with
// those digits as ASCII digits and without the blanks around it, for the
// readers of zentavo-sheets' command line, which take plain digits only;
// anything else stays as it is, for them to refuse. Texts are UTF-8.
std::string PlainDigits(std::string_view typed);

}  // namespace zentavo
