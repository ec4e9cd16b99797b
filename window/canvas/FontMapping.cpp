#include "window/canvas/FontMapping.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace zentavo {
namespace {

const QStringList MinchoCandidates = {
    QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
    QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Serif JP")};
const QStringList GothicCandidates = {
    QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
    QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")};

QStringList InstalledOf(const QStringList& candidates)
{
    const QStringList families = QFontDatabase::families();
    QStringList installed;
    for (const QString& family : candidates)
        if (families.contains(family, Qt::CaseInsensitive))
            installed << family;
    return installed;
}

void MapFace(const QString& requested, const QStringList& candidates, const QString& fallback)
{
    QStringList faces = InstalledOf(candidates);
    if (faces.isEmpty())
        faces << fallback;
    QFont::insertSubstitutions(requested, faces);
}

}  // namespace

void InstallFontMapping()
{
    static const bool installed = [] {
        const QString serif = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        MapFace(MinchoFaceName, MinchoCandidates, serif);
        MapFace(GothicFaceName, GothicCandidates, serif);
        // The window font: a Japanese-capable sans face where there is one.
        MapFace(SystemFaceName, GothicCandidates, serif);
        return true;
    }();
    (void)installed;
}

QFont MappedFont(const QString& requested)
{
    const QStringList mapped = QFont::substitutes(requested);
    QFont font;
    font.setFamilies(mapped.isEmpty() ? QStringList{requested} : mapped);
    // The light auto-hinting that desktops ask for by default first measures
    // each face on dozens of reference glyphs: start-up time and memory for no
    // visible gain at these sizes.
    font.setHintingPreference(QFont::PreferNoHinting);
    const bool japanese =
        !mapped.isEmpty() && (MinchoCandidates.contains(mapped.first(), Qt::CaseInsensitive) ||
                              GothicCandidates.contains(mapped.first(), Qt::CaseInsensitive));
    if (japanese)
        font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QString InstalledFaceFor(const QString& requested)
{
    return QFontInfo(QFont(requested)).family();
}

}  // namespace zentavo
