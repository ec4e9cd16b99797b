#pragma once

namespace zentavo::print_message {

// What the print service tells the user, without the closing period.
inline constexpr const char* NoDefaultPrinter = "デフォルト プリンタが存在しません";
inline constexpr const char* InvalidPrinter = "選択したプリンタは有効ではありません";
inline constexpr const char* UnsupportedFeature = "選択されたプリンタではサポートされていない機能です";
inline constexpr const char* PrintingInProgress = "現在印刷中です";
inline constexpr const char* CannotStartDocument = "印刷を開始できません";
inline constexpr const char* PrintFailed = "印刷できませんでした";
// The print server accepted the connection but said nothing for too long.
inline constexpr const char* NoAnswer = "印刷サービスが応答しません";
// libcups could not be loaded: there is no way to reach a printer.
inline constexpr const char* NoPrintSystem = "印刷システムが見つかりません";

}  // namespace zentavo::print_message
