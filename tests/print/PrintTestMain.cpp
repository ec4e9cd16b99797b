#include "print/CupsScheduler.h"
#include "print/PrintTests.h"
#include "window/canvas/FontMapping.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

namespace zentavo::testing {

CupsScheduler* TheScheduler = nullptr;

}  // namespace zentavo::testing

int main(int argc, char* argv[])
{
    using zentavo::testing::CupsScheduler;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Before QApplication and the first use of libcups, which reads
    // CUPS_SERVER only once.
    std::optional<CupsScheduler> scheduler;
    if (CupsScheduler::Installed()) {
        scheduler.emplace();
    } else if (!qEnvironmentVariableIsEmpty("CI")) {
        std::fprintf(stderr, "cupsd or lpadmin is missing; the printing tests must run in CI. "
                             "Install them with scripts/install-deps --tests.\n");
        return 1;
    } else {
        std::fprintf(stderr, "\n*** cupsd or lpadmin is missing: the printing tests are SKIPPED. ***\n"
                             "*** Install them with scripts/install-deps --tests.             ***\n\n");
    }

    QApplication app(argc, argv);
    zentavo::InstallFontMapping();
    zentavo::testing::TheScheduler = scheduler ? &*scheduler : nullptr;
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    zentavo::testing::TheScheduler = nullptr;
    scheduler.reset();
    return result;
}
