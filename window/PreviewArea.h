#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QPainter;

namespace zentavo {

// The preview area: a fixed 320 x 441 surface that leaves its drawing to a
// handler. Without a handler it stays blank (the window background).
class PreviewArea : public QWidget {
    Q_OBJECT

public:
    using PaintHandler = std::function<void(QPainter&)>;

    explicit PreviewArea(QWidget* parent = nullptr);

    void SetPaintHandler(PaintHandler handler) { handler_ = std::move(handler); }

    // Shows `image` now, in place of the handler's drawing, until the area
    // is painted again for any reason.
    void ShowOnce(QImage image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaintHandler handler_;
    QImage once_;
};

}  // namespace zentavo
