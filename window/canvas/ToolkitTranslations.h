#pragma once

#include <QLocale>

namespace zentavo {

// Installs Qt's own texts for `locale` in the running application, so that
// what the toolkit draws itself (the printer and file dialogs, an edit box's
// context menu, standard buttons) speaks the user's language. The catalogue
// is qtbase from Qt's translations folder; where there is none for the
// language, Qt's English texts stay. Texts are read when a dialog or menu is
// built, so call this before building any. A later call replaces what an
// earlier one installed. Works with any QCoreApplication; returns whether
// texts for the language were installed (false for English, Qt's own).
bool InstallToolkitTranslations(const QLocale& locale = QLocale::system());

}  // namespace zentavo
