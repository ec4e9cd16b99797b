#pragma once

#include <QFont>
#include <QString>

namespace zentavo {

// The typeface names the window and the sheets ask for.
inline const QString MinchoFaceName = QStringLiteral("ＭＳ 明朝");
inline const QString GothicFaceName = QStringLiteral("ＭＳ ゴシック");
inline const QString SystemFaceName = QStringLiteral("System");

// Maps the three names above to installed faces (IPA, then Noto CJK, then the
// platform's defaults), once per process; later calls do nothing. Needs a
// QGuiApplication.
void InstallFontMapping();

// A font for the window's captions in the faces a requested name is mapped
// to, drawn unhinted like the sheets. Naming the installed faces directly
// spares the font database a search for fallbacks of a family it does not
// have; and where the name maps to a Japanese face, which holds every
// character of the captions, the font is not merged with fallback faces at
// all. Any other name keeps the usual fallbacks.
QFont MappedFont(const QString& requested);

// The installed family that a requested face name resolves to.
QString InstalledFaceFor(const QString& requested);

}  // namespace zentavo
