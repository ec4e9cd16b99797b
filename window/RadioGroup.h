#pragma once

#include <QGroupBox>
#include <QPointer>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace zentavo {

// A captioned box of exclusive radio items laid out in columns, filled column
// by column. The button ids are the item indices; ItemIndex() is -1 while no
// item is selected. Tab and Shift+Tab stop at one item of the group, the
// selected one (the first while none is); the arrow keys move between items.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& name, const QString& caption, const QStringList& items,
               int columns, const QRect& bounds, QWidget* parent);

    int ItemIndex() const;
    // Selects an item from code (-1 clears the selection); emits no Clicked.
    void SetItemIndex(int index);

    QButtonGroup* Buttons() const { return buttons_; }
    QRadioButton* Item(int index) const;
    int Count() const;

signals:
    // The selected item changed, by the user or from code.
    void SelectionChanged();
    // The user selected an item that was not selected before.
    void Clicked();
    // The focus moved onto one of the items from a widget outside the group.
    void Entered();

private:
    void ArrangeItems(int columns);
    void OnFocusChanged(QWidget* now);
    void LetTabStopAtSelected();

    QButtonGroup* buttons_;
    bool selectionChanged_ = false;
    QPointer<QWidget> lastFocus_;
};

}  // namespace zentavo
