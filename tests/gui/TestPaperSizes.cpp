// One table of papers for every front end: the desktop's PDF pages are the
// toolkit's standard sizes, and the browser's printed pages measure the same
// device pixels, give or take the toolkit's rounding: Qt 6.4 (Debian 12)
// rounds a page's whole points to the nearest pixel, as the table does, Qt 6.8
// (Debian 13) truncates (A4 is 9917 or 9916 pixels wide at 1200 dpi).
#include "sheetset/Paper.h"
#include "window/canvas/SheetPdf.h"

#include <QPageSize>

#include <gtest/gtest.h>

namespace zentavo {

TEST(PaperSizes, TheToolkitsStandardPapersInTheSamePixels)
{
    const QPageSize::PageSizeId standard[] = {QPageSize::A4, QPageSize::JisB5, QPageSize::JisB4, QPageSize::A3,
                                              QPageSize::Letter};
    for (const PaperInfo& paper : Papers) {
        const QPageLayout layout = PaperLayout(paper.paper);
        EXPECT_EQ(layout.pageSize().id(), standard[static_cast<size_t>(paper.paper)]) << paper.name;
        EXPECT_NEAR(SheetPdf::Width(layout), PrintPixels(paper.width, paper.unit), 1) << paper.name;
        EXPECT_NEAR(SheetPdf::Height(layout), PrintPixels(paper.height, paper.unit), 1) << paper.name;
    }
}

}  // namespace zentavo
