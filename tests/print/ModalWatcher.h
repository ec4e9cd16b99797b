#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <vector>

namespace zentavo::testing {

// What a message box showed before it was closed.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
};

// While alive, answers every modal window that opens: message boxes are
// recorded and closed with their OK button; other dialogs go to `onDialog`
// (or are rejected when there is none).
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> onDialog = {})
        : onDialog_(std::move(onDialog))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start(20);
    }

    const std::vector<SeenBox>& Boxes() const { return boxes_; }
    int Dialogs() const { return dialogs_; }

private:
    void Answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == handled_)
            return;
        handled_ = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes_.push_back({box->windowTitle(), box->text(), box->icon(),
                              static_cast<int>(box->buttons().size())});
            if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->reject();
            return;
        }
        ++dialogs_;
        if (onDialog_)
            onDialog_(modal);
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    }

    std::function<void(QWidget*)> onDialog_;
    QTimer timer_;
    QPointer<QWidget> handled_;  // the window answered last, until it is gone
    std::vector<SeenBox> boxes_;
    int dialogs_ = 0;
};

}  // namespace zentavo::testing
