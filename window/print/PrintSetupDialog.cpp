#include "window/print/PrintSetupDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPrinter>
#include <QPushButton>

namespace zentavo {

PrintSetupDialog::PrintSetupDialog(QPrinter* printer, QWidget* parent)
    : QPrintDialog(printer, parent)
{
    setOption(QAbstractPrintDialog::PrintPageRange, false);
    setOption(QAbstractPrintDialog::PrintSelection, false);
    setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    printer->setPrintRange(QPrinter::AllPages);
    printer->setFromTo(0, 0);
    if (auto* buttons = findChild<QDialogButtonBox*>()) {
        if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok))
            accept->setText(QCoreApplication::translate("QPlatformTheme", "OK"));
    }
}

// The dialog shows its page choices again whenever it is shown (with CUPS it
// offers them even when the program asks for no page range).
void PrintSetupDialog::setVisible(bool visible)
{
    QPrintDialog::setVisible(visible);
    if (visible)
        HidePageChoices();
}

void PrintSetupDialog::HidePageChoices()
{
    for (const char* name : {"gbPrintRange", "pageSetCombo", "pageSetLabel"}) {
        if (auto* widget = findChild<QWidget*>(QLatin1String(name)))
            widget->hide();
    }
}

}  // namespace zentavo
