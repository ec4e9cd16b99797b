// The page's calls into the WebAssembly: the state of the controls after
// each event, the sheets' SVG markup and the print commands. Texts are UTF-8
// JSON, the markup Shift-JIS (see SvgCanvas). The control table is in the
// page already (PageJson.h).
#include "generation/RandomSource.h"
#include "web/Address.h"
#include "web/Faces.h"
#include "web/Json.h"
#include "web/PageJson.h"
#include "web/PageTable.h"
#include "web/WebPage.h"

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
// (page/links.js).
extern "C" {

// The page's address now, without its '#'.
EMSCRIPTEN_KEEPALIVE const char* zt_address()
{
    json = AddressOf(Page());
    return json.c_str();
}

// Opens an address (see OpenAddress): a message, and the sheet to answer.
EMSCRIPTEN_KEEPALIVE const char* zt_open_address(const char* address)
{
    const OpenedAddress opened = OpenAddress(Page(), address);
    JsonWriter out;
    out.BeginObject();
    if (opened.message)
        WriteMessage(out, *opened.message);
    return Answer(out.Member("sheet", opened.sheet).EndObject());
}

// Pupil `pupil`'s link, or nothing while no sheet is shown.
EMSCRIPTEN_KEEPALIVE const char* zt_pupil_link(int pupil)
{
    JsonWriter out;
    out.BeginObject();
    if (const auto link = PupilLinkOf(Page(), pupil))
        out.Member("address", link->address)
            .Member("sheet", page::ShownSheet(link->sheet))
            .Member("name", page::links::QrName(pupil, link->sheet));
    return Answer(out.EndObject());
}

// The options in force, in words, for a record.
EMSCRIPTEN_KEEPALIVE const char* zt_sheet_words()
{
    json = SheetInWords(Page().Controls());
    return json.c_str();
}

// A record of results in one line (see page::links::RecordLine).
EMSCRIPTEN_KEEPALIVE const char* zt_record_line(const char* when, unsigned seed, int sheet, const char* words,
                                                int firstCorrect, int count, int rounds, int done, int milliseconds)
{
    json = page::links::RecordLine(when, seed, sheet, words, firstCorrect, count, rounds, done != 0, milliseconds);
    return json.c_str();
}

}  // extern "C"
