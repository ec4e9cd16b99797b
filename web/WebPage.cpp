#include "web/WebPage.h"

#include "generation/GenerateProblems.h"
#include "render/MakePrint.h"
#include "render/ProblemGrid.h"
#include "sheetset/SheetSet.h"
#include "web/ClassTable.h"
#include "web/PageTable.h"
#include "web/TypedNumber.h"
#include "window/controls/Messages.h"
#include "window/controls/PrintNumber.h"

#include <algorithm>
#include <cmath>

namespace zentavo {
namespace {

MessageBox ErrorBox(std::string message)
{
    return {JobTitle, page::WithFullStop(std::move(message)), false};
}

MessageBox TooFewDans()
{
    return {WarningCaption, TooFewDansWarning, true};
}

// The problems themselves, whatever their texts.
bool SameProblems(const ProblemList& a, const ProblemList& b)
{
    const auto slots = static_cast<ptrdiff_t>(std::clamp(a.Count, 0, ProblemCapacity)) + 1;
    return a.Count == b.Count && std::equal(a.Codes.begin(), a.Codes.begin() + slots, b.Codes.begin())
        && std::equal(a.Divisors.begin(), a.Divisors.begin() + slots, b.Divisors.begin())
        && std::equal(a.BlankSide.begin(), a.BlankSide.begin() + slots, b.BlankSide.begin());
}

std::string SvgStart(int32_t width, int32_t height)
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" xml:space=\"preserve\" viewBox=\"0 0 " + std::to_string(width)
         + " " + std::to_string(height) + "\"";
}

// A paper's length as CSS writes it, to a tenth of its unit (the papers'
// sizes have no finer part).
std::string Length(double length, PaperUnit unit)
{
    const auto tenths = static_cast<int64_t>(std::lround(length * 10));
    return std::to_string(tenths / 10) + (tenths % 10 != 0 ? "." + std::to_string(tenths % 10) : "")
         + (unit == PaperUnit::Inch ? "in" : "mm");
}

// Each page an SVG as large as the paper, its drawing in the desktop's
// device pixels of that paper.
class SvgPages : public PageSink {
public:
    SvgPages(PrintJob& job, std::span<const SvgFace> faces, const PaperInfo& paper)
        : job_(job), faces_(faces),
          start_(SvgStart(PrintPixels(paper.width, paper.unit), PrintPixels(paper.height, paper.unit)) + " width=\""
                 + Length(paper.width, paper.unit) + "\" height=\"" + Length(paper.height, paper.unit) + "\">")
    {
    }
    ~SvgPages() override { EndPage(); }

    SheetCanvas& NextPage(const SetPage&) override
    {
        EndPage();
        job_.markup += start_;
        ++job_.pages;
        canvas_.emplace(job_.markup, faces_);
        return *canvas_;
    }

private:
    void EndPage()
    {
        if (!canvas_)
            return;
        canvas_.reset();
        job_.markup += "</svg>";
    }

    PrintJob& job_;
    std::span<const SvgFace> faces_;
    std::string start_;
    std::optional<SvgCanvas> canvas_;
};

}  // namespace

WebPage::WebPage(std::span<const SvgFace> faces, uint32_t seed)
    : faces_(faces), seed_(seed), sequence_{1, seed}
{
}

std::optional<MessageBox> WebPage::ShortSheet() const
{
    if (!shown_)
        return std::nullopt;
    const GridShape grid = GridShapeFor(controls_.Snapshot().QNumCheck, problems_.Count);
    if (grid.Columns * grid.Rows >= problems_.Count)
        return std::nullopt;
    return MessageBox{WarningCaption, std::string(page::ShortSheetWarning), true};
}

std::optional<int32_t> WebPage::ReadSheets(std::string_view text)
{
    return ReadSheetCount(PlainDigits(text), page::MostSheets);
}

std::optional<uint32_t> WebPage::ReadPageSeed(std::string_view text)
{
    return ReadSeed(PlainDigits(text));
}

std::optional<MessageBox> WebPage::SetSeed(std::string_view text)
{
    const auto seed = ReadPageSeed(text);
    if (!seed)
        return ErrorBox(page::NotASeed(text));
    seed_ = *seed;
    StartAt(1, *seed);
    return std::nullopt;
}

void WebPage::StartAt(int32_t sheet, uint32_t random)
{
    sequence_ = {sheet, random};
    problems_ = {};
    shownSheet_ = 0;
    shown_.reset();
    given_ = false;
    if (afterPrint_)
        afterPrint_->sequence = sequence_;  // the print number still moves on
}

std::optional<MessageBox> WebPage::Preview()
{
    RandomSource random{sequence_.random};
    if (GenerateProblems(controls_.Snapshot(), problems_, random) == GenerateResult::TooFewDans)
        return TooFewDans();
    shownSheet_ = sequence_.next++;
    shownFrom_ = sequence_.random;
    sequence_.random = afterShown_ = random.RandomSeed;
    shown_ = AnswerSheet;
    given_ = false;
    controls_.PreviewSucceeded();
    return std::nullopt;
}

std::optional<MessageBox> WebPage::ShowProblems(const ProblemList& problems)
{
    const GridShape grid = GridShapeFor(controls_.Snapshot().QNumCheck, problems.Count);
    if (problems.Count < 1 || problems.Count > ProblemCapacity || grid.Columns * grid.Rows < problems.Count)
        return MessageBox{WarningCaption, std::string(page::ShortSheetWarning), true};
    problems_ = problems;
    shown_ = AnswerSheet;
    given_ = true;
    controls_.PreviewSucceeded();
    return std::nullopt;
}

OriginOrWhy WebPage::Origin() const
{
    if (!shown_)
        return std::string(page::links::NeedsPreview);
    if (given_)
        return page::WithFullStop(std::string(page::tally::MissedSheetHasNoLinks));
    if (shownSheet_ > LastOriginSheet)
        return page::WithFullStop(page::tally::SheetsRunOut(LastOriginSheet));
    const SheetOptions options = controls_.Snapshot();
    RandomSource random{shownFrom_};
    ProblemList drawn;
    if (GenerateProblems(options, drawn, random) != GenerateResult::Generated || random.RandomSeed != afterShown_
        || !SameProblems(drawn, problems_))
        return page::WithFullStop(std::string(page::tally::PreviewAgain));
    return SheetOrigin{seed_, options, shownSheet_, shownFrom_};
}

void WebPage::Show(int32_t answers)
{
    if (shown_)
        shown_ = answers == AnswerSheet ? AnswerSheet : QuestionSheet;
}

std::string WebPage::ShownMarkup()
{
    if (!shown_)
        return {};
    std::string markup = SvgStart(ReferenceWidth, ReferenceHeight) + ">";
    {
        SvgCanvas canvas(markup, faces_);
        MakePrint(canvas, ReferenceWidth, ReferenceHeight, *shown_, controls_.Snapshot(), problems_, printNumber_);
    }
    return markup + "</svg>";
}

// The set's sheets are those of the seed from the shown one on (or from the
// next one), each the next problem list drawn from the random source; the
// sequence moves past the last of them unless it is further on already.
WebPage::Sequence WebPage::AfterSet(const SetRequest& set) const
{
    if (shown_ && given_)
        return sequence_;  // copies of the shown sheet draw nothing
    const int32_t first = shown_ ? shownSheet_ : sequence_.next;
    RandomSource random{shown_ ? afterShown_ : sequence_.random};
    ProblemList list;
    for (int32_t sheet = shown_ ? first + 1 : first; sheet < first + set.sheets; ++sheet)
        GenerateProblems(set.sheet, list, random);
    if (first + set.sheets <= sequence_.next)
        return sequence_;
    return {first + set.sheets, random.RandomSeed};
}

std::variant<PrintJob, MessageBox> WebPage::Print(int32_t answers, std::string_view sheets, Paper paper)
{
    const auto number = ParsePrintNumber(controls_.Edit1());
    if (!number)
        return ErrorBox(NotAnInteger(controls_.Edit1()));
    const auto count = ReadSheets(sheets);
    if (!count)
        return ErrorBox(page::NotASheetCount(sheets));
    if (auto cut = ShortSheet())
        return *std::move(cut);
    SetRequest set;
    set.sheet = controls_.Snapshot();
    set.firstPrintNumber = *number;
    set.sheets = *count;
    set.answers = answers == AnswerSheet ? AnswerPages::AfterEach : AnswerPages::None;
    const bool drawsNewSheets = (*count > 1 && !given_) || !shown_;
    if (drawsNewSheets && !CanMakeSheets(set.sheet))
        return TooFewDans();

    printNumber_ = *number;
    int32_t last = *number;
    for (int32_t k = 1; k < *count; ++k)
        last = NextPrintNumber(last);
    afterPrint_ = AfterPrint{NextPrintNumber(last), AfterSet(set)};

    const PaperInfo& info = InfoOf(paper);
    const int32_t width = PrintPixels(info.width, info.unit);
    const int32_t height = PrintPixels(info.height, info.unit);
    PrintJob job;
    job.markup.reserve(static_cast<size_t>(PageCount(set)) * 4096);  // about a page's markup each
    job.pageSize = Length(info.width, info.unit) + " " + Length(info.height, info.unit);
    {
        SvgPages pages(job, faces_, info);
        if (shown_ && given_)
            DrawCopies(set, width, height, pages);
        else if (shown_)
            DrawSet(set, DrawnSheet{problems_, afterShown_}, width, height, pages);
        else
            DrawSet(set, sequence_.random, width, height, pages);
    }
    return job;
}

// Each copy a set of one sheet that begins with the shown one, so that it
// draws no problems, its print number the next after the copy before.
void WebPage::DrawCopies(const SetRequest& set, int32_t width, int32_t height, PageSink& pages) const
{
    SetRequest copy = set;
    copy.sheets = 1;
    for (int32_t k = 0; k < set.sheets; ++k) {
        DrawSet(copy, DrawnSheet{problems_, afterShown_}, width, height, pages);
        copy.firstPrintNumber = NextPrintNumber(copy.firstPrintNumber);
    }
}

void WebPage::Printed()
{
    if (!afterPrint_)
        return;
    printNumber_ = afterPrint_->printNumber;
    controls_.SetEdit1(FormatPrintNumber(printNumber_));
    sequence_ = afterPrint_->sequence;
    afterPrint_.reset();
}

std::variant<Solving, std::optional<MessageBox>> WebPage::Solve() const
{
    if (!shown_)
        return std::nullopt;
    if (auto cut = ShortSheet())
        return cut;
    return Solving(controls_.Snapshot(), problems_, Origin());
}

}  // namespace zentavo
