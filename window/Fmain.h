#pragma once

#include "generation/RunState.h"
#include "generation/SheetOptions.h"
#include "render/SheetCanvas.h"
#include "window/controls/OptionControls.h"
#include "window/print/PrintService.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMargins;
class QPainter;
class QPushButton;

namespace zentavo {

class PreviewArea;
class RadioGroup;

// The one window of the program: option controls, preview area and commands.
// Controls sit at fixed pixel positions of the client area.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The print service that the print commands and the setup dialog use;
    // without one, the platform's is created when first needed. Refused
    // (false) while a print command is in progress.
    bool SetPrintService(std::unique_ptr<PrintService> service);

    RunState& Run() { return run_; }
    const RunState& Run() const { return run_; }
    // The state of the option controls and the rules between them; the
    // widgets show it.
    const OptionControls& Controls() const { return controls_; }

    // The option controls as they are now.
    SheetOptions Snapshot() const;

    // From the first successful Preview on, both print commands stay enabled.
    void EnablePrintCommands();

    // Commands: preview and printing.
    void PreviewBtnClick();
    void PaintBox1Paint(QPainter& painter);
    void PrintBtnClick();
    void PrintAnsBtnClick();
    void btnSetPrnClick();
    void MakePrint(SheetCanvas& Canvas, int32_t Width, int32_t Height, int32_t Answers);

    // Rules that keep the option controls consistent.
    void D0Click() { DanClick(D0); }
    void D1Click() { DanClick(D1); }
    void D2Click() { DanClick(D2); }
    void D3Click() { DanClick(D3); }
    void D4Click() { DanClick(D4); }
    void D5Click() { DanClick(D5); }
    void D6Click() { DanClick(D6); }
    void D7Click() { DanClick(D7); }
    void D8Click() { DanClick(D8); }
    void D9Click() { DanClick(D9); }
    void DanClick(QCheckBox* box);
    void CheckBoxClick(QCheckBox* box);
    void ImportantDanClick();
    void QNumCheckClick();
    void MGroupEnter();
    void rgSquareEnter();

    // Controls.
    QLabel* Label2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* D0 = nullptr;
    QCheckBox* D1 = nullptr;
    QCheckBox* D2 = nullptr;
    QCheckBox* D3 = nullptr;
    QCheckBox* D4 = nullptr;
    QCheckBox* D5 = nullptr;
    QCheckBox* D6 = nullptr;
    QCheckBox* D7 = nullptr;
    QCheckBox* D8 = nullptr;
    QCheckBox* D9 = nullptr;
    RadioGroup* ImportantDan = nullptr;
    RadioGroup* JousuuCheck = nullptr;
    RadioGroup* MGroup = nullptr;
    RadioGroup* rgSquare = nullptr;
    RadioGroup* Amari = nullptr;
    RadioGroup* QNumCheck = nullptr;
    RadioGroup* RandomCheck = nullptr;
    RadioGroup* rgNum = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QFrame* Bevel1 = nullptr;
    PreviewArea* PaintBox1 = nullptr;
    QPushButton* PreviewBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* PrintAnsBtn = nullptr;
    QPushButton* btnSetPrn = nullptr;
    QPushButton* QuitBtn = nullptr;
    // Says that a print command is waiting for the printer.
    QLabel* PrintStatus = nullptr;

    // While alive, the window shows that a print command is in progress:
    // a busy cursor (the controls stay usable) and the status line.
    class PrintingIndicator {
    public:
        explicit PrintingIndicator(TForm1& form);
        ~PrintingIndicator();
        PrintingIndicator(const PrintingIndicator&) = delete;
        PrintingIndicator& operator=(const PrintingIndicator&) = delete;

    private:
        QPointer<TForm1> form_;
    };

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateLabels();
    void CreateDanBoxes();
    void CreateRadioGroups();
    void CreatePreviewArea();
    void CreateButtons();
    void SetTabOrder();
    void ConnectRules();
    void FormCreate();
    void ShowControls();
    void FitOuterSize(const QMargins& frame);
    int32_t DanOf(const QCheckBox* box) const;

    RunState run_;
    OptionControls controls_;
    std::array<QCheckBox*, 10> DanBoxes{};  // entry n: the box of dan n
    bool outerSizeFitted_ = false;

    // Command state (preview and printing)
    std::shared_ptr<PrintService> PrintingService();
    // Created on the first print command; a command holds it while it runs.
    std::shared_ptr<PrintService> printService_;
    int printingCommands_ = 0;                    // print commands in progress
};

}  // namespace zentavo
