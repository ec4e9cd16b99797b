#pragma once

#include <optional>
#include <string>

namespace zentavo {

// The refusal, if any, of the last request this thread sent to CUPS, with
// CUPS's own text for it. libcups is looked up when first needed (Qt's print
// plugin has loaded it by then), so that starting the program does not load
// it and the libraries it pulls in.
std::optional<std::string> LastCupsRefusal();

}  // namespace zentavo
