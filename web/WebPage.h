#pragma once

#include "generation/ProblemList.h"
#include "sheetset/Paper.h"
#include "sheetset/SheetSet.h"
#include "sheetset/SheetsOptions.h"
#include "web/SheetOrigin.h"
#include "web/Solving.h"
#include "web/SvgCanvas.h"
#include "window/controls/OptionControls.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace zentavo {

// What the page shows in its message box.
struct MessageBox {
    std::string caption;
    std::string text;  // closed by its 。
    bool warning;      // else an error
};

// The pages of one print command, one SVG each sized to the paper.
struct PrintJob {
    std::string markup;    // Shift-JIS texts, see SvgCanvas
    int32_t pages = 0;
    std::string pageSize;  // the paper as CSS lengths, such as "210mm 297mm"
};

// The browser edition's state behind its controls, without the browser: the
// window's control model, the problem set, the seed's sheets in order, which
// of them the preview shows, and the print commands with their class sets.
// The page hands each event to the matching call and then shows the state,
// as the window does.
class WebPage {
public:
    // The faces the sheets' texts are drawn in; the seed's sheets start at
    // `seed`.
    WebPage(std::span<const SvgFace> faces, uint32_t seed);

    OptionControls& Controls() { return controls_; }
    const OptionControls& Controls() const { return controls_; }

    uint32_t Seed() const { return seed_; }
    // Which of the seed's sheets the preview shows, 0 while none is.
    int32_t SheetNumber() const { return shownSheet_; }
    // Whether the shown sheet is one of given problems (ShowProblems).
    bool GivenProblemsShown() const { return shown_ && given_; }
    // Where the shown sheet comes from, for its links and results: given
    // while the options in force, drawing once from the random source's
    // state before the sheet, draw the shown problems and leave the source
    // where the sheet left it (so they draw the sheets that follow it too).
    // Otherwise the page's text why not: no sheet shown, options changed
    // since its Preview, given problems, a sheet number past LastOriginSheet.
    OriginOrWhy Origin() const;
    // QuestionSheet or AnswerSheet, or nullopt while no sheet is shown.
    std::optional<int32_t> Shown() const { return shown_; }
    // The warning beside the sheet where the options in force would draw
    // fewer problems than the shown sheet holds (a problem count chosen
    // since its Preview, whose grid has fewer places).
    std::optional<MessageBox> ShortSheet() const;

    // 枚数 and シード as the page reads them: the readers of zentavo-sheets'
    // --sheets and --seed, taking full-width digits and blanks around them
    // too (see PlainDigits).
    static std::optional<int32_t> ReadSheets(std::string_view text);
    static std::optional<uint32_t> ReadPageSeed(std::string_view text);

    // A seed typed by the user: the seed's sheets start again from sheet 1,
    // and no sheet is shown until the next Preview. A text that is no seed
    // changes nothing.
    std::optional<MessageBox> SetSeed(std::string_view text);

    // The next sheet of the seed, shown as its answer sheet; the window's
    // warning when the options cannot fill a sheet, and the shown sheet stays.
    std::optional<MessageBox> Preview();
    // Shows the other side of the shown sheet.
    void Show(int32_t answers);
    // The seed's sheets go on at `sheet`, drawn from the random source's
    // state `random` (a class link's), and no sheet is shown until the next
    // Preview.
    void StartAt(int32_t sheet, uint32_t random);
    // Shows `problems` (1 to ProblemCapacity, in a count the grid of the
    // options in force holds) as a Preview shows a sheet, answer side up;
    // the seed's sheets stay where they are. Printed, 枚数 makes copies of it.
    std::optional<MessageBox> ShowProblems(const ProblemList& problems);
    // The shown sheet drawn as it is now, at the preview's size; empty while
    // none is shown.
    std::string ShownMarkup();

    // Print (answers 0) or Print with answers (1) with the number of sheets
    // typed: the shown sheet and the sheets that follow it from the same
    // random source (the seed's next sheets where none is shown; copies of
    // the shown sheet where its problems were given), each sheet
    // followed by its answer sheet with answers, the print numbers running
    // on from Edit1. The print number and the number of sheets are read
    // first; a wrong one, a short sheet, or options that cannot fill the
    // further sheets, change nothing.
    std::variant<PrintJob, MessageBox> Print(int32_t answers, std::string_view sheets, Paper paper);
    // The print dialog has closed: Edit1 moves past the last printed number,
    // and the next Preview draws the sheet after the last printed one. Once
    // per print command; further calls change nothing.
    void Printed();

    // 画面で解く: the shown sheet's problems under the options in force, to
    // answer on screen; the short sheet's warning, or nullopt while no sheet
    // is shown, instead.
    std::variant<Solving, std::optional<MessageBox>> Solve() const;

private:
    // Where the seed's sheets stand: the number of the sheet the next
    // Preview draws, and the random source it is drawn from.
    struct Sequence {
        int32_t next = 1;
        uint32_t random = 0;
    };
    struct AfterPrint {
        int32_t printNumber;
        Sequence sequence;
    };
    Sequence AfterSet(const SetRequest& set) const;
    void DrawCopies(const SetRequest& set, int32_t width, int32_t height, PageSink& pages) const;

    std::span<const SvgFace> faces_;
    OptionControls controls_;
    ProblemList problems_;  // the shown sheet's
    int32_t printNumber_ = 1;
    uint32_t seed_;
    Sequence sequence_;
    int32_t shownSheet_ = 0;
    uint32_t afterShown_ = 0;  // the random source after the shown sheet's problems
    uint32_t shownFrom_ = 0;   // the random source the shown sheet's problems were drawn from
    bool given_ = false;       // the shown problems were given, not drawn
    std::optional<int32_t> shown_;
    std::optional<AfterPrint> afterPrint_;  // once the dialog has closed
};

}  // namespace zentavo
