#include "print/CupsHook.h"

#include "window/print/cups/CupsLibrary.h"

namespace zentavo::testing {

std::function<void(ipp_status_t)> AfterDocument;

namespace {

const CupsLibrary* real = nullptr;

ipp_status_t FinishDocument(http_t* http, const char* name)
{
    const ipp_status_t status = real->finishDocument(http, name);
    if (AfterDocument)
        AfterDocument(status);
    return status;
}

// The print service's table with the document's end passed through the hook,
// in place before any test prints.
const bool hooked = [] {
    real = Cups();
    if (!real)
        return false;
    CupsLibrary library = *real;
    library.finishDocument = &FinishDocument;
    UseCupsLibrary(library);
    return true;
}();

}  // namespace
}  // namespace zentavo::testing
