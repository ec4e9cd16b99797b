// The page's calls into the WebAssembly: the state of the controls after
// each event, the sheets' SVG markup and the print commands. Texts are UTF-8
// JSON, the markup Shift-JIS (see SvgCanvas). The control table is in the
// page already (PageJson.h).
#include "generation/RandomSource.h"
#include "web/Faces.h"
#include "web/Json.h"
#include "web/PageJson.h"
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
