#include "web/PageJson.h"

#include "web/FaceNames.h"
#include "web/Json.h"
#include "web/PageTable.h"
#include "window/controls/ControlTable.h"

#include <algorithm>

namespace zentavo {
namespace {

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

}  // namespace

std::string ControlTableJson()
{
    JsonWriter out;
    WriteTable(out);
    return out.Text();
}

std::string StateJson(const WebPage& page)
{
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
    return out.EndObject().Text();
}

}  // namespace zentavo
