#include "window/print/cups/QueuePage.h"

#include <QPageSize>
#include <QSizeF>

namespace zentavo {

QPageLayout QueuePageLayout(const std::optional<QueueMedia>& media)
{
    if (!media || media->width <= 0 || media->length <= 0)
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    const QPageSize size(QSizeF(media->width, media->length), QPageSize::Millimeter,
                         QString::fromStdString(media->name), QPageSize::FuzzyMatch);
    QPageLayout layout(size, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
    layout.setMargins(QMarginsF(media->left, media->top, media->right, media->bottom));
    return layout;
}

}  // namespace zentavo
