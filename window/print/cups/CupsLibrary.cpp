#include "window/print/cups/CupsLibrary.h"

#include <dlfcn.h>

#include <atomic>

namespace zentavo {
namespace {

CupsLibrary Load()
{
    CupsLibrary cups;
    void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return cups;
#define ZENTAVO_CUPS_FIND(member, function) \
    cups.member = reinterpret_cast<decltype(cups.member)>(dlsym(library, #function));
    ZENTAVO_CUPS_FUNCTIONS(ZENTAVO_CUPS_FIND)
#undef ZENTAVO_CUPS_FIND
    return cups;
}

std::atomic<const CupsLibrary*> given{nullptr};

}  // namespace

bool CupsLibrary::Complete() const
{
    bool complete = true;
#define ZENTAVO_CUPS_FOUND(member, function) complete = complete && member != nullptr;
    ZENTAVO_CUPS_FUNCTIONS(ZENTAVO_CUPS_FOUND)
#undef ZENTAVO_CUPS_FOUND
    return complete;
}

const CupsLibrary* Cups()
{
    static const CupsLibrary loaded = Load();
    const CupsLibrary* library = given.load();
    if (!library)
        library = &loaded;
    return library->Complete() ? library : nullptr;
}

void UseCupsLibrary(const CupsLibrary& library)
{
    static CupsLibrary kept;
    kept = library;
    given.store(&kept);
}

}  // namespace zentavo
