#pragma once

#include <cups/ipp.h>

#include <functional>

namespace zentavo::testing {

// Runs on the print service's helper thread each time a document has been
// sent to CUPS, with CUPS' answer; a test puts its fault or its pause here.
// The program exports its own cupsFinishDocument, which the print service
// finds before libcups' and which passes the call on.
extern std::function<void(ipp_status_t)> AfterDocument;

}  // namespace zentavo::testing
