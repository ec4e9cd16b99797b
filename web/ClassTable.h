#pragma once

#include "web/PageTable.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The class's results without a server, as data like PageTable.h: the class
// link and a pupil's start on their device, the result as a code to show the
// teacher, and the teacher's 集計 of the codes collected. Texts are UTF-8,
// messages without their closing 。 (page::WithFullStop adds it).
namespace zentavo::page::tally {

using links::Text;

// The teacher's link for the whole class: each pupil opens it and gives
// their 出席番号.
inline constexpr Text ClassLink = {"ClassLink", "クラスのリンク"};
inline constexpr std::string_view ClassLinkHint =
    "生徒がこのリンクを開いて出席番号を選ぶと、表示中のプリントから印刷したクラスセットのうち、その番号のプリントが「画面で解く」で開きます。";
// Why the shown sheet has no links (and its answers no code): the options
// changed since its Preview so that they draw other sheets, or it is the
// sheet of the class's mistakes, which no random source draws.
inline constexpr std::string_view PreviewAgain =
    "ﾌﾟﾚﾋﾞｭｰの後でオプションが変わり、今のオプションでは表示中のプリントになりません。ﾌﾟﾚﾋﾞｭｰし直してください";
inline constexpr std::string_view MissedSheetHasNoLinks =
    "まちがえた問題のプリントには、生徒の端末で開くリンクも結果のコードもありません。ﾌﾟﾚﾋﾞｭｰすると出ます";
// A sheet number beyond what a result code holds.
inline std::string SheetsRunOut(int32_t lastSheet)
{
    return "リンクと結果のコードにできるのは " + std::to_string(lastSheet) + " 枚目までです。シードを変えてください";
}

// On the pupil's device, opened at the class link.
inline constexpr Text PupilStartNumber = {"PupilStartNumber", "出席番号"};
inline constexpr Text PupilStartBtn = {"PupilStartBtn", "はじめる"};
inline constexpr std::string_view PupilStartHint = "自分の出席番号を選んで「はじめる」を押してください。";
inline std::string NotAPupilNumber(std::string_view text)
{
    return "'" + std::string(text) + "' は 1 から " + std::to_string(links::MostPupils) + " までの出席番号ではありません";
}

// After each 採点: the result as a code, its text alone, and as a QR code,
// under a heading for the pupil.
inline constexpr Text ResultHeading = {"ResultHeading", "先生に見せる"};
inline constexpr std::string_view ResultCode = "ResultCode";
inline constexpr std::string_view ResultQr = "ResultQr";
inline constexpr std::string_view ResultQrName = "結果のコードの QR コード";
// Why no code is shown.
inline constexpr std::string_view AskPupilForCode = "結果のコードを出すには、出席番号を選んでください";
inline constexpr std::string_view NotMarkedYet = "採点すると結果のコードが出ます";
// The characters of every code, for the font subsets.
inline constexpr std::string_view CodeCharacters = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

// 集計, on the teacher's device.
inline constexpr Text CollectBtn = {"CollectBtn", "集計"};
inline constexpr Text CollectView = {"CollectView", "結果の集計"};
inline constexpr Text ScanBtn = {"ScanBtn", "カメラで読み取る"};
inline constexpr Text CollectInput = {"CollectInput", "結果のコード（何行でも、チャットや表計算からの貼り付けでも）"};
inline constexpr Text CollectAddBtn = {"CollectAddBtn", "加える"};
inline constexpr std::string_view CollectMessage = "CollectMessage";
inline constexpr Text SetList = {"SetList", "セット"};
inline constexpr Text ClassTable = {"ClassTable", "クラスの結果"};
inline constexpr Text MissedList = {"MissedList", "まちがえた問題"};
inline constexpr Text CsvBtn = {"CsvBtn", "CSV で保存"};
inline constexpr Text MissedSheetBtn = {"MissedSheetBtn", "まちがえた問題でプリント"};
inline constexpr Text DeleteSetBtn = {"DeleteSetBtn", "このセットを消す"};
// Asked before a set is deleted.
inline constexpr std::string_view DeleteQuestion = "このセットの結果をすべて消しますか？（元にはもどせません）";
inline constexpr Text DeleteYes = {"DeleteYes", "消す"};
inline constexpr Text DeleteNo = {"DeleteNo", "やめる"};
inline constexpr Text PrintTableBtn = {"PrintTableBtn", "表を印刷"};
inline constexpr Text CollectBackBtn = {"CollectBackBtn", "もどる"};
inline constexpr std::string_view NoSetsYet = "まだ結果はありません。生徒の結果のコードを読み取るか、貼り付けてください。";

// The camera: reading one code after another as pupils bring their tablets.
inline constexpr Text ScanStopBtn = {"ScanStopBtn", "カメラを止める"};
inline constexpr std::string_view Scanning = "生徒の端末の QR コードをカメラに向けてください";
inline constexpr std::string_view CameraNeedsServer =
    "カメラで読み取るには、Web サーバーに置いたサイト（http:// か https://）のページが要ります。貼り付けと入力はこのまま使えます";
inline constexpr std::string_view CameraRefused =
    "カメラの使用が許可されませんでした。ブラウザーの設定で許可するか、結果のコードを貼り付けるか入力してください";
inline constexpr std::string_view CameraAbsent =
    "使えるカメラが見つかりません。結果のコードを貼り付けるか入力してください";
inline constexpr std::string_view CameraInUse =
    "カメラをほかのアプリが使っています。そのアプリを閉じてからもう一度読み取るか、結果のコードを貼り付けるか入力してください";
inline constexpr std::string_view NoDecoder =
    "QR コードを読む部品を読み込めませんでした。結果のコードを貼り付けるか入力してください";

// 集計 itself could not be loaded (on the web site a file of its own, loaded
// when it is first opened).
inline constexpr std::string_view CollectNotLoaded =
    "集計を読み込めませんでした。ネットワークにつないで、ページを読み込み直してください";

// On a pupil's device, after the class link's sheet: the next pupil of the
// same tablet starts again from their 出席番号.
inline constexpr Text NextPupilBtn = {"NextPupilBtn", "次の人へ"};
// The prefix of each set's key in the browser's storage.
inline constexpr std::string_view StorageKey = "zentavo-class:";

// The table's columns, and the CSV file's, then one per problem.
inline constexpr std::array<std::string_view, 6> Columns = {"出席番号", "シート", "正解", "問題数", "回数", "秒"};
inline std::string ProblemColumn(int32_t problem)
{
    return "問" + std::to_string(problem);
}
inline constexpr std::array<std::string_view, 3> MissedColumns = {"問題", "答え", "まちがえた人数"};

// A set: its options in words and its seed.
inline std::string SetName(std::string_view words, uint32_t seed)
{
    return std::string(words) + "　" + std::string(SeedInput.caption) + " " + std::to_string(seed);
}
// Beside the seed while the sheet of the class's mistakes is shown.
inline constexpr std::string_view MissedSheetLabel = "まちがえた問題";
inline constexpr std::string_view NoMissedProblems = "このセットでは、まちがえた問題がありません";

// What collecting said of each code, by the line it was found on.
inline std::string AtLine(int32_t line)
{
    return std::to_string(line) + " 行目: ";
}
inline std::string Added(int32_t pupil)
{
    return std::string(links::PupilNumber.caption) + " " + std::to_string(pupil) + " の結果を加えました";
}
inline std::string Replaced(int32_t pupil)
{
    return std::string(links::PupilNumber.caption) + " " + std::to_string(pupil) + " の結果を新しいものに替えました";
}
inline std::string Unchanged(int32_t pupil)
{
    return std::string(links::PupilNumber.caption) + " " + std::to_string(pupil) + " のこの結果はもう入っています";
}
inline std::string InOtherSet(int32_t pupil, std::string_view name)
{
    return std::string(links::PupilNumber.caption) + " " + std::to_string(pupil) + " の結果は別のセット（"
         + std::string(name) + "）のものです。そのセットに入れました";
}
// Why a code is refused.
inline constexpr std::string_view NotACode = "コードの形ではありません";
inline constexpr std::string_view Mistyped = "打ちまちがいがあります";
inline constexpr std::string_view ImpossibleValues = "ありえない値があります";
inline std::string Refused(std::string_view quoted, std::string_view reason)
{
    return "「" + std::string(quoted) + "」は結果のコードとして読めません（" + std::string(reason) + "）";
}
inline std::string LaterFormat(std::string_view quoted)
{
    return "「" + std::string(quoted) + "」は新しい版の Zentavo のコードです。このページを新しくしてから読み込んでください";
}
inline std::string MoreMessages(int32_t count)
{
    return "ほかに " + std::to_string(count) + " 件";
}
inline constexpr std::string_view NoCodeFound = "結果のコードが見つかりませんでした";
// Below the table.
inline std::string NoResultYet(std::string_view numbers)
{
    return "まだ結果のない出席番号: " + std::string(numbers);
}
inline std::string Summary(int32_t correctTenths, int32_t total, int32_t medianSeconds)
{
    const std::string elapsed = solve::Elapsed(int64_t{medianSeconds} * 1000);  // "時間 …"
    return "1回目の平均 " + std::to_string(correctTenths / 10) + "." + std::to_string(correctTenths % 10) + "問 正解（"
         + std::to_string(total) + "問中）　時間の中央値" + elapsed.substr(std::string_view("時間").size());
}

// The face of these texts.
inline constexpr ControlFont Font = links::Font;

}  // namespace zentavo::page::tally
