// The yardstick for start-up: a bare Qt window with one label, built with the
// same compiler, flags and Qt as Zentavo.
//   zentavo_bare_window              the label in Qt's default font
//   zentavo_bare_window --japanese   a Japanese label in IPA Mincho, the
//                                    typeface that most of Zentavo's window uses
#include <QApplication>
#include <QFont>
#include <QLabel>

#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool japanese = argc > 1 && std::strcmp(argv[1], "--japanese") == 0;
    QLabel label(japanese ? QStringLiteral("わりざん九九プリント") : QStringLiteral("Zentavo"));
    if (japanese) {
        QFont font(QStringLiteral("IPAMincho"));
        font.setPixelSize(16);
        label.setFont(font);
    }
    label.setWindowTitle(QStringLiteral("Bare window"));
    label.show();
    return app.exec();
}
