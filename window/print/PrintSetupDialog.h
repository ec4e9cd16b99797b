#pragma once

#include <QPrintDialog>

namespace zentavo {

// The printer settings dialog: it chooses the printer and its settings
// (paper, the printer's own options, printing to a PDF file, copies), and
// nothing that would print only part of a sheet, such as a page range or
// only the odd or even pages. Its accept button says OK, since it prints
// nothing itself.
class PrintSetupDialog : public QPrintDialog {
    Q_OBJECT

public:
    PrintSetupDialog(QPrinter* printer, QWidget* parent);

    void setVisible(bool visible) override;

private:
    void HidePageChoices();
};

}  // namespace zentavo
