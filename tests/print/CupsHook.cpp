#include "print/CupsHook.h"

#include <cups/cups.h>
#include <dlfcn.h>

namespace zentavo::testing {

std::function<void(ipp_status_t)> AfterDocument;

}  // namespace zentavo::testing

extern "C" ipp_status_t cupsFinishDocument(http_t* http, const char* name)
{
    using Real = ipp_status_t (*)(http_t*, const char*);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "cupsFinishDocument"));
    const ipp_status_t status = real(http, name);
    if (zentavo::testing::AfterDocument)
        zentavo::testing::AfterDocument(status);
    return status;
}
