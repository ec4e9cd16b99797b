#include "window/PreviewArea.h"

#include <QPainter>

namespace zentavo {

PreviewArea::PreviewArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PaintBox1"));
    setFixedSize(320, 441);
}

void PreviewArea::paintEvent(QPaintEvent*)
{
    if (!handler_)
        return;
    QPainter painter(this);
    handler_(painter);
}

}  // namespace zentavo
