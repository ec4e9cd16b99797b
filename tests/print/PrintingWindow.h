#pragma once

#include "print/CupsScheduler.h"
#include "print/ModalWatcher.h"
#include "print/PrintTests.h"

#include "window/Fmain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace zentavo::testing {

// A fresh window printing through a fresh private scheduler for each case.
class PrintingWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TheScheduler)
            GTEST_SKIP() << "CUPS is not installed";
        scheduler().Start();
        form_ = std::make_unique<TForm1>();
    }

    void TearDown() override
    {
        form_.reset();
        if (TheScheduler)
            scheduler().Stop();
    }

    CupsScheduler& scheduler() { return *TheScheduler; }
    TForm1& form() { return *form_; }

    // Dans 3 and 4, ten problems, then Preview.
    void PreviewSheet()
    {
        form().D3->setChecked(true);
        form().D4->setChecked(true);
        form().PreviewBtn->click();
        ASSERT_EQ(form().Run().PreviewShown, 1);
        ASSERT_TRUE(form().PrintBtn->isEnabled());
    }

    // Clicks `button` with `printNumber` in Edit1; `meanwhile` runs as soon
    // as the event loop turns while the command runs. Returns the boxes shown.
    std::vector<SeenBox> Press(QPushButton* button, const QString& printNumber,
                               std::function<void()> meanwhile = {})
    {
        form().Edit1->setText(printNumber);
        if (meanwhile)
            QTimer::singleShot(0, form_.get(), std::move(meanwhile));
        ModalWatcher watcher;
        button->click();
        return watcher.Boxes();
    }

    std::unique_ptr<TForm1> form_;
};

}  // namespace zentavo::testing
