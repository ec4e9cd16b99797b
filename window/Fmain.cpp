#include "window/Fmain.h"

namespace zentavo {

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zentavo Ver.1.52"));
    FormCreate();
}

void TForm1::FormCreate()
{
    run_.Random.SeedFromClock();
    run_.PreviewShown = 0;
    run_.PrintNumber = 1;
}

}  // namespace zentavo
