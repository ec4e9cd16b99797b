#include "window/Fmain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    zentavo::TForm1 form;
    form.show();
    return app.exec();
}
