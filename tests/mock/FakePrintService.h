#pragma once

#include "support/RecordingCanvas.h"
#include "window/controls/Messages.h"
#include "window/print/PrintService.h"

#include <QEventLoop>
#include <QPointer>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zentavo::testing {

// A print service that prints nothing. It records every document it is
// given and can be told to fail, stall or succeed at any step. A stalled
// step keeps the event loop running, as the real service does while it
// waits for the print server, until it is released (then it succeeds) or
// cancelled.
class FakePrintService : public PrintService {
public:
    enum class Step { GetPrinter, SetPortrait, PageSize, BeginDoc, EndDoc, SetupDialog };

    struct Document {
        std::string title;
        std::vector<test::CanvasCall> calls;

        // The texts drawn, in order.
        std::vector<std::string> Texts() const
        {
            std::vector<std::string> texts;
            for (const test::CanvasCall& call : calls)
                if (call.kind == test::CanvasCall::Kind::Text)
                    texts.push_back(call.text);
            return texts;
        }
    };

    // The `call`th time (from 1, over the service's life) that `step` runs
    // it throws PrintError(message).
    void FailAt(Step step, std::string message, int call = 1) { failures_[{step, call}] = std::move(message); }
    // The `call`th time that `step` runs it waits until Release() or Cancel().
    void StallAt(Step step, int call = 1) { stalls_[{step, call}] = true; }
    void Release()
    {
        if (stall_)
            stall_->quit();
    }
    bool Stalled() const { return stall_ != nullptr; }
    // How often `step` has run.
    int Calls(Step step) const { return calls_.count(step) ? calls_.at(step) : 0; }

    // Documents that ended; the one open now is not among them.
    std::vector<Document> documents;
    int32_t width = 4960;
    int32_t height = 7016;
    int setupDialogs = 0;

    void GetPrinter() override
    {
        ThrowIfBusy();
        Run(Step::GetPrinter);
    }
    void SetPortrait() override
    {
        ThrowIfBusy();
        Run(Step::SetPortrait);
    }
    int32_t PageHeight() override
    {
        Run(Step::PageSize);
        return height;
    }
    int32_t PageWidth() override { return width; }
    void BeginDoc(const std::string& title) override
    {
        ThrowIfBusy();
        Run(Step::BeginDoc);
        open_ = Document{title, {}};
        canvas_ = std::make_unique<test::RecordingCanvas>();
    }
    SheetCanvas& PageCanvas() override { return *canvas_; }
    void EndDoc() override
    {
        Document document = std::move(*open_);
        document.calls = std::move(canvas_->calls);
        open_.reset();
        canvas_.reset();
        Run(Step::EndDoc);
        documents.push_back(std::move(document));
    }
    void AbortDoc() noexcept override
    {
        open_.reset();
        canvas_.reset();
    }
    bool SetupDialog(QWidget*) override
    {
        ThrowIfBusy();
        ++setupDialogs;
        Run(Step::SetupDialog);
        return true;
    }
    bool Busy() const override { return stall_ != nullptr || open_.has_value(); }
    void Cancel() noexcept override
    {
        if (stall_) {
            cancelled_ = true;
            stall_->quit();
        }
    }

private:
    void ThrowIfBusy() const
    {
        if (Busy())
            throw PrintError(print_message::PrintingInProgress);
    }

    void Run(Step step)
    {
        const std::pair<Step, int> call{step, ++calls_[step]};
        if (stalls_.count(call))
            Stall();
        if (const auto failure = failures_.find(call); failure != failures_.end())
            throw PrintError(failure->second);
    }

    void Stall()
    {
        QEventLoop loop;
        stall_ = &loop;
        loop.exec();
        stall_ = nullptr;
        if (std::exchange(cancelled_, false))
            throw PrintCancelled();
    }

    std::map<std::pair<Step, int>, std::string> failures_;
    std::map<std::pair<Step, int>, bool> stalls_;
    std::map<Step, int> calls_;
    std::optional<Document> open_;
    std::unique_ptr<test::RecordingCanvas> canvas_;
    QPointer<QEventLoop> stall_;
    bool cancelled_ = false;
};

}  // namespace zentavo::testing
