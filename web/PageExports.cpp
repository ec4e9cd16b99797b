// The page's calls into the WebAssembly: the state of the controls after
// each event, the sheets' SVG markup and the print commands. Texts are UTF-8
// JSON, the markup Shift-JIS (see SvgCanvas). The control table is in the
// page already (PageJson.h).
#include "generation/RandomSource.h"
#include "web/Address.h"
#include "web/ClassBook.h"
#include "web/ClassTable.h"
#include "web/Faces.h"
#include "web/Json.h"
#include "web/PageJson.h"
#include "web/PageTable.h"
#include "web/ResultCode.h"
#include "web/WebPage.h"
#include "window/controls/Messages.h"

#include <emscripten/emscripten.h>

#include <string>

namespace zentavo {
namespace {

WebPage& Page()
{
    static WebPage page = [] {
        RandomSource clock;
        clock.SeedFromClock();
        return WebPage(SheetFaces, clock.RandomSeed);
    }();
    return page;
}

std::string json;    // the last JSON answer
std::string markup;  // the last sheet or print job

const char* Answer(const JsonWriter& writer)
{
    json = writer.Text();
    return json.c_str();
}

void WriteMessage(JsonWriter& out, const MessageBox& box)
{
    out.Key("message")
        .BeginObject()
        .Member("caption", box.caption)
        .Member("text", box.text)
        .Member("warning", box.warning)
        .EndObject();
}

// A text handed in, where a page's older script may hand in none.
std::string_view Text(const char* text)
{
    return text ? text : "";
}

const char* MessageAnswer(const std::optional<MessageBox>& box)
{
    JsonWriter out;
    out.BeginObject();
    if (box)
        WriteMessage(out, *box);
    out.EndObject();
    return Answer(out);
}

}  // namespace
}  // namespace zentavo

using namespace zentavo;

extern "C" {

// The controls' state, and the seed and sheet beside them.
EMSCRIPTEN_KEEPALIVE const char* zt_state()
{
    json = StateJson(Page());
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE void zt_check(int dan, int checked)
{
    if (dan >= 0 && dan < DanCount)
        Page().Controls().SetDanBox(dan, checked != 0);
}

EMSCRIPTEN_KEEPALIVE void zt_select(int group, int index)
{
    if (group >= 0 && group < GroupCount)
        Page().Controls().SelectItem(static_cast<Group>(group), index);
}

EMSCRIPTEN_KEEPALIVE void zt_enter(int group)
{
    if (group >= 0 && group < GroupCount)
        Page().Controls().Enter(static_cast<Group>(group));
}

EMSCRIPTEN_KEEPALIVE void zt_edit1(const char* text)
{
    Page().Controls().SetEdit1(text);
}

// The number of sheets typed, as read; 0 where it is none.
EMSCRIPTEN_KEEPALIVE int zt_sheets(const char* text)
{
    return WebPage::ReadSheets(text).value_or(0);
}

EMSCRIPTEN_KEEPALIVE const char* zt_seed(const char* text)
{
    return MessageAnswer(Page().SetSeed(text));
}

EMSCRIPTEN_KEEPALIVE const char* zt_preview()
{
    return MessageAnswer(Page().Preview());
}

EMSCRIPTEN_KEEPALIVE void zt_show(int answers)
{
    Page().Show(answers);
}

// The shown sheet's markup, left for zt_markup.
EMSCRIPTEN_KEEPALIVE int zt_sheet()
{
    markup = Page().ShownMarkup();
    return static_cast<int>(markup.size());
}

// A print command: a message, or the number of pages whose markup is left
// for zt_markup.
EMSCRIPTEN_KEEPALIVE const char* zt_print(int answers, const char* sheets, int paper)
{
    if (paper < 0 || paper >= static_cast<int>(Papers.size()))
        paper = 0;
    auto result = Page().Print(answers, sheets, static_cast<Paper>(paper));
    JsonWriter out;
    out.BeginObject();
    if (auto* box = std::get_if<MessageBox>(&result)) {
        WriteMessage(out, *box);
    } else {
        PrintJob& job = std::get<PrintJob>(result);
        markup = std::move(job.markup);
        out.Member("pages", job.pages)
            .Member("size", job.pageSize)
            .Member("length", static_cast<int32_t>(markup.size()));
    }
    return Answer(out.EndObject());
}

EMSCRIPTEN_KEEPALIVE void zt_printed()
{
    Page().Printed();
}

EMSCRIPTEN_KEEPALIVE const char* zt_markup()
{
    return markup.data();
}

}  // extern "C"

// 画面で解く: the shown sheet answered on screen (page/solve.js).
namespace {

std::optional<zentavo::Solving> solving;

const char* SolvingAnswer(std::string text)
{
    json = std::move(text);
    return json.c_str();
}

}  // namespace

extern "C" {

// Opens the shown sheet for answering: its problems and fields, or a
// message (none while no sheet is shown) and no view.
EMSCRIPTEN_KEEPALIVE const char* zt_solve()
{
    auto opened = Page().Solve();
    if (auto* refused = std::get_if<std::optional<MessageBox>>(&opened)) {
        solving.reset();
        return MessageAnswer(*refused);
    }
    solving = std::get<Solving>(std::move(opened));
    return SolvingAnswer(SolvingJson(*solving, Page()));
}

// Marks the round from the typed fields (see Solving::Mark).
EMSCRIPTEN_KEEPALIVE const char* zt_mark(const char* typed, int milliseconds)
{
    if (!solving)
        return SolvingAnswer("{}");
    solving->Mark(typed);
    return SolvingAnswer(MarksJson(*solving, milliseconds));
}

// The marked round's wrong problems as the next round.
EMSCRIPTEN_KEEPALIVE const char* zt_retry()
{
    if (!solving)
        return SolvingAnswer("{}");
    solving->Retry();
    return SolvingAnswer(RoundJson(*solving));
}

}  // extern "C"

// The address and the links to a sheet, and the records of results
// (page/links.js); the class's links, the pupil's start and the result as a
// code; 集計, its sets, tables and CSV files, and the sheet of the class's
// mistakes.
namespace {

std::string pendingClass;  // the class link opened last, which asks for the pupil's number

// The page's own set: its seed and the options in force.
std::string ShownSet()
{
    return SetAddress(Page().Seed(), Page().Controls().Snapshot());
}

ClassBook& Book()
{
    static ClassBook book;
    return book;
}

const char* OpenedAnswer(const OpenedAddress& opened)
{
    JsonWriter out;
    out.BeginObject();
    if (opened.message)
        WriteMessage(out, *opened.message);
    out.Member("sheet", opened.sheet)
        .Member("pupil", opened.pupil)
        .Member("askPupil", opened.asksPupil)
        .Member("keep", opened.keep);
    return Answer(out.EndObject());
}

// A link to the shown sheet: {address, sheet, number, name} or {withheld}.
const char* LinkAnswer(int32_t pupil)
{
    const auto link = LinkOf(Page(), pupil);
    JsonWriter out;
    out.BeginObject();
    if (const auto* why = std::get_if<std::string>(&link))
        out.Member("withheld", *why);
    else
        out.Member("address", std::get<SheetLink>(link).address)
            .Member("sheet", page::ShownSheet(std::get<SheetLink>(link).sheet))
            .Member("number", std::get<SheetLink>(link).sheet)
            .Member("name", pupil > 0 ? page::links::QrName(pupil, std::get<SheetLink>(link).sheet) : "");
    return Answer(out.EndObject());
}

}  // namespace

extern "C" {

// The page's address now, without its '#'.
EMSCRIPTEN_KEEPALIVE const char* zt_address()
{
    json = AddressOf(Page());
    return json.c_str();
}

// Opens an address (see OpenAddress): {message?, sheet, pupil, askPupil,
// keep}. With askPupil the page asks for the 出席番号 and hands it to
// zt_open_pupil; while a sheet opened is shown, the page's address is
// zt_address() + "&" + keep.
EMSCRIPTEN_KEEPALIVE const char* zt_open_address(const char* address)
{
    const OpenedAddress opened = OpenAddress(Page(), Text(address));
    pendingClass = opened.asksPupil ? std::string(Text(address)) : "";
    return OpenedAnswer(opened);
}

// The 出席番号 typed at the class link's start: the pupil's sheet opened, as
// zt_open_address answers; a number that is none is told, and nothing opens.
EMSCRIPTEN_KEEPALIVE const char* zt_open_pupil(const char* typed)
{
    const auto pupil = ReadPupilNumber(Text(typed));
    if (!pupil)
        return MessageAnswer(MessageBox{JobTitle, page::WithFullStop(page::tally::NotAPupilNumber(Text(typed))), false});
    if (pendingClass.empty())
        return OpenedAnswer({});
    return OpenedAnswer(OpenAddress(Page(), pendingClass + "&pupil=" + std::to_string(*pupil)));
}

// A 出席番号 as typed: {pupil} or {message}.
EMSCRIPTEN_KEEPALIVE const char* zt_read_pupil(const char* typed)
{
    const auto pupil = ReadPupilNumber(Text(typed));
    if (!pupil)
        return MessageAnswer(MessageBox{JobTitle, page::WithFullStop(page::tally::NotAPupilNumber(Text(typed))), false});
    JsonWriter out;
    return Answer(out.BeginObject().Member("pupil", *pupil).EndObject());
}

// The class link of the shown sheet: {address, sheet, number} or {withheld}
// with the page's text why not.
EMSCRIPTEN_KEEPALIVE const char* zt_class_link()
{
    return LinkAnswer(0);
}

// Pupil `pupil`'s link: {address, sheet, number, name} or {withheld}.
EMSCRIPTEN_KEEPALIVE const char* zt_pupil_link(int pupil)
{
    return LinkAnswer(pupil);
}

// The answering view's result as a code for pupil `pupil` (0: not known)
// `milliseconds` after the view opened: {code} or {why}.
EMSCRIPTEN_KEEPALIVE const char* zt_result_code(int pupil, int milliseconds)
{
    const CodeOrWhy code = solving ? ResultCodeOf(*solving, pupil, milliseconds) : CodeOrWhy{};
    JsonWriter out;
    out.BeginObject();
    if (!code.code.empty())
        out.Member("code", code.code);
    else
        out.Member("why", code.why);
    return Answer(out.EndObject());
}

// The options in force, in words, for a record.
EMSCRIPTEN_KEEPALIVE const char* zt_sheet_words()
{
    json = SheetInWords(Page().Controls().Snapshot());
    return json.c_str();
}

// A record of results in one line, with its code (see page::links::RecordLine).
EMSCRIPTEN_KEEPALIVE const char* zt_record_line(const char* when, unsigned seed, int sheet, const char* words,
                                                int firstCorrect, int count, int rounds, int done, int milliseconds,
                                                const char* code)
{
    json = page::links::RecordLine(Text(when), seed, sheet, Text(words), firstCorrect, count, rounds, done != 0,
                                   milliseconds, Text(code));
    return json.c_str();
}

// 集計: every code in `text` kept with its set (see CollectJson); `key` is
// the set the page shows, or empty for the page's own set (its seed and
// options in force).
EMSCRIPTEN_KEEPALIVE const char* zt_collect(const char* text, const char* key)
{
    const std::string shown = Text(key).empty() ? ShownSet() : std::string(Text(key));
    json = CollectJson(Book().Collect(Text(text), shown));
    return json.c_str();
}

// The key of the page's own set: {key}.
EMSCRIPTEN_KEEPALIVE const char* zt_shown_set()
{
    JsonWriter out;
    return Answer(out.BeginObject().Member("key", ShownSet()).EndObject());
}

// The sets kept: [{key, name, pupils}].
EMSCRIPTEN_KEEPALIVE const char* zt_sets()
{
    json = SetsJson(Book());
    return json.c_str();
}

// A set's table (see ClassTableJson); {} where there is no such set.
EMSCRIPTEN_KEEPALIVE const char* zt_class_table(const char* key)
{
    const ClassSet* set = Book().Find(Text(key));
    json = set ? ClassTableJson(*set) : "{}";
    return json.c_str();
}

// A pupil's problem as the question sheet writes it (see QuestionJson).
EMSCRIPTEN_KEEPALIVE const char* zt_question(const char* key, int pupil, int problem)
{
    const ClassSet* set = Book().Find(Text(key));
    json = set ? QuestionJson(*set, pupil, problem) : "{}";
    return json.c_str();
}

// A set as a CSV file: {name, text}, named after the set and `date`; {}
// where there is no such set.
EMSCRIPTEN_KEEPALIVE const char* zt_class_csv(const char* key, const char* date)
{
    JsonWriter out;
    out.BeginObject();
    if (const ClassSet* set = Book().Find(Text(key)))
        out.Member("name", CsvFileName(*set, Text(date))).Member("text", ClassCsv(*set));
    return Answer(out.EndObject());
}

// The codes kept of a set, one a line, for the page to store: {codes}.
EMSCRIPTEN_KEEPALIVE const char* zt_set_codes(const char* key)
{
    const ClassSet* set = Book().Find(Text(key));
    JsonWriter out;
    return Answer(out.BeginObject().Member("codes", set ? KeptCodes(*set) : "").EndObject());
}

// Drops a set: {deleted}.
EMSCRIPTEN_KEEPALIVE const char* zt_delete_set(const char* key)
{
    JsonWriter out;
    return Answer(out.BeginObject().Member("deleted", Book().Remove(Text(key))).EndObject());
}

// まちがえた問題でプリント: the sheet of a set's missed problems shown (see
// ShowMissedSheet), answer side up; {message?} as zt_preview.
EMSCRIPTEN_KEEPALIVE const char* zt_missed_sheet(const char* key)
{
    const ClassSet* set = Book().Find(Text(key));
    return MessageAnswer(set ? ShowMissedSheet(Page(), *set) : std::nullopt);
}

}  // extern "C"
