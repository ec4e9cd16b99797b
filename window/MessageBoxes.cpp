#include "window/MessageBoxes.h"

#include "window/controls/Messages.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace zentavo {

QString TitleFromProgramPath(const QString& path)
{
    const QString name = QFileInfo(path).fileName().section(u'.', 0, 0);
    return name.left(1) + name.mid(1).toLower();
}

QString ApplicationTitle()
{
    return TitleFromProgramPath(QCoreApplication::applicationFilePath());
}

QString WithClosingPeriod(const QString& message)
{
    return QString::fromStdString(WithClosingPeriod(message.toStdString()));
}

void ShowErrorBox(QWidget* parent, const QString& message)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), WithClosingPeriod(message),
                    QMessageBox::Ok, parent);
    box.exec();
}

void ShowTooFewDansWarning(QWidget* parent)
{
    QApplication::beep();
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(WarningCaption),
                    QString::fromUtf8(TooFewDansWarning),
                    QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace zentavo
