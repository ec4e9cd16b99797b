#include "window/CupsLibrary.h"

#include <dlfcn.h>

namespace zentavo {
namespace {

template <typename Function>
void Find(const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

CupsLibrary Load()
{
    CupsLibrary cups;
    // Global, so that RTLD_DEFAULT reaches it after whatever the program
    // itself defines.
    if (!dlopen("libcups.so.2", RTLD_NOW | RTLD_GLOBAL))
        return cups;
    Find("cupsServer", cups.server);
    Find("ippPort", cups.port);
    Find("cupsEncryption", cups.encryption);
    Find("httpConnect2", cups.connect);
    Find("httpSetTimeout", cups.setTimeout);
    Find("httpClose", cups.close);
    Find("cupsGetNamedDest", cups.getNamedDest);
    Find("cupsGetDests2", cups.getDests);
    Find("cupsGetDest", cups.findDest);
    Find("cupsFreeDests", cups.freeDests);
    Find("cupsCopyDestInfo", cups.copyDestInfo);
    Find("cupsFreeDestInfo", cups.freeDestInfo);
    Find("cupsFindDestDefault", cups.findDefault);
    Find("ippGetString", cups.getString);
    Find("cupsGetDestMediaByName", cups.mediaByName);
    Find("cupsGetDestMediaDefault", cups.mediaDefault);
    Find("cupsAddOption", cups.addOption);
    Find("cupsFreeOptions", cups.freeOptions);
    Find("cupsCreateJob", cups.createJob);
    Find("cupsStartDocument", cups.startDocument);
    Find("cupsWriteRequestData", cups.writeRequestData);
    Find("cupsFinishDocument", cups.finishDocument);
    Find("cupsCancelJob2", cups.cancelJob);
    Find("cupsLastError", cups.lastError);
    Find("cupsLastErrorString", cups.lastErrorString);
    Find("ippErrorString", cups.errorString);
    return cups;
}

}  // namespace

bool CupsLibrary::Complete() const
{
    return server && port && encryption && connect && setTimeout && close && getNamedDest && getDests
        && findDest && freeDests && copyDestInfo && freeDestInfo && findDefault && getString && mediaByName
        && mediaDefault && addOption && freeOptions && createJob && startDocument && writeRequestData
        && finishDocument && cancelJob && lastError && lastErrorString && errorString;
}

const CupsLibrary* Cups()
{
    static const CupsLibrary library = Load();
    return library.Complete() ? &library : nullptr;
}

}  // namespace zentavo
