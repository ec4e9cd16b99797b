#include "window/Fmain.h"
#include "window/FontMapping.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    zentavo::InstallFontMapping();
    zentavo::TForm1 form;
    form.show();
    return app.exec();
}
