#include "window/canvas/ToolkitTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace zentavo {

bool InstallToolkitTranslations(const QLocale& locale)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return false;
    static const QString name = QStringLiteral("zentavo-toolkit-translations");
    // Deleting a translator uninstalls it.
    delete application->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly);

    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    translator->setObjectName(name);
    translator->setParent(application);
    return QCoreApplication::installTranslator(translator.release());
}

}  // namespace zentavo
