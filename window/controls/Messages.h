#pragma once

#include <string>
#include <string_view>

// What the front ends tell the user, UTF-8, and the title of every printed
// document. Messages go without their closing period, which the error box
// adds.
namespace zentavo {

// Every print job and PDF document is titled this, and so is the page's error
// box.
inline constexpr const char* JobTitle = "Zentavo";

// A message as the error box shows it: closed by a period.
inline std::string WithClosingPeriod(std::string message)
{
    if (!message.ends_with('.'))
        message += '.';
    return message;
}

// The print number's text is no whole number.
inline std::string NotAnInteger(std::string_view text)
{
    return "'" + std::string(text) + "' は整数ではありません";
}

// The chosen dans cannot supply the number of problems asked for; shown
// under WarningCaption.
inline constexpr const char* TooFewDansWarning = "今の段の数では、指定された問題数が確保できません。";
inline constexpr const char* WarningCaption = "警告";

namespace print_message {

// What the print service tells the user.
inline constexpr const char* NoDefaultPrinter = "デフォルト プリンタが存在しません";
inline constexpr const char* InvalidPrinter = "選択したプリンタは有効ではありません";
inline constexpr const char* UnsupportedFeature = "選択されたプリンタではサポートされていない機能です";
inline constexpr const char* PrintingInProgress = "現在印刷中です";
inline constexpr const char* CannotStartDocument = "印刷を開始できません";
inline constexpr const char* PrintFailed = "印刷できませんでした";
// The print server accepted the connection but said nothing for too long.
inline constexpr const char* NoAnswer = "印刷サービスが応答しません";
// Shown while a print command waits for the printer.
inline constexpr const char* Waiting = "印刷中… プリンタの応答を待っています";

}  // namespace print_message
}  // namespace zentavo
