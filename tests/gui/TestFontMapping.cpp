#include "window/FontMapping.h"

#include <QFontDatabase>
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

}  // namespace
}  // namespace zentavo
