#pragma once

#include "generation/RunState.h"
#include "generation/SheetOptions.h"

#include <QWidget>

namespace zentavo {

// The one window of the program: option controls, preview area and commands.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

    RunState& Run() { return run_; }
    const RunState& Run() const { return run_; }

private:
    void FormCreate();

    RunState run_;
};

}  // namespace zentavo
