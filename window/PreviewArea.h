#pragma once

#include <QImage>
#include <QPointer>
#include <QWindow>
#include <QWidget>

#include <functional>

class QPainter;

namespace zentavo {

// The preview area: a fixed 320 x 441 surface that leaves its drawing to a
// handler. Without a handler it stays blank (the window background).
//
// Whenever the platform brings the area back to the screen (the window
// exposed, shown again, restored from minimised, brought to the front) the
// area is painted anew. The toolkit would otherwise put back its stored
// picture, and an answer sheet shown once would stay.
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
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchWindow();

    PaintHandler handler_;
    QImage once_;
    QPointer<QWindow> watchedWindow_;
};

}  // namespace zentavo
