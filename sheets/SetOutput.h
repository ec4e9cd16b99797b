#pragma once

#include "sheetset/SheetSet.h"
#include "window/canvas/SheetPdf.h"
#include "window/print/cups/CupsQueue.h"

#include <QPageLayout>
#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace zentavo {

// A set that could not be written; what() is the reason for the user, UTF-8.
class SetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Told after each finished page: pages done, pages in all. It may throw to
// abandon the set, which then leaves nothing behind.
using SetProgress = std::function<void(int64_t done, int64_t total)>;

// Writes the set as one PDF to `path`, a page per sheet, one document whose
// faces are embedded once. The file is written beside `path` and takes its
// place only when complete: after any failure an existing file is as it was
// and no partial one is left. Throws SetError.
void WriteSetPdf(const SetRequest& set, uint32_t seed, const QString& path, const QPageLayout& layout,
                 const SetProgress& progress);

// Sends the set as one job titled JobTitle to `queue`, or to the default
// printer when it is empty, on the queue's paper; returns the job's id. The
// document is written to a temporary folder first and removed afterwards.
// Throws SetError, or PrintError for the print service.
int PrintSet(const SetRequest& set, uint32_t seed, const std::string& queue, const SetProgress& progress,
             StopFlag& stop);

}  // namespace zentavo
