#pragma once

#include "render/SheetCanvas.h"
#include "window/print/cups/PrintError.h"

#include <cstdint>
#include <string>

class QWidget;

namespace zentavo {

// The platform's printing service as the print commands use it: one shared
// printer whose current device and settings persist between commands. Every
// operation may throw PrintError. Operations that wait for the print server
// keep the caller's event loop running meanwhile, so other handlers (another
// print command among them) may run before they return.
class PrintService {
public:
    virtual ~PrintService() = default;

    // Makes the shared printer ready for a document on its current device.
    virtual void GetPrinter() = 0;
    virtual void SetPortrait() = 0;
    // The printable area of one page in device pixels.
    virtual int32_t PageHeight() = 0;
    virtual int32_t PageWidth() = 0;
    // Starts a job with its first page; the page canvas is usable until the
    // document ends.
    virtual void BeginDoc(const std::string& title) = 0;
    virtual SheetCanvas& PageCanvas() = 0;
    // Ends the page and the job and hands the job to the printer; throws when
    // the printer does not accept it.
    virtual void EndDoc() = 0;
    // Closes a document that a failure left open, so that later commands can
    // print. Where the platform cannot cancel a job, what was drawn is sent.
    virtual void AbortDoc() noexcept = 0;
    // The modal setup dialog: true when the user chose OK.
    virtual bool SetupDialog(QWidget* parent) = 0;

    // True from GetPrinter while a wait for the print server or a document
    // is in progress.
    virtual bool Busy() const = 0;
    // Abandons the wait in progress, if any: the operation that waits throws
    // PrintCancelled soon after. Safe to call at any time.
    virtual void Cancel() noexcept = 0;
};

}  // namespace zentavo
