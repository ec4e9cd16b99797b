#include "web/PageJson.h"

#include "generation/ProblemCount.h"
#include "web/Address.h"
#include "web/ClassTable.h"
#include "web/FaceNames.h"
#include "web/Json.h"
#include "web/PageTable.h"
#include "window/controls/ControlTable.h"
#include "window/controls/Messages.h"

#include <algorithm>
#include <array>
#include <iterator>

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

void WriteCaption(JsonWriter& out, std::string_view key, const page::solve::Caption& caption)
{
    out.Key(key).BeginObject().Member("name", caption.name).Member("caption", caption.caption).EndObject();
}

void WriteMark(JsonWriter& out, std::string_view key, const page::solve::Mark& mark)
{
    out.Key(key).BeginObject().Member("shown", mark.shown).Member("spoken", mark.spoken).EndObject();
}

// The answering view's texts, its face and the sheet's.
void WriteSolvingTable(JsonWriter& out)
{
    namespace solve = page::solve;
    out.Key("solving").BeginObject();
    WriteCaption(out, "mark", solve::MarkCommand);
    WriteCaption(out, "retry", solve::RetryCommand);
    WriteCaption(out, "back", solve::BackCommand);
    WriteCaption(out, "erase", solve::EraseKey);
    WriteCaption(out, "next", solve::NextKey);
    WriteCaption(out, "markAnyway", solve::MarkAnyway);
    WriteCaption(out, "goOn", solve::GoOn);
    WriteMark(out, "right", solve::RightMark);
    WriteMark(out, "wrong", solve::WrongMark);
    out.Member("pad", solve::PadLabel)
        .Member("emptyFields", solve::EmptyFieldsQuestion)
        .Member("digits", solve::AnswerDigits)
        .Member("family", FamilyFor(solve::Font))
        .Member("sheetFamily", MinchoFamily)
        .EndObject();
}

// The texts of the links to a sheet and of the records, and their face.
void WriteLinksTable(JsonWriter& out)
{
    namespace links = page::links;
    out.Key("links").BeginObject();
    WriteCaption(out, "section", links::PupilLinks);
    WriteCaption(out, "pupil", links::PupilNumber);
    WriteCaption(out, "copyLink", links::CopyLink);
    WriteCaption(out, "records", links::Records);
    WriteCaption(out, "clear", links::ClearRecords);
    WriteCaption(out, "copyResult", links::CopyResult);
    out.Member("qr", links::PupilQr)
        .Member("mostPupils", links::MostPupils)
        .Member("hint", links::PupilLinkHint)
        .Member("needsPreview", links::NeedsPreview)
        .Member("needsServer", links::NeedsServer)
        .Member("copied", links::Copied)
        .Member("notCopied", links::NotCopied)
        .Member("key", links::RecordsKey)
        .Member("mostRecords", links::MostRecords)
        .Member("noRecords", links::NoRecords)
        .Member("notKept", links::NotKept)
        .Member("family", FamilyFor(links::Font));
    out.Key("pupilKeys").BeginArray();
    for (const std::string_view key : PupilPageKeys)
        out.Value(key);
    out.EndArray()
        .EndObject();
}

// The class's results: the class link, the pupil's start, the result code,
// 集計 and its messages, and their face.
void WriteTallyTable(JsonWriter& out)
{
    namespace tally = page::tally;
    const auto list = [&](std::string_view key, std::span<const std::string_view> items) {
        out.Key(key).BeginArray();
        for (const std::string_view item : items)
            out.Value(item);
        out.EndArray();
    };
    out.Key("tally").BeginObject();
    WriteCaption(out, "classLink", tally::ClassLink);
    WriteCaption(out, "pupilNumber", tally::PupilStartNumber);
    WriteCaption(out, "start", tally::PupilStartBtn);
    WriteCaption(out, "resultHeading", tally::ResultHeading);
    WriteCaption(out, "collect", tally::CollectBtn);
    WriteCaption(out, "view", tally::CollectView);
    WriteCaption(out, "scan", tally::ScanBtn);
    WriteCaption(out, "input", tally::CollectInput);
    WriteCaption(out, "add", tally::CollectAddBtn);
    WriteCaption(out, "sets", tally::SetList);
    WriteCaption(out, "table", tally::ClassTable);
    WriteCaption(out, "missed", tally::MissedList);
    WriteCaption(out, "csv", tally::CsvBtn);
    WriteCaption(out, "missedSheet", tally::MissedSheetBtn);
    WriteCaption(out, "delete", tally::DeleteSetBtn);
    WriteCaption(out, "deleteYes", tally::DeleteYes);
    WriteCaption(out, "deleteNo", tally::DeleteNo);
    WriteCaption(out, "printTable", tally::PrintTableBtn);
    WriteCaption(out, "back", tally::CollectBackBtn);
    WriteCaption(out, "stop", tally::ScanStopBtn);
    WriteCaption(out, "nextPupil", tally::NextPupilBtn);
    list("columns", tally::Columns);
    list("missedColumns", tally::MissedColumns);
    out.Member("classHint", tally::ClassLinkHint)
        .Member("startHint", tally::PupilStartHint)
        .Member("deleteQuestion", tally::DeleteQuestion)
        .Member("noSets", tally::NoSetsYet)
        .Member("scanning", tally::Scanning)
        .Key("camera")
        .BeginObject()
        .Member("needsServer", page::WithFullStop(std::string(tally::CameraNeedsServer)))
        .Member("refused", page::WithFullStop(std::string(tally::CameraRefused)))
        .Member("absent", page::WithFullStop(std::string(tally::CameraAbsent)))
        .Member("inUse", page::WithFullStop(std::string(tally::CameraInUse)))
        .Member("noDecoder", page::WithFullStop(std::string(tally::NoDecoder)))
        .EndObject()
        .Key("notLoaded")
        .BeginObject()
        .Member("caption", JobTitle)
        .Member("text", page::WithFullStop(std::string(tally::CollectNotLoaded)))
        .EndObject()
        .Member("code", tally::ResultCode)
        .Member("qr", tally::ResultQr)
        .Member("qrName", tally::ResultQrName)
        .Member("message", tally::CollectMessage)
        .Member("noCode", page::WithFullStop(std::string(tally::NoCodeFound)))
        .Member("storageKey", tally::StorageKey)
        .Member("mostPupils", page::links::MostPupils)
        .Member("family", FamilyFor(tally::Font))
        .EndObject();
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
    WritePageInput(out, "solve", page::SolveCommand);
    WriteSolvingTable(out);
    WriteLinksTable(out);
    WriteTallyTable(out);
    WritePageInput(out, "notice", page::SheetNotice);
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
    out.Member("noProgram", page::NoProgram);
    out.Member("noticeFont", static_cast<int32_t>(page::NoticeFont));
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
    out.Member(page::SolveCommand.name, page.Shown().has_value());
    out.EndObject().Member("edit1", controls.Edit1()).Member("seed", page.Seed());
    if (page.Shown())
        out.Member("shown", *page.Shown())
            .Member("sheet", page.GivenProblemsShown() ? std::string(page::tally::MissedSheetLabel)
                                                  : page::ShownSheet(page.SheetNumber()));
    else
        out.Key("shown").Null().Member("sheet", "");
    out.Member("missed", page.GivenProblemsShown());
    const auto shortSheet = page.ShortSheet();
    out.Member("notice", shortSheet ? shortSheet->text : "");
    return out.EndObject().Text();
}

namespace {

// Shift-JIS bytes in hex, for the page's decoder.
std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 0xF];
    }
    return hex;
}

void WriteForm(JsonWriter& out, const ProblemForm& form)
{
    out.Member("number", Hex(form.number)).Key("pieces").BeginArray();
    for (const auto& piece : form.pieces) {
        out.BeginObject();
        if (const auto* field = std::get_if<AnswerField>(&piece))
            out.Member("field", field->kind == FieldKind::Remainder ? "remainder" : "answer")
                .Member("box", field->kind == FieldKind::Box)
                .Member("lead", Hex(FieldLead(field->kind)));
        else
            out.Member("text", Hex(std::get<std::string>(piece)));
        out.EndObject();
    }
    out.EndArray();
}

void WriteRoundProblems(JsonWriter& out, const Solving& solving)
{
    out.Member("round", solving.Round()).Key("problems").BeginArray();
    for (const int32_t i : solving.RoundProblems())
        out.Value(i);
    out.EndArray();
}

}  // namespace

std::string SolvingJson(const Solving& solving, const WebPage& page)
{
    JsonWriter out;
    out.BeginObject().Member("seed", page.Seed()).Member("sheet", page.SheetNumber());
    out.Key("problems").BeginArray();
    for (int32_t i = 1; i <= solving.Count(); ++i) {
        out.BeginObject().Member("id", i);
        WriteForm(out, solving.Form(i));
        out.Member("answerLabel", page::solve::AnswerLabel(i))
            .Member("remainderLabel", page::solve::RemainderLabel(i))
            .EndObject();
    }
    out.EndArray().Member("round", solving.Round());
    return out.EndObject().Text();
}

std::string MarksJson(const Solving& solving, int64_t milliseconds)
{
    namespace solve = page::solve;
    const auto& problems = solving.RoundProblems();
    const int32_t total = static_cast<int32_t>(problems.size());
    JsonWriter out;
    out.BeginObject()
        .Member("round", solving.Round())
        .Member("correct", solving.Correct())
        .Member("total", total)
        .Member("done", solving.Done())
        .Member("firstCorrect", solving.FirstRoundCorrect())
        .Member("milliseconds", milliseconds)
        .Member("result", solving.Done() ? solve::WholeResult(solving.FirstRoundCorrect(), solving.Count(),
                                                              solving.Round(), milliseconds)
                                         : solve::RoundResult(solving.Round(), solving.Correct(), total, milliseconds));
    out.Key("marks").BeginArray();
    for (size_t k = 0; k < problems.size(); ++k) {
        const ProblemForm& form = solving.Form(problems[k]);
        out.BeginObject()
            .Member("id", problems[k])
            .Member("right", solving.Marks()[k])
            .Member("answer", Hex(WrittenBody(form, RightNumbers(form))))
            .EndObject();
    }
    out.EndArray();
    return out.EndObject().Text();
}

std::string RoundJson(const Solving& solving)
{
    JsonWriter out;
    out.BeginObject();
    WriteRoundProblems(out, solving);
    return out.EndObject().Text();
}

namespace {

constexpr std::string_view CollectedKinds[] = {"added", "replaced", "unchanged", "otherSet", "refused", "laterFormat"};

}  // namespace

std::string CollectJson(const std::vector<CollectedCode>& collected)
{
    JsonWriter out;
    out.BeginObject().Key("messages").BeginArray();
    std::array<int32_t, std::size(CollectedKinds)> counts{};
    for (size_t k = 0; k < collected.size(); ++k) {
        const CollectedCode& code = collected[k];
        ++counts[static_cast<size_t>(code.kind)];
        if (k >= MostCollectMessages)
            continue;
        out.BeginObject()
            .Member("line", code.line)
            .Member("kind", CollectedKinds[static_cast<size_t>(code.kind)])
            .Member("text", code.text)
            .Member("key", code.key)
            .EndObject();
    }
    out.EndArray();
    const auto more = static_cast<int32_t>(collected.size() - std::min(collected.size(), MostCollectMessages));
    out.Member("more", more > 0 ? page::WithFullStop(page::tally::MoreMessages(more)) : "");
    if (collected.empty())
        out.Member("none", page::WithFullStop(std::string(page::tally::NoCodeFound)));
    out.Key("counts").BeginObject();
    for (size_t kind = 0; kind < counts.size(); ++kind)
        out.Member(CollectedKinds[kind], counts[kind]);
    return out.EndObject().EndObject().Text();
}

std::string SetsJson(const ClassBook& book)
{
    JsonWriter out;
    out.BeginArray();
    for (const ClassSet& set : book.Sets())
        out.BeginObject()
            .Member("key", set.key)
            .Member("name", set.name)
            .Member("pupils", static_cast<int32_t>(set.pupils.size()))
            .EndObject();
    return out.EndArray().Text();
}

namespace {

void WritePupilRow(JsonWriter& out, int32_t pupil, const KeptResult& kept)
{
    const PupilResult& result = kept.result;
    out.BeginObject()
        .Member("pupil", pupil)
        .Member("sheet", result.origin.sheet)
        .Member("correct", static_cast<int32_t>(std::count(result.marks.begin(), result.marks.end(), RightLetter)))
        .Member("total", static_cast<int32_t>(result.marks.size()))
        .Member("rounds", result.rounds)
        .Member("done", result.done)
        .Member("seconds", result.seconds)
        .Member("marks", result.marks)
        .EndObject();
}

}  // namespace

std::string QuestionJson(const ClassSet& set, int32_t pupil, int32_t problem)
{
    JsonWriter out;
    out.BeginObject();
    const auto kept = set.pupils.find(pupil);
    if (kept != set.pupils.end() && problem >= 1 && problem <= static_cast<int32_t>(kept->second.result.marks.size()))
        out.Member("question", Hex(SheetText(FormOf(set.options, kept->second.problems, problem), false)));
    return out.EndObject().Text();
}

std::string ClassTableJson(const ClassSet& set)
{
    JsonWriter out;
    out.BeginObject().Member("key", set.key).Member("name", set.name);
    out.Key("problemColumns").BeginArray();
    for (int32_t i = 1; i <= ProblemCountFor(set.options.QNumCheck, 0); ++i)
        out.Value(page::tally::ProblemColumn(i));
    out.EndArray().Key("rows").BeginArray();
    for (const auto& [pupil, kept] : set.pupils)
        WritePupilRow(out, pupil, kept);
    out.EndArray().Key("missing").BeginArray();
    std::string missing;
    const int32_t highest = set.pupils.empty() ? 0 : set.pupils.rbegin()->first;
    for (int32_t pupil = 1; pupil < highest; ++pupil)
        if (!set.pupils.contains(pupil)) {
            out.Value(pupil);
            missing += (missing.empty() ? "" : ", ") + std::to_string(pupil);
        }
    out.EndArray().Member("missingText", missing.empty() ? "" : page::tally::NoResultYet(missing));
    const ClassMeans means = MeansOf(set);
    out.Member("meanTenths", means.correctTenths).Member("medianSeconds", means.medianSeconds);
    out.Member("summary", set.pupils.empty() ? ""
                                             : page::tally::Summary(means.correctTenths,
                                                                    ProblemCountFor(set.options.QNumCheck, 0),
                                                                    means.medianSeconds));
    out.Key("missed").BeginArray();
    for (const MissedProblem& problem : MissedList(set))
        out.BeginObject()
            .Member("question", Hex(problem.question))
            .Member("answer", Hex(problem.answer))
            .Member("pupils", problem.pupils)
            .EndObject();
    return out.EndArray().EndObject().Text();
}

}  // namespace zentavo
