#include "window/PreviewArea.h"

#include "render/SheetScale.h"

#include <QPainter>

#include <utility>

namespace zentavo {

PreviewArea::PreviewArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PaintBox1"));
    setFixedSize(ReferenceWidth, ReferenceHeight);
    if (parent)
        parent->window()->installEventFilter(this);
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

void PreviewArea::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    WatchWindow();
}

// The platform's window exists once the window is shown; on X without a
// window manager, mapping it again reaches only it, as expose events.
void PreviewArea::WatchWindow()
{
    QWindow* handle = window()->windowHandle();
    if (!handle || handle == watchedWindow_)
        return;
    if (watchedWindow_)
        watchedWindow_->removeEventFilter(this);
    watchedWindow_ = handle;
    handle->installEventFilter(this);
}

bool PreviewArea::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Expose:
        if (watched == watchedWindow_ && watchedWindow_->isExposed())
            update();
        break;
    case QEvent::Show:
    case QEvent::WindowActivate:
        update();
        break;
    case QEvent::WindowStateChange:
        if (!(window()->windowState() & Qt::WindowMinimized))
            update();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zentavo
