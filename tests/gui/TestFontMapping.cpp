#include "window/canvas/FontMapping.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

namespace zentavo {
namespace {

TEST(FontMapping, SheetFacesResolveToInstalledJapaneseFaces)
{
    InstallFontMapping();
    const QStringList families = QFontDatabase::families();
    for (const QString& face : {MinchoFaceName, GothicFaceName, SystemFaceName}) {
        const QString installed = InstalledFaceFor(face);
        EXPECT_TRUE(families.contains(installed)) << installed.toStdString();
        EXPECT_TRUE(QFontDatabase::writingSystems(installed).contains(QFontDatabase::Japanese))
            << face.toStdString() << " -> " << installed.toStdString();
    }
    EXPECT_EQ(InstalledFaceFor(MinchoFaceName), QStringLiteral("IPAMincho"));
    EXPECT_EQ(InstalledFaceFor(GothicFaceName), QStringLiteral("IPAGothic"));
}

TEST(FontMapping, CaptionFontsNameTheInstalledFacesAndKeepFallbacksOnlyWithoutOne)
{
    InstallFontMapping();
    const QFont mincho = MappedFont(MinchoFaceName);
    EXPECT_EQ(QFontInfo(mincho).family(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(mincho.styleStrategy(), QFont::NoFontMerging);
    EXPECT_EQ(mincho.hintingPreference(), QFont::PreferNoHinting);
    EXPECT_EQ(QFontInfo(MappedFont(SystemFaceName)).family(), QStringLiteral("IPAGothic"));

    // A name without a Japanese face behind it must still find the
    // characters it lacks in other faces.
    const QFont unmapped = MappedFont(QStringLiteral("No Such Face"));
    EXPECT_EQ(unmapped.families(), QStringList{QStringLiteral("No Such Face")});
    EXPECT_NE(unmapped.styleStrategy(), QFont::NoFontMerging);
    QFont::insertSubstitution(QStringLiteral("Latin Only"), QStringLiteral("DejaVu Sans"));
    EXPECT_NE(MappedFont(QStringLiteral("Latin Only")).styleStrategy(), QFont::NoFontMerging);
    QFont::removeSubstitutions(QStringLiteral("Latin Only"));
}

}  // namespace
}  // namespace zentavo
