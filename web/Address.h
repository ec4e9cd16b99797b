#pragma once

#include "web/WebPage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The page's address (its hash, without the '#'): the seed and each option
// of the controls that differs from the start state, in the words of
// zentavo-sheets' options, such as "seed=42&dans=3,7&count=20&shuffle". So
// the address is the link to the set; "&sheet=k" added opens sheet k of the
// seed in the answering view.
namespace zentavo {

// The address of the page's set: its seed and options as they are now.
std::string AddressOf(const WebPage& page);

// What opening an address did: a message where it was bad or partial (the
// page is then in the start state, its seed kept) or where its sheet cannot
// be drawn, and the sheet to answer (0: none).
struct OpenedAddress {
    std::optional<MessageBox> message;
    int32_t sheet = 0;
};

// Opens an address as a user would set it up on a fresh page: the controls
// from the start state, each option clicked as the window takes it (so the
// rules run: an emphasised dan checks its box, an even count leaves
// 被除数に０を disabled), the seed typed, and for "sheet=k" sheet k of the
// seed previewed, question side up. An empty address is the start state.
OpenedAddress OpenAddress(WebPage& page, std::string_view address);

// The sheet that pupil `pupil` (出席番号, from 1) answers: a class set
// printed from the shown sheet gives the first pupil that sheet and each
// next pupil the next one. With its address, nullopt while no sheet is shown.
struct PupilLink {
    int32_t sheet;
    std::string address;
};
std::optional<PupilLink> PupilLinkOf(const WebPage& page, int32_t pupil);

// The options as words for a record of results: the dans, the count, then
// each other option that differs from the start state, with its caption.
std::string SheetInWords(const OptionControls& controls);

}  // namespace zentavo
