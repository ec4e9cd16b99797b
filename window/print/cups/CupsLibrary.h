#pragma once

#include <cups/cups.h>

namespace zentavo {

// The functions of CUPS' client library that the print service calls: the
// member's name, then the library's.
#define ZENTAVO_CUPS_FUNCTIONS(F)                                                                       \
    F(server, cupsServer) F(port, ippPort) F(encryption, cupsEncryption) F(connect, httpConnect2)      \
    F(setTimeout, httpSetTimeout) F(close, httpClose) F(getNamedDest, cupsGetNamedDest)                \
    F(getDests, cupsGetDests2) F(findDest, cupsGetDest) F(freeDests, cupsFreeDests)                    \
    F(copyDestInfo, cupsCopyDestInfo) F(freeDestInfo, cupsFreeDestInfo) F(findDefault, cupsFindDestDefault) \
    F(getString, ippGetString) F(mediaByName, cupsGetDestMediaByName)                                  \
    F(mediaDefault, cupsGetDestMediaDefault) F(addOption, cupsAddOption) F(freeOptions, cupsFreeOptions) \
    F(createJob, cupsCreateJob) F(startDocument, cupsStartDocument)                                    \
    F(writeRequestData, cupsWriteRequestData) F(finishDocument, cupsFinishDocument)                    \
    F(cancelJob, cupsCancelJob2) F(lastError, cupsLastError) F(lastErrorString, cupsLastErrorString)   \
    F(errorString, ippErrorString)

// The library's functions, found when printing first needs them, so that
// starting the program does not load it and the TLS and Kerberos libraries
// behind it.
struct CupsLibrary {
#define ZENTAVO_CUPS_MEMBER(member, function) decltype(&function) member = nullptr;
    ZENTAVO_CUPS_FUNCTIONS(ZENTAVO_CUPS_MEMBER)
#undef ZENTAVO_CUPS_MEMBER

    // Every function was found.
    bool Complete() const;
};

// The library in use: the one opened on first use, or the one given to
// UseCupsLibrary. nullptr where it is not installed or lacks a function.
const CupsLibrary* Cups();

// Uses `library` from now on instead, as a program that stands in front of
// some of the library's functions does. Call before any print request runs.
void UseCupsLibrary(const CupsLibrary& library);

}  // namespace zentavo
