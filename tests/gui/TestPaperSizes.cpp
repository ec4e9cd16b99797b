// One table of papers for every front end: the desktop's PDF pages are the
// toolkit's standard sizes, and the browser's printed pages measure the same
// device pixels.
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
        EXPECT_EQ(SheetPdf::Width(layout), PrintPixels(paper.width, paper.unit)) << paper.name;
        EXPECT_EQ(SheetPdf::Height(layout), PrintPixels(paper.height, paper.unit)) << paper.name;
    }
}

}  // namespace zentavo
