#pragma once

#include "window/print/cups/CupsQueue.h"

#include <QPageLayout>

#include <optional>

namespace zentavo {

// The page a print queue prints on, upright: its default paper with the
// margins it cannot print in; A4 without margins when the queue does not say.
QPageLayout QueuePageLayout(const std::optional<QueueMedia>& media);

}  // namespace zentavo
