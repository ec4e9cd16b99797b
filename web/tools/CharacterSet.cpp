// Lists every character the page draws, by face, for the font subsets: the
// texts of sheets in every mode, count, blank, multiplier and numbering, both
// sides, with print numbers of every digit and sign; and with --captions the
// captions of the controls, in the face each is shown in. Runs under node at
// build time. First a line per face: "face", its family and the family it is
// made from; then a line per character: "character", the family and the
// character's bytes in hex, marked "sjis" (sheet texts) or "utf8" (captions).
#include "generation/GenerateProblems.h"
#include "generation/RunState.h"
#include "render/MakePrint.h"
#include "render/ShiftJis.h"
#include "sheetset/Paper.h"
#include "web/ClassTable.h"
#include "web/FaceNames.h"
#include "web/PageTable.h"
#include "window/controls/ControlTable.h"
#include "window/controls/Messages.h"

#include <cstdio>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <utility>

namespace zentavo {
namespace {

using Characters = std::set<std::pair<std::string_view, std::string>>;

// Collects the characters of every text put, with the face in use.
class CollectingCanvas : public SheetCanvas {
public:
    explicit CollectingCanvas(Characters& characters) : characters_(characters) {}

    void SetBrushStyle(BrushStyle) override {}
    void SetBrushColor(uint32_t) override {}
    void SetPenColor(uint32_t) override {}
    void DrawRectangle(int32_t, int32_t, int32_t, int32_t) override {}
    void SetFontName(const std::string& name) override
    {
        for (const EmbeddedFaceName& face : EmbeddedFaceNames)
            if (face.sheetName == name)
                family_ = face.family;
    }
    void SetFontHeight(int32_t) override {}
    void PutText(int32_t, int32_t, const std::string& text) override
    {
        for (size_t i = 0; i < text.size();) {
            const size_t width = sjis::IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
            characters_.emplace(family_, "sjis " + Hex(text.substr(i, width)));
            i += width;
        }
    }

    static std::string Hex(std::string_view bytes)
    {
        std::string hex;
        char digits[3];
        for (const char c : bytes) {
            std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(c));
            hex += digits;
        }
        return hex;
    }

private:
    Characters& characters_;
    std::string_view family_ = EmbeddedFaceNames.front().family;
};

template <size_t N>
constexpr int32_t ItemCount(const std::string_view (&)[N])
{
    return static_cast<int32_t>(N);
}

void AddSheets(Characters& characters)
{
    CollectingCanvas canvas(characters);
    const int32_t printNumbers[] = {std::numeric_limits<int32_t>::min(), 1234567890, 0};
    SheetOptions options;
    options.DanMask = DrillableDans;
    for (options.Amari = 0; options.Amari < ItemCount(items::Amari); ++options.Amari)
        for (options.QNumCheck = 0; options.QNumCheck < ItemCount(items::QNumCheck); ++options.QNumCheck)
            for (options.rgSquare = 0; options.rgSquare < ItemCount(items::rgSquare); ++options.rgSquare)
                for (options.MGroup = 0; options.MGroup < ItemCount(items::MGroup); ++options.MGroup)
                    for (options.rgNum = 0; options.rgNum < ItemCount(items::NoYes); ++options.rgNum)
                        for (options.JousuuCheck = 0; options.JousuuCheck < ItemCount(items::JousuuCheck); ++options.JousuuCheck) {
                            RunState run;
                            run.Random.RandomSeed = 1;
                            if (GenerateProblems(options, run.Problems, run.Random) != GenerateResult::Generated)
                                continue;
                            for (const int32_t number : printNumbers)
                                for (const int32_t answers : {QuestionSheet, AnswerSheet})
                                    MakePrint(canvas, ReferenceWidth, ReferenceHeight, answers, options, run.Problems,
                                              number);
                        }
}

// Each UTF-8 character of `text` in the family of `font`.
void AddCaption(Characters& characters, std::string_view text, ControlFont font)
{
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t width = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        characters.emplace(FamilyFor(font), "utf8 " + CollectingCanvas::Hex(text.substr(i, width)));
        i += width;
    }
}

// The answering view's: its command, its own captions and the results with
// every digit.
void AddSolvingCaptions(Characters& characters)
{
    namespace solve = page::solve;
    AddCaption(characters, page::SolveCommand.caption, ControlFont::Button);
    AddCaption(characters, page::SolveCommand.caption, solve::Font);  // the view's heading
    for (const solve::Caption& caption : {solve::MarkCommand, solve::RetryCommand, solve::BackCommand,
                                          solve::EraseKey, solve::NextKey, solve::MarkAnyway, solve::GoOn})
        AddCaption(characters, caption.caption, solve::Font);
    for (const solve::Mark& mark : {solve::RightMark, solve::WrongMark})
        AddCaption(characters, mark.shown, solve::Font);
    AddCaption(characters, solve::EmptyFieldsQuestion, solve::Font);
    AddCaption(characters, "0123456789", solve::Font);
    AddCaption(characters, solve::RoundResult(1234567890, 1, 2, 61000), solve::Font);
    AddCaption(characters, solve::WholeResult(1234567890, 1, 2, 61000), solve::Font);
}

// The links' and records' texts, with a record's line: its date and time,
// every number, and the options in words.
void AddLinksCaptions(Characters& characters)
{
    namespace links = page::links;
    for (const links::Text& text : {links::PupilLinks, links::PupilNumber, links::CopyLink, links::Records,
                                    links::ClearRecords, links::CopyResult})
        AddCaption(characters, text.caption, links::Font);
    for (const std::string_view text : {links::PupilLinkHint, links::NeedsPreview, links::NeedsServer, links::Copied,
                                        links::NotCopied, links::NoRecords, links::NotKept})
        AddCaption(characters, text, links::Font);
    AddCaption(characters, links::QrName(1234567890, 1), links::Font);
    for (const bool done : {false, true})
        AddCaption(characters, links::RecordLine("0123456789/: ", 1, 2, "・の段", 3, 4, 5, done, 61000), links::Font);
    for (const std::string_view caption : DanCaptions)
        AddCaption(characters, caption, links::Font);
    for (const RadioGroupInfo& group : RadioGroups) {
        AddCaption(characters, group.caption, links::Font);
        for (const std::string_view item : group.items)
            AddCaption(characters, item, links::Font);
    }
}

// The class's: its link, the pupil's start, the result code, and 集計 with
// its messages, table and summary, every digit and the table's marks.
void AddTallyCaptions(Characters& characters)
{
    namespace tally = page::tally;
    for (const tally::Text& text :
         {tally::ClassLink, tally::PupilStartNumber, tally::PupilStartBtn, tally::ResultHeading, tally::CollectBtn,
          tally::CollectView, tally::ScanBtn, tally::CollectInput, tally::CollectAddBtn, tally::SetList,
          tally::ClassTable, tally::MissedList, tally::CsvBtn, tally::MissedSheetBtn, tally::DeleteSetBtn,
          tally::DeleteYes, tally::DeleteNo, tally::PrintTableBtn, tally::CollectBackBtn, tally::ScanStopBtn,
          tally::NextPupilBtn})
        AddCaption(characters, text.caption, tally::Font);
    for (const std::string_view text :
         {tally::ClassLinkHint, tally::PreviewAgain, tally::MissedSheetHasNoLinks, tally::PupilStartHint,
          tally::ResultQrName, tally::AskPupilForCode, tally::NotMarkedYet, tally::CodeCharacters,
          tally::MissedSheetLabel, tally::NoMissedProblems, tally::NoCodeFound, tally::DeleteQuestion,
          tally::NoSetsYet, tally::Scanning, tally::CameraNeedsServer, tally::CameraRefused, tally::CameraAbsent,
          tally::CameraInUse, tally::NoDecoder, tally::CollectNotLoaded, std::string_view("ox。.…")})
        AddCaption(characters, text, tally::Font);
    for (const std::string_view column : tally::Columns)
        AddCaption(characters, column, tally::Font);
    for (const std::string_view column : tally::MissedColumns)
        AddCaption(characters, column, tally::Font);
    for (const std::string& text :
         {tally::SheetsRunOut(1234567890), tally::NotAPupilNumber("0123456789"), tally::ProblemColumn(1),
          tally::AtLine(1) + tally::Added(2) + tally::Replaced(3) + tally::Unchanged(4),
          tally::InOtherSet(5, tally::SetName("", 6)), tally::Refused("", tally::NotACode),
          tally::Refused("", tally::Mistyped), tally::Refused("", tally::ImpossibleValues), tally::LaterFormat(""),
          tally::MoreMessages(7), tally::NoResultYet("8, 9"), tally::Summary(75, 10, 125)})
        AddCaption(characters, text, tally::Font);
}

void AddCaptions(Characters& characters)
{
    AddCaption(characters, WindowCaption, ControlFont::Window);
    AddCaption(characters, CreditLabel.caption, CreditLabel.font);
    AddCaption(characters, PrintNumberLabel.caption, PrintNumberLabel.font);
    AddCaption(characters, DanGroup.caption, DanGroup.font);
    for (const std::string_view caption : DanCaptions)
        AddCaption(characters, caption, DanGroup.font);
    for (const RadioGroupInfo& group : RadioGroups) {
        AddCaption(characters, group.caption, group.font);
        for (const std::string_view item : group.items)
            AddCaption(characters, item, group.font);
    }
    for (const Command command : page::PageCommands)
        AddCaption(characters, InfoOf(command).caption, ControlFont::Button);
    for (const page::InputInfo& input : {page::SheetsInput, page::SeedInput, page::PaperInput, page::SheetSwitch,
                                         page::FontLicence})
        AddCaption(characters, input.caption, ControlFont::Option);
    for (const std::string_view item : page::SheetSwitchItems)
        AddCaption(characters, item, ControlFont::Option);
    for (const PaperInfo& paper : Papers)
        AddCaption(characters, paper.name, ControlFont::Option);
    AddCaption(characters, page::ShownSheet(1234567890), ControlFont::Option);
    AddCaption(characters, page::ShortSheetWarning, page::NoticeFont);
    AddSolvingCaptions(characters);
    AddLinksCaptions(characters);
    AddTallyCaptions(characters);
}

}  // namespace
}  // namespace zentavo

int main(int argc, char** argv)
{
    zentavo::Characters characters;
    zentavo::AddSheets(characters);
    if (argc > 1 && std::string(argv[1]) == "--captions")
        zentavo::AddCaptions(characters);
    for (const zentavo::EmbeddedFaceName& face : zentavo::EmbeddedFaceNames)
        std::printf("face\t%.*s\t%.*s\n", static_cast<int>(face.family.size()), face.family.data(),
                    static_cast<int>(face.source.size()), face.source.data());
    for (const auto& [family, character] : characters)
        std::printf("character\t%.*s\t%s\n", static_cast<int>(family.size()), family.data(), character.c_str());
}
