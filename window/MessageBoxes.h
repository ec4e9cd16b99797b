#pragma once

#include <QString>

class QWidget;

namespace zentavo {

// The application's title from the program's file: the name without its
// folder, cut before the first period, the first letter as it stands and the
// rest lower case ("/usr/bin/zentavo" gives "zentavo", "Zentavo.exe" gives
// "Zentavo").
QString TitleFromProgramPath(const QString& path);
QString ApplicationTitle();

// A message ends with one period: it is added unless the text has it already.
QString WithClosingPeriod(const QString& message);

// The error box of a failed command: stop icon, one OK button, captioned
// with the application's title.
void ShowErrorBox(QWidget* parent, const QString& message);

// The information beep and the box with TooFewDansWarning.
void ShowTooFewDansWarning(QWidget* parent);

}  // namespace zentavo
