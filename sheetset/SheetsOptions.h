#pragma once

#include "generation/SheetOptions.h"
#include "sheetset/Paper.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zentavo {

enum class AnswerPages {
    None,       // question sheets only
    AfterEach,  // each question sheet, then its answer sheet
    AtEnd,      // every question sheet, then every answer sheet in the same order
};

// A class set: `sheets` different sheets drawn one after another from one
// random source, as the window draws them on successive Previews.
struct SetRequest {
    SheetOptions sheet;
    int32_t firstPrintNumber = 1;
    int32_t sheets = 1;
    AnswerPages answers = AnswerPages::None;
    std::optional<uint32_t> seed;  // none: seeded from the clock
};

struct PdfOutput {
    std::string path;
    Paper paper = Paper::A4;
};

struct PrintOutput {
    std::string queue;  // empty: the default printer
};

// What the command line asks for.
struct SheetsCommand {
    SetRequest set;
    std::variant<PdfOutput, PrintOutput> output;
};
struct ShowHelp {};
struct ShowVersion {};
// A wrong option or value: one line naming the option and what it takes.
struct UsageError {
    std::string message;
};

using ParsedCommandLine = std::variant<SheetsCommand, ShowHelp, ShowVersion, UsageError>;

// Reads the arguments after the program name. Texts are UTF-8.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string HelpText();
std::string VersionText();

inline constexpr int32_t MostSheets = 100'000;

// A number of sheets from 1 to `most`, written as plain decimal digits, as
// --sheets reads it.
std::optional<int32_t> ReadSheetCount(std::string_view text, int32_t most);

// A seed of the random source from 0 to 4294967295, written as plain decimal
// digits, as --seed reads it.
std::optional<uint32_t> ReadSeed(std::string_view text);

// Dans from 1 to 9 as plain decimal digits between commas, such as "3,4,7",
// as --dans reads them: bit n set for dan n.
std::optional<int32_t> ReadDans(std::string_view list);

// The count item with `count` problems: the first one, or with
// `twoColumns` the later one of the same count, its ２列 layout.
std::optional<int32_t> CountItem(int32_t count, bool twoColumns);

}  // namespace zentavo
