#pragma once

#include "generation/RunState.h"
#include "sheetset/Paper.h"
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
    std::string text;  // closed by its period
    bool warning;      // else an error
};

// The pages of one print command, one SVG each sized to the paper.
struct PrintJob {
    std::string markup;    // Shift-JIS texts, see SvgCanvas
    int32_t pages = 0;
    std::string pageSize;  // the paper as CSS lengths, such as "210mm 297mm"
};

// The browser edition's state behind its controls, without the browser: the
// window's control model, the problem set and its random source, which of
// the seed's sheets the preview shows, and the print commands with their
// class sets. The page hands each event to the matching call and then shows
// the state, as the window does.
class WebPage {
public:
    // The faces the sheets' texts are drawn in; the random source starts at
    // `seed`.
    WebPage(std::span<const SvgFace> faces, uint32_t seed);

    OptionControls& Controls() { return controls_; }
    const OptionControls& Controls() const { return controls_; }

    uint32_t Seed() const { return seed_; }
    // How many of the seed's sheets were drawn: the preview shows the last.
    int32_t SheetNumber() const { return sheet_; }
    // QuestionSheet or AnswerSheet, or nullopt while no sheet is shown.
    std::optional<int32_t> Shown() const { return shown_; }

    // A seed typed by the user: the seed's sheets start again from sheet 1,
    // and no sheet is shown until the next Preview. A text that is no seed
    // changes nothing.
    std::optional<MessageBox> SetSeed(std::string_view text);

    // The next sheet of the seed, shown as its answer sheet; the window's
    // warning when the options cannot fill a sheet, and the shown sheet stays.
    std::optional<MessageBox> Preview();
    // Shows the other side of the shown sheet.
    void Show(int32_t answers);
    // The shown sheet drawn as it is now, at the preview's size; empty while
    // none is shown.
    std::string ShownMarkup();

    // Print (answers 0) or Print with answers (1) with the number of sheets
    // typed: the shown sheet and the sheets that follow it from the same
    // random source (sheets 1 on where none is shown), each sheet followed
    // by its answer sheet with answers, the print numbers running on from
    // Edit1. The print number and the number of sheets are read first; a
    // wrong one, or options that cannot fill the further sheets, change
    // nothing.
    std::variant<PrintJob, MessageBox> Print(int32_t answers, std::string_view sheets, Paper paper);
    // The print dialog returned: Edit1 moves past the last printed number.
    void Printed();

private:
    std::span<const SvgFace> faces_;
    OptionControls controls_;
    RunState run_;
    uint32_t seed_;
    int32_t sheet_ = 0;
    std::optional<int32_t> shown_;
    std::optional<int32_t> afterPrint_;  // the print number once the dialog returns
};

}  // namespace zentavo
