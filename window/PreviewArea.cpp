#include "window/PreviewArea.h"

#include <QPainter>

#include <utility>

namespace zentavo {

PreviewArea::PreviewArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PaintBox1"));
    setFixedSize(320, 441);
}

void PreviewArea::ShowOnce(QImage image)
{
    once_ = std::move(image);
    repaint();
}

void PreviewArea::paintEvent(QPaintEvent*)
{
    if (!once_.isNull()) {
        QPainter painter(this);
        painter.drawImage(0, 0, std::exchange(once_, QImage()));
        return;
    }
    if (!handler_)
        return;
    QPainter painter(this);
    handler_(painter);
}

}  // namespace zentavo
