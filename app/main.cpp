#include "window/Fmain.h"
#include "window/canvas/FontMapping.h"
#include "window/canvas/ProcessLocale.h"
#include "window/canvas/ToolkitTranslations.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    zentavo::UseUtf8CharacterType();
    QApplication app(argc, argv);
    // The launcher's icon on the window (title bar, task bar), and the
    // launcher's id, by which desktops match the window to it. Launchers take
    // the larger sizes from the installed icon theme; the window carries only
    // the sizes bars show, which keeps start-up light.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/app/zentavo-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    QApplication::setDesktopFileName(QStringLiteral(ZENTAVO_APP_ID));

    // The window's own texts are Japanese; the dialogs and menus Qt draws
    // itself follow the desktop's language.
    zentavo::InstallToolkitTranslations();
    zentavo::InstallFontMapping();
    zentavo::TForm1 form;
    form.show();
    return app.exec();
}
