#pragma once

#include "window/controls/ControlTable.h"

#include <array>
#include <iterator>
#include <string_view>

// The names of the options that set up a class set, and the words of their
// values: zentavo-sheets takes them as "--name value", the browser
// edition's address as "name=value".
namespace zentavo::option {

inline constexpr std::string_view Dans = "dans";
inline constexpr std::string_view Emphasis = "emphasis";
inline constexpr std::string_view Zero = "zero";
inline constexpr std::string_view Count = "count";
inline constexpr std::string_view TwoColumns = "two-columns";
inline constexpr std::string_view Shuffle = "shuffle";
inline constexpr std::string_view Times = "times";
inline constexpr std::string_view Blank = "blank";
inline constexpr std::string_view TwoDigit = "two-digit";
inline constexpr std::string_view Numbers = "numbers";
inline constexpr std::string_view PrintNumber = "print-number";
inline constexpr std::string_view Sheets = "sheets";
inline constexpr std::string_view Seed = "seed";

// The value of times by MGroup item and of blank by rgSquare item; item 0,
// なし, has none.
inline constexpr std::array<std::string_view, std::size(items::MGroup)> TimesWords = {"", "10", "100"};
inline constexpr std::array<std::string_view, std::size(items::rgSquare)> BlankWords = {"", "dividend", "divisor",
                                                                                       "mixed"};

}  // namespace zentavo::option
