// The page's calls into the WebAssembly: the control table, the state of the
// controls after each event, the sheets' SVG markup and the print commands.
// Texts are UTF-8 JSON, the markup Shift-JIS (see SvgCanvas).
#include "generation/RandomSource.h"
#include "web/Faces.h"
#include "web/Json.h"
#include "web/PageTable.h"
#include "web/WebPage.h"
#include "window/controls/ControlTable.h"

#include <emscripten/emscripten.h>

#include <algorithm>
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

void WriteBounds(JsonWriter& out, const Bounds& bounds)
{
    out.BeginArray().Value(bounds.left).Value(bounds.top).Value(bounds.width).Value(bounds.height).EndArray();
}

void WriteControl(JsonWriter& out, std::string_view name, std::string_view caption, const Bounds& bounds)
{
    out.Member("name", name).Member("caption", caption).Key("bounds");
    WriteBounds(out, bounds);
}

void WriteItems(JsonWriter& out, std::span<const std::string_view> items)
{
    out.Key("items").BeginArray();
    for (const std::string_view item : items)
        out.Value(item);
    out.EndArray();
}

void WriteLabel(JsonWriter& out, const LabelInfo& label)
{
    out.BeginObject();
    WriteControl(out, label.name, label.caption, label.bounds);
    out.Member("font", static_cast<int32_t>(label.font)).EndObject();
}

std::string WithoutAccessKey(std::string_view caption)
{
    std::string shown;
    for (const char c : caption)
        if (c != '&')
            shown += c;
    return shown;
}

void WritePageInput(JsonWriter& out, std::string_view key, const page::InputInfo& input)
{
    out.Key(key).BeginObject();
    WriteControl(out, input.name, input.caption, input.bounds);
    out.Member("start", input.start).EndObject();
}

void WriteTable(JsonWriter& out)
{
    out.BeginObject().Member("title", WindowCaption).Member("creditColor", static_cast<int32_t>(CreditColor));
    out.Key("fonts").BeginArray();
    for (size_t font = 0; font < FontStyles.size(); ++font) {
        const FontStyle& style = FontStyles[font];
        out.BeginObject()
            .Member("family", FamilyFor(static_cast<ControlFont>(font)))
            .Member("pixels", style.pixels)
            .Member("bold", style.bold)
            .EndObject();
    }
    out.EndArray().Key("labels").BeginArray();
    WriteLabel(out, CreditLabel);
    WriteLabel(out, PrintNumberLabel);
    out.EndArray();

    out.Key("edit1").BeginObject();
    WriteControl(out, Edit1Name, PrintNumberLabel.caption, Edit1Bounds);
    out.Member("label", PrintNumberLabel.name).Member("font", static_cast<int32_t>(ControlFont::Option)).EndObject();

    out.Key("danGroup").BeginObject();
    WriteControl(out, DanGroup.name, DanGroup.caption, DanGroup.bounds);
    out.Member("font", static_cast<int32_t>(DanGroup.font)).Key("boxes").BeginArray();
    for (int32_t dan = 0; dan < DanCount; ++dan) {
        out.BeginObject();
        WriteControl(out, "D" + std::to_string(dan), DanCaptions[static_cast<size_t>(dan)], DanBoxBounds(dan));
        out.EndObject();
    }
    out.EndArray().EndObject();

    out.Key("groups").BeginArray();
    for (const RadioGroupInfo& group : RadioGroups) {
        out.BeginObject();
        WriteControl(out, group.name, group.caption, group.bounds);
        WriteItems(out, group.items);
        out.Member("columns", group.columns).Member("font", static_cast<int32_t>(group.font)).EndObject();
    }
    out.EndArray();

    out.Key("commands").BeginArray();
    for (const Command command : page::PageCommands) {
        const CommandInfo& info = InfoOf(command);
        out.BeginObject();
        WriteControl(out, info.name, WithoutAccessKey(info.caption), info.bounds);
        out.Member("index", static_cast<int32_t>(command)).Member("printer", info.printerPicture).EndObject();
    }
    out.EndArray().Member("commandFont", static_cast<int32_t>(ControlFont::Button)).Key("leftOut").BeginArray();
    for (const CommandInfo& info : Commands)
        if (std::find(page::PageCommands.begin(), page::PageCommands.end(), info.command) == page::PageCommands.end())
            out.Value(info.name);
    out.EndArray();

    out.Key("preview").BeginObject();
    WriteControl(out, PreviewName, "", PreviewBounds);
    out.EndObject().Key("frame").BeginObject();
    WriteControl(out, PreviewFrameName, "", PreviewFrameBounds);
    out.EndObject();

    out.Key("tabOrder").BeginArray();
    for (const std::string_view name : TabOrder)
        out.Value(name);
    out.EndArray();

    WritePageInput(out, "sheets", page::SheetsInput);
    WritePageInput(out, "seed", page::SeedInput);
    WritePageInput(out, "licence", page::FontLicence);
    out.Key("paper").BeginObject();
    WriteControl(out, page::PaperInput.name, page::PaperInput.caption, page::PaperInput.bounds);
    out.Key("items").BeginArray();
    for (const PaperInfo& paper : Papers)
        out.Value(paper.name);
    out.EndArray().EndObject();
    out.Key("switch").BeginObject();
    WriteControl(out, page::SheetSwitch.name, page::SheetSwitch.caption, page::SheetSwitch.bounds);
    WriteItems(out, page::SheetSwitchItems);
    out.EndObject();
    out.Member("optionFont", static_cast<int32_t>(ControlFont::Option));
    out.EndObject();
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

EMSCRIPTEN_KEEPALIVE const char* zt_table()
{
    JsonWriter out;
    WriteTable(out);
    return Answer(out);
}

// The controls' state, and the seed and sheet beside them.
EMSCRIPTEN_KEEPALIVE const char* zt_state()
{
    const WebPage& page = Page();
    const OptionControls& controls = page.Controls();
    JsonWriter out;
    out.BeginObject().Key("dans").BeginArray();
    for (int32_t dan = 0; dan < DanCount; ++dan)
        out.BeginArray().Value(controls.DanChecked(dan)).Value(controls.DanEnabled(dan)).EndArray();
    out.EndArray().Key("groups").BeginArray();
    for (const RadioGroupInfo& group : RadioGroups)
        out.BeginArray().Value(controls.ItemIndex(group.group)).Value(controls.GroupEnabled(group.group)).EndArray();
    out.EndArray().Key("commands").BeginObject();
    for (const Command command : page::PageCommands)
        out.Member(InfoOf(command).name, controls.CommandEnabled(command));
    out.EndObject().Member("edit1", controls.Edit1()).Member("seed", page.Seed());
    if (page.Shown())
        out.Member("shown", *page.Shown()).Member("sheet", page::ShownSheet(page.SheetNumber()));
    else
        out.Key("shown").Null().Member("sheet", "");
    return Answer(out.EndObject());
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
