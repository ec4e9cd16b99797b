#pragma once

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

// The installed family that a requested face name resolves to.
QString InstalledFaceFor(const QString& requested);

}  // namespace zentavo
