#include "web/WebPage.h"

#include "generation/GenerateProblems.h"
#include "render/MakePrint.h"
#include "sheetset/SheetSet.h"
#include "web/PageTable.h"
#include "window/controls/Messages.h"
#include "window/controls/PrintNumber.h"

#include <cmath>

namespace zentavo {
namespace {

MessageBox ErrorBox(std::string message)
{
    return {JobTitle, WithClosingPeriod(std::move(message)), false};
}

MessageBox TooFewDans()
{
    return {WarningCaption, TooFewDansWarning, true};
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
    : faces_(faces), seed_(seed)
{
    run_.Random.RandomSeed = seed;
}

std::optional<MessageBox> WebPage::SetSeed(std::string_view text)
{
    const auto seed = ReadSeed(text);
    if (!seed)
        return ErrorBox(page::NotASeed(text));
    seed_ = *seed;
    run_.Random.RandomSeed = *seed;
    run_.Problems = {};
    sheet_ = 0;
    shown_.reset();
    return std::nullopt;
}

std::optional<MessageBox> WebPage::Preview()
{
    if (GenerateProblems(controls_.Snapshot(), run_.Problems, run_.Random) == GenerateResult::TooFewDans)
        return TooFewDans();
    ++sheet_;
    shown_ = AnswerSheet;
    controls_.PreviewSucceeded();
    return std::nullopt;
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
        MakePrint(canvas, ReferenceWidth, ReferenceHeight, *shown_, controls_.Snapshot(), run_.Problems,
                  run_.PrintNumber);
    }
    return markup + "</svg>";
}

std::variant<PrintJob, MessageBox> WebPage::Print(int32_t answers, std::string_view sheets, Paper paper)
{
    const auto number = ParsePrintNumber(controls_.Edit1());
    if (!number)
        return ErrorBox(NotAnInteger(controls_.Edit1()));
    const auto count = ReadSheetCount(sheets, page::MostSheets);
    if (!count)
        return ErrorBox(page::NotASheetCount(sheets));
    SetRequest set;
    set.sheet = controls_.Snapshot();
    set.firstPrintNumber = *number;
    set.sheets = *count;
    set.answers = answers == AnswerSheet ? AnswerPages::AfterEach : AnswerPages::None;
    const bool drawsNewSheets = *count > 1 || sheet_ == 0;
    if (drawsNewSheets && !CanMakeSheets(set.sheet))
        return TooFewDans();

    run_.PrintNumber = *number;
    int32_t last = *number;
    for (int32_t k = 1; k < *count; ++k)
        last = NextPrintNumber(last);
    afterPrint_ = NextPrintNumber(last);

    const PaperInfo& info = InfoOf(paper);
    const int32_t width = PrintPixels(info.width, info.unit);
    const int32_t height = PrintPixels(info.height, info.unit);
    PrintJob job;
    job.markup.reserve(static_cast<size_t>(PageCount(set)) * 4096);  // about a page's markup each
    job.pageSize = Length(info.width, info.unit) + " " + Length(info.height, info.unit);
    {
        SvgPages pages(job, faces_, info);
        if (sheet_ == 0)
            DrawSet(set, seed_, width, height, pages);
        else
            DrawSet(set, DrawnSheet{run_.Problems, run_.Random.RandomSeed}, width, height, pages);
    }
    return job;
}

void WebPage::Printed()
{
    if (!afterPrint_)
        return;
    run_.PrintNumber = *afterPrint_;
    controls_.SetEdit1(FormatPrintNumber(*afterPrint_));
    afterPrint_.reset();
}

}  // namespace zentavo
