#include "window/RadioGroup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QRadioButton>

namespace zentavo {

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items,
                       int columns, const QRect& bounds, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    setObjectName(name);
    setAccessibleName(caption);
    setGeometry(bounds);
    buttons_->setExclusive(true);
    for (int index = 0; index < items.size(); ++index) {
        auto* item = new QRadioButton(items[index], this);
        item->setObjectName(name + QStringLiteral("Item%1").arg(index));
        item->setAccessibleName(items[index]);
        buttons_->addButton(item, index);
    }
    ArrangeItems(columns);

    connect(buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            selectionChanged_ = true;
        if (!isAncestorOf(QApplication::focusWidget()))
            LetTabStopAtSelected();
        emit SelectionChanged();
    });
    connect(buttons_, &QButtonGroup::idClicked, this, [this](int) {
        if (!selectionChanged_)
            return;  // the item was selected already
        selectionChanged_ = false;
        emit Clicked();
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    LetTabStopAtSelected();
}

// Items share the space under the caption evenly: equal columns, equal rows,
// any spare height split above and below.
void RadioGroup::ArrangeItems(int columns)
{
    const int count = Count();
    const int rows = (count + columns - 1) / columns;
    const int captionHeight = QFontMetrics(font()).height();
    const int itemsHeight = height() - captionHeight - 5;
    const int rowHeight = itemsHeight / rows;
    const int top = captionHeight + 1 + (itemsHeight % rows) / 2;
    const int columnWidth = (width() - 10) / columns;
    for (int index = 0; index < count; ++index) {
        const int column = index / rows;
        const int row = index % rows;
        Item(index)->setGeometry(8 + column * columnWidth, top + row * rowHeight,
                                 columnWidth, rowHeight);
    }
}

int RadioGroup::ItemIndex() const
{
    return buttons_->checkedId();
}

void RadioGroup::SetItemIndex(int index)
{
    if (index < 0 || index >= Count()) {
        if (QAbstractButton* checked = buttons_->checkedButton()) {
            buttons_->setExclusive(false);
            checked->setChecked(false);
            buttons_->setExclusive(true);
        }
    } else {
        Item(index)->setChecked(true);
    }
    selectionChanged_ = false;
}

QRadioButton* RadioGroup::Item(int index) const
{
    return static_cast<QRadioButton*>(buttons_->button(index));
}

int RadioGroup::Count() const
{
    return static_cast<int>(buttons_->buttons().size());
}

// Losing the focus to another application (now == nullptr) is not a move
// within the window, so coming back to the same item is no new entry.
void RadioGroup::OnFocusChanged(QWidget* now)
{
    if (!now)
        return;
    const bool wasInside = lastFocus_ && isAncestorOf(lastFocus_);
    lastFocus_ = now;
    if (isAncestorOf(now) && !wasInside)
        emit Entered();
    else if (wasInside && !isAncestorOf(now))
        LetTabStopAtSelected();
}

// Only the item that takes Tab is offered to it: the selected one, or the
// first while none is. While the focus is inside the group, the toolkit
// offers the focused item alone, so that Tab and Shift+Tab leave the group;
// once the focus is elsewhere again, the selected item is the stop.
void RadioGroup::LetTabStopAtSelected()
{
    QAbstractButton* stop = buttons_->checkedButton();
    if (!stop)
        stop = Item(0);
    for (QAbstractButton* item : buttons_->buttons()) {
        const Qt::FocusPolicy policy = item->focusPolicy();
        item->setFocusPolicy(item == stop ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                          : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

}  // namespace zentavo
