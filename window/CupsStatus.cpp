#include "window/CupsStatus.h"

#include <cups/ipp.h>
#include <dlfcn.h>

namespace zentavo {
namespace {

struct CupsErrorFunctions {
    ipp_status_t (*lastError)() = nullptr;
    const char* (*lastErrorString)() = nullptr;
    const char* (*errorString)(ipp_status_t) = nullptr;

    bool Complete() const { return lastError && lastErrorString && errorString; }
};

template <typename Function>
void Find(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
}

const CupsErrorFunctions& Cups()
{
    static const CupsErrorFunctions functions = [] {
        CupsErrorFunctions found;
        if (void* library = dlopen("libcups.so.2", RTLD_LAZY)) {
            Find(library, "cupsLastError", found.lastError);
            Find(library, "cupsLastErrorString", found.lastErrorString);
            Find(library, "ippErrorString", found.errorString);
        }
        return found;
    }();
    return functions;
}

}  // namespace

std::optional<std::string> LastCupsRefusal()
{
    const CupsErrorFunctions& cups = Cups();
    if (!cups.Complete())
        return std::nullopt;  // no libcups: nothing went to CUPS
    const ipp_status_t status = cups.lastError();
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return std::nullopt;
    const char* message = cups.lastErrorString();
    if (message && *message)
        return std::string(message);
    const char* name = cups.errorString(status);
    return std::string(name ? name : "CUPS refused the job");
}

}  // namespace zentavo
