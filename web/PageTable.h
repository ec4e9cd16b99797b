#pragma once

#include "window/controls/ControlTable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// What the browser edition has beyond the window's controls, as data like
// ControlTable.h: the class set, the paper and the sheet switch, with their
// places on a wide screen. Texts are UTF-8.
namespace zentavo::page {

// The window's commands the page has; the browser's print dialog chooses the
// printer and a tab closes like any page.
inline constexpr std::array<Command, 3> PageCommands = {Command::PreviewBtn, Command::PrintBtn,
                                                        Command::PrintAnsBtn};

struct InputInfo {
    std::string_view name;  // the element's id
    std::string_view caption;
    Bounds bounds;          // of the caption and the input together
    std::string_view start = {};  // the input's text on a fresh page
};

// How many different sheets one print command prints, 1 to MostSheets.
inline constexpr InputInfo SheetsInput = {"sheets", "枚数", {8, 588, 105, 24}, "1"};
inline constexpr int32_t MostSheets = 100;
// The seed of the random source that the sheets are drawn from.
inline constexpr InputInfo SeedInput = {"seed", "シード", {120, 588, 217, 24}};
inline constexpr InputInfo PaperInput = {"paper", "用紙", {352, 588, 121, 24}};
// Which sheet of the previewed set the preview shows, items in MakePrint's
// order: the question sheet, the answer sheet.
inline constexpr InputInfo SheetSwitch = {"SheetSwitch", "表示", {480, 22, 209, 24}};
inline constexpr std::array<std::string_view, 2> SheetSwitchItems = {"問題", "解答"};
// Where the fonts' licence is shown.
inline constexpr InputInfo FontLicence = {"FontLicence", "フォントのライセンス", {480, 588, 209, 24}};
// Beside the sheet, on the row of the window's 印刷の設定 to the right edge
// of its 終了 (the page has neither): that the shown problems do not all fit
// the problem count chosen since the Preview.
inline constexpr InputInfo SheetNotice = {"SheetNotice", "", [] {
    Bounds row = InfoOf(Command::btnSetPrn).bounds;
    const Bounds& quit = InfoOf(Command::QuitBtn).bounds;
    row.width = quit.left + quit.width - row.left;
    return row;
}()};
// Smaller than the window's option font, so that the notice fits there.
inline constexpr ControlFont NoticeFont = ControlFont::Window;

// 画面で解く: the shown sheet answered on screen (the answering view of
// page/solve.js), beside 表示 on a wide screen.
inline constexpr InputInfo SolveCommand = {"SolveBtn", "画面で解く", {352, 22, 121, 24}};

// The answering view's own texts.
namespace solve {
struct Caption {
    std::string_view name;  // the element's id, where it has one
    std::string_view caption;
};
inline constexpr Caption MarkCommand = {"MarkBtn", "採点"};
inline constexpr Caption RetryCommand = {"RetryBtn", "まちがえた問題だけもう一度"};
inline constexpr Caption BackCommand = {"BackBtn", "もどる"};
// The number pad beside the digits: the digit before the caret, the next field.
inline constexpr Caption EraseKey = {"EraseKey", "消す"};
inline constexpr Caption NextKey = {"NextKey", "次へ"};
inline constexpr std::string_view PadLabel = "数字のキー";
// The marks, and what a screen reader says for them.
struct Mark {
    std::string_view shown;
    std::string_view spoken;
};
inline constexpr Mark RightMark = {"○", "正解"};
inline constexpr Mark WrongMark = {"×", "まちがい"};
// Asked before marking while an answer field is empty.
inline constexpr std::string_view EmptyFieldsQuestion = "まだ答えていない問題があります。このまま採点しますか？";
inline constexpr Caption MarkAnyway = {"MarkAnyway", "採点する"};
inline constexpr Caption GoOn = {"GoOn", "つづける"};
// The digits a field takes.
inline constexpr int32_t AnswerDigits = 5;
// The view's captions are in the window's own face; the problems in the
// sheet's.
inline constexpr ControlFont Font = ControlFont::Window;

inline std::string AnswerLabel(int32_t problem)
{
    return "問題" + std::to_string(problem) + "の答え";
}
inline std::string RemainderLabel(int32_t problem)
{
    return "問題" + std::to_string(problem) + "のあまり";
}
// The time since the view opened, in whole seconds.
inline std::string Elapsed(int64_t milliseconds)
{
    const int64_t seconds = std::max<int64_t>(milliseconds, 0) / 1000;
    const std::string second = std::to_string(seconds % 60);
    if (seconds < 60)
        return "時間 " + second + "秒";
    return "時間 " + std::to_string(seconds / 60) + "分" + (second.size() < 2 ? "0" : "") + second + "秒";
}
inline std::string Score(int32_t correct, int32_t total)
{
    return std::to_string(total) + "問中 " + std::to_string(correct) + "問 正解";
}
inline std::string RoundResult(int32_t round, int32_t correct, int32_t total, int64_t milliseconds)
{
    return std::to_string(round) + "回目　" + Score(correct, total) + "　" + Elapsed(milliseconds);
}
// Once every problem is right: the first round's score, the rounds it took.
inline std::string WholeResult(int32_t firstCorrect, int32_t total, int32_t rounds, int64_t milliseconds)
{
    return "ぜんぶ正解！　1回目 " + Score(firstCorrect, total) + "　" + std::to_string(rounds) + "回で ぜんぶ正解　"
         + Elapsed(milliseconds);
}
}  // namespace solve

// A message as the page's message box shows it: closed as Japanese text is,
// by 。, where the window closes its own by an ASCII period. One that ends
// its sentence already keeps its end; any other end is closed after it, an
// ASCII one too, as it may be the user's own input, quoted.
inline std::string WithFullStop(std::string message)
{
    constexpr std::array<std::string_view, 3> SentenceEnds = {"。", "！", "？"};
    for (const std::string_view end : SentenceEnds) {
        if (message.ends_with(end))
            return message;
    }
    return message + "。";
}

// What the page tells the user, without the closing 。 that the message box
// adds.
inline std::string NotASheetCount(std::string_view text)
{
    return "'" + std::string(text) + "' は 1 から " + std::to_string(MostSheets) + " までの枚数ではありません";
}
inline std::string NotASeed(std::string_view text)
{
    return "'" + std::string(text) + "' は 0 から " + std::to_string(std::numeric_limits<uint32_t>::max())
         + " までのシードではありません";
}
// A warning, closed as the window's are: shown at SheetNotice and, under
// WarningCaption, by a print command, which then prints nothing.
inline constexpr std::string_view ShortSheetWarning = "今の問題数では全問が載りません。ﾌﾟﾚﾋﾞｭｰし直してください。";
// Above the controls when the page's program cannot run: no WebAssembly in
// the browser, WebAssembly turned off, or its compile failed.
inline constexpr std::string_view NoProgram =
    "このブラウザーでは WebAssembly が使えないため、Zentavo は動きません（古いブラウザー、iPad のロックダウンモード、"
    "WebAssembly を止める設定など）。WebAssembly が使える最近のブラウザーで開いてください。";
// Beside the seed: which of its sheets the preview shows.
inline std::string ShownSheet(int32_t sheet)
{
    return std::to_string(sheet) + " 枚目";
}

// The sheet by link, and the results kept on the device (page/links.js).
namespace links {
using Text = solve::Caption;
// A bad or partial address (see Address.h), then what the page does.
inline std::string NotAnAddressPart(std::string_view part)
{
    return "'" + std::string(part) + "' はこのページのアドレスとして読めません";
}
inline constexpr std::string_view NoSeedInAddress = "アドレスにシード (seed=) がありません";
inline constexpr std::string_view StartsAfresh = "（はじめの状態で開きます）";

// Below the controls: the link for each pupil's tablet, as a QR code.
inline constexpr Text PupilLinks = {"PupilLinks", "生徒の端末で解く"};
inline constexpr Text PupilNumber = {"PupilNumber", "出席番号"};
inline constexpr int32_t MostPupils = 40;
inline constexpr std::string_view PupilQr = "PupilQr";
inline constexpr Text CopyLink = {"CopyLinkBtn", "リンクをコピー"};
// A class set printed from the shown sheet gives pupil n its n-th sheet.
inline constexpr std::string_view PupilLinkHint =
    "生徒の端末でその出席番号の QR コードを読み取ると、表示中のプリントから印刷したクラスセットのうち、その生徒のプリントが「画面で解く」で開きます。";
inline constexpr std::string_view NeedsPreview = "ﾌﾟﾚﾋﾞｭｰすると、その問題を生徒の端末で開くリンクが QR コードで出ます。";
inline constexpr std::string_view NeedsServer =
    "生徒の端末で開くリンクには、Web サーバーに置いたページ（http:// か https://）が要ります。ファイルから開いたこのページでは作れません。";
inline std::string QrName(int32_t pupil, int32_t sheet)
{
    return std::string(PupilNumber.caption) + " " + std::to_string(pupil) + " の生徒のリンク（" + ShownSheet(sheet)
         + "）の QR コード";
}
inline constexpr std::string_view Copied = "コピーしました";
inline constexpr std::string_view NotCopied = "コピーできませんでした";

// The last results, in the browser's storage under RecordsKey, newest first.
inline constexpr Text Records = {"Records", "記録"};
inline constexpr Text ClearRecords = {"ClearRecordsBtn", "記録を消す"};
inline constexpr Text CopyResult = {"CopyResultBtn", "結果をコピー"};
inline constexpr std::string_view RecordsKey = "zentavo-results";
inline constexpr int32_t MostRecords = 50;
inline constexpr std::string_view NoRecords = "まだ記録はありません。";
// Said once where the storage is refused, full or broken.
inline constexpr std::string_view NotKept =
    "このブラウザーには結果を残せません（保存が止められているか、いっぱいか、記録が壊れています）。採点はいつもどおりできます。";
// One result in one line, to read in the list or paste into a class's chat,
// with its code last (where it has one) for the teacher's 集計 to find.
inline std::string RecordLine(std::string_view when, uint32_t seed, int32_t sheet, std::string_view words,
                              int32_t firstCorrect, int32_t count, int32_t rounds, bool done, int64_t milliseconds,
                              std::string_view code = {})
{
    const std::string result =
        done ? solve::WholeResult(firstCorrect, count, rounds, milliseconds)
             : "1回目 " + solve::Score(firstCorrect, count) + "　"
                   + (rounds > 1 ? std::to_string(rounds) + "回目まで　" : "") + solve::Elapsed(milliseconds);
    return std::string(when) + "　" + std::string(SeedInput.caption) + " " + std::to_string(seed) + " "
         + ShownSheet(sheet) + "　" + std::string(words) + "　" + result + (code.empty() ? "" : "　")
         + std::string(code);
}
// The face of these texts.
inline constexpr ControlFont Font = ControlFont::Window;
}  // namespace links

}  // namespace zentavo::page
