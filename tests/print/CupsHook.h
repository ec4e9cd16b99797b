#pragma once

#include <cups/ipp.h>

#include <functional>

namespace zentavo::testing {

// Runs on the print service's helper thread each time a document has been
// sent to CUPS, with CUPS' answer; a test puts its fault or its pause here.
// The print service's table of libcups functions leads the call through it.
extern std::function<void(ipp_status_t)> AfterDocument;

}  // namespace zentavo::testing
