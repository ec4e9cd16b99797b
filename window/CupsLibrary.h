#pragma once

#include <cups/cups.h>

namespace zentavo {

// The functions of CUPS' client library that the print service calls. The
// library is opened when printing first needs it, so that starting the
// program does not load it and the TLS and Kerberos libraries behind it.
// Each function is looked up in the whole program first, so that a test
// program can stand in front of one of them.
struct CupsLibrary {
    decltype(&cupsServer) server = nullptr;
    decltype(&ippPort) port = nullptr;
    decltype(&cupsEncryption) encryption = nullptr;
    decltype(&httpConnect2) connect = nullptr;
    decltype(&httpSetTimeout) setTimeout = nullptr;
    decltype(&httpClose) close = nullptr;
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsGetDests2) getDests = nullptr;
    decltype(&cupsGetDest) findDest = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&cupsCopyDestInfo) copyDestInfo = nullptr;
    decltype(&cupsFreeDestInfo) freeDestInfo = nullptr;
    decltype(&cupsFindDestDefault) findDefault = nullptr;
    decltype(&ippGetString) getString = nullptr;
    decltype(&cupsGetDestMediaByName) mediaByName = nullptr;
    decltype(&cupsGetDestMediaDefault) mediaDefault = nullptr;
    decltype(&cupsAddOption) addOption = nullptr;
    decltype(&cupsFreeOptions) freeOptions = nullptr;
    decltype(&cupsCreateJob) createJob = nullptr;
    decltype(&cupsStartDocument) startDocument = nullptr;
    decltype(&cupsWriteRequestData) writeRequestData = nullptr;
    decltype(&cupsFinishDocument) finishDocument = nullptr;
    decltype(&cupsCancelJob2) cancelJob = nullptr;
    decltype(&cupsLastError) lastError = nullptr;
    decltype(&cupsLastErrorString) lastErrorString = nullptr;
    decltype(&ippErrorString) errorString = nullptr;

    // Every function was found.
    bool Complete() const;
};

// The library, opened on first use; nullptr where it is not installed or
// lacks a function.
const CupsLibrary* Cups();

}  // namespace zentavo
