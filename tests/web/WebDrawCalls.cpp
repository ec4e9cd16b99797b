// The native side of the browser tests: the texts that the desktop's
// renderer puts for the sheets the page is asked to show or print. Reads one
// request a line and answers each with one line of JSON:
//   preview OPTIONS SEED K ANSWERS
//       the K-th Preview from SEED, drawn at the preview's size: its texts
//   set OPTIONS SEED SHEETS ANSWERS PRINTNUMBER WIDTH HEIGHT
//       sheets 1 to SHEETS of SEED as zentavo-sheets draws them (each followed
//       by its answer sheet with ANSWERS 1): a list of pages, each
//       {sheet, answers, printNumber, texts}
// OPTIONS are the nine SheetOptions fields in their order (DanMask first).
// A text is [x, y, Shift-JIS bytes in hex, family of the face it is put in].
#include "generation/GenerateProblems.h"
#include "generation/RunState.h"
#include "render/MakePrint.h"
#include "sheetset/SheetSet.h"
#include "support/RecordingCanvas.h"
#include "web/FaceNames.h"

#include <deque>
#include <iostream>
#include <sstream>
#include <string>

namespace zentavo {
namespace {

using test::CanvasCall;

std::string Texts(const std::vector<CanvasCall>& calls)
{
    static const char digits[] = "0123456789abcdef";
    std::string json = "[";
    std::string_view family = EmbeddedFaceNames.front().family;
    for (const CanvasCall& call : calls) {
        if (call.kind == CanvasCall::Kind::FontName) {
            for (const EmbeddedFaceName& face : EmbeddedFaceNames)
                if (face.sheetName == call.text)
                    family = face.family;
        }
        if (call.kind != CanvasCall::Kind::Text)
            continue;
        std::string hex;
        for (const unsigned char c : call.text) {
            hex += digits[c >> 4];
            hex += digits[c & 0xF];
        }
        json += (json.size() > 1 ? "," : "") + std::string("[") + std::to_string(call.a) + "," + std::to_string(call.b)
              + ",\"" + hex + "\",\"" + std::string(family) + "\"]";
    }
    return json + "]";
}

class RecordedPages : public PageSink {
public:
    std::deque<std::pair<SetPage, test::RecordingCanvas>> pages;

    SheetCanvas& NextPage(const SetPage& page) override { return pages.emplace_back(page, test::RecordingCanvas{}).second; }
};

bool ReadOptions(std::istream& in, SheetOptions& o)
{
    return static_cast<bool>(in >> o.DanMask >> o.ImportantDan >> o.JousuuCheck >> o.QNumCheck >> o.RandomCheck
                             >> o.MGroup >> o.Amari >> o.rgNum >> o.rgSquare);
}

std::string Answer(const std::string& line)
{
    std::istringstream in(line);
    std::string kind;
    SheetOptions options;
    uint32_t seed = 0;
    in >> kind;
    if (kind == "preview") {
        int32_t previews = 0, answers = 0;
        if (!ReadOptions(in, options) || !(in >> seed >> previews >> answers))
            return "null";
        RunState run;
        run.Random.RandomSeed = seed;
        for (int32_t k = 0; k < previews; ++k)
            if (GenerateProblems(options, run.Problems, run.Random) != GenerateResult::Generated)
                return "null";
        test::RecordingCanvas canvas;
        MakePrint(canvas, ReferenceWidth, ReferenceHeight, answers, options, run.Problems, run.PrintNumber);
        return Texts(canvas.calls);
    }
    SetRequest set;
    int32_t answers = 0, width = 0, height = 0;
    if (kind != "set" || !ReadOptions(in, set.sheet)
        || !(in >> seed >> set.sheets >> answers >> set.firstPrintNumber >> width >> height))
        return "null";
    set.answers = answers != 0 ? AnswerPages::AfterEach : AnswerPages::None;
    RecordedPages pages;
    DrawSet(set, seed, width, height, pages);
    std::string json = "[";
    for (const auto& [page, canvas] : pages.pages)
        json += (json.size() > 1 ? "," : "") + std::string("{\"sheet\":") + std::to_string(page.sheet)
              + ",\"answers\":" + std::to_string(page.answers) + ",\"printNumber\":" + std::to_string(page.printNumber)
              + ",\"texts\":" + Texts(canvas.calls) + "}";
    return json + "]";
}

}  // namespace
}  // namespace zentavo

int main()
{
    for (std::string line; std::getline(std::cin, line);)
        std::cout << zentavo::Answer(line) << std::endl;
}
