#pragma once

#include "web/WebPage.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// The page's address (its hash, without the '#'): the seed and each option
// of the controls that differs from the start state, in the words of
// zentavo-sheets' options, such as "seed=42&dans=3,7&count=20&shuffle". So
// the address is the link to the set; "&sheet=k" or a class link added opens
// a sheet of the set in the answering view.
namespace zentavo {

// The keys of an address that make it a pupil's: a sheet's link, the class's
// link, a pupil's link. The page opened at one is a pupil's page, which the
// page knows from these before its program runs.
inline constexpr std::array<std::string_view, 3> PupilPageKeys = {"sheet", "class", "pupil"};

// The set's part of an address: its seed and each option that differs from
// the start state.
std::string SetAddress(uint32_t seed, const SheetOptions& options);
// The address of the page's set: its seed and options as they are now, with
// the print number.
std::string AddressOf(const WebPage& page);

// What opening an address did: a message where it was bad or partial (the
// page is then in the start state, its seed kept) or where its sheet cannot
// be drawn, and the sheet to answer (0: none) with its pupil's 出席番号 (0:
// not known). A class link without a pupil asks for the number: the same
// address with "&pupil=n" then opens the pupil's sheet. `keep` is what the
// address keeps after AddressOf and '&' while the sheet is shown, so that
// reloading the page opens it again.
struct OpenedAddress {
    std::optional<MessageBox> message{};
    int32_t sheet = 0;
    int32_t pupil = 0;
    bool asksPupil = false;
    std::string keep{};
};

// Opens an address as a user would set it up on a fresh page: the controls
// from the start state, each option clicked as the window takes it (so the
// rules run: an emphasised dan checks its box, an even count leaves
// 被除数に０を disabled), the seed typed; then the sheet to answer, question
// side up. For "sheet=k" that is sheet k of the seed; for a class link,
// "class=k&state=R", with "&pupil=n" sheet k + n - 1, drawn from R by n
// draws: the sheet that a class set printed from the link's sheet k gives
// pupil n. An empty address is the start state. Every number may be typed
// in full-width digits with blanks around it (PlainDigits).
OpenedAddress OpenAddress(WebPage& page, std::string_view address);

// A 出席番号 as typed, 1 to page::links::MostPupils (see PlainDigits).
std::optional<int32_t> ReadPupilNumber(std::string_view typed);

// The link to the shown sheet for the whole class (pupil 0) or for pupil
// `pupil` (出席番号, 1 to MostPupils), with the sheet it opens: the page's
// address and "&class=k&state=R" for the shown sheet k drawn from R, then
// "&pupil=n". Or the page's text why there is none (see WebPage::Origin).
struct SheetLink {
    int32_t sheet;
    std::string address;
};
std::variant<SheetLink, std::string> LinkOf(const WebPage& page, int32_t pupil);

// The options as words for a record of results: the dans, the count, then
// each other option that differs from the start state, with its caption.
std::string SheetInWords(const SheetOptions& options);

// The controls in the start state with `options` clicked as an address's
// are; the print number stays.
void ClickOptions(OptionControls& controls, const SheetOptions& options);

}  // namespace zentavo
