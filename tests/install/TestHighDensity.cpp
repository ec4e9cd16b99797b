// The window on a high-density screen: run with QT_SCALE_FACTOR=2, so that
// every logical pixel is two device pixels each way.
#include "window/Fmain.h"
#include "window/PreviewArea.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <memory>

namespace zentavo {
namespace {

class HighDensity : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>();
        ASSERT_DOUBLE_EQ(form->devicePixelRatioF(), 2.0)
            << "the test needs QT_SCALE_FACTOR=2 (set by CTest)";
    }

    // The preview area as it is drawn now, in device pixels.
    QImage PreviewPicture() const
    {
        return form->PaintBox1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    std::unique_ptr<TForm1> form;
};

struct Sharpness {
    int inkBlocks = 0;    // 2 x 2 device-pixel blocks with a dark pixel
    int mixedBlocks = 0;  // of those, blocks whose four pixels differ
};

// A picture drawn at 1 device pixel per logical pixel and blown up has every
// aligned 2 x 2 block in one colour; one drawn at the device's resolution has
// glyph edges that split blocks.
Sharpness MeasureSharpness(const QImage& image)
{
    Sharpness result;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb block[4] = {image.pixel(x, y), image.pixel(x + 1, y),
                                   image.pixel(x, y + 1), image.pixel(x + 1, y + 1)};
            bool ink = false;
            bool mixed = false;
            for (const QRgb pixel : block) {
                ink = ink || qGray(pixel) < 128;
                mixed = mixed || pixel != block[0];
            }
            if (ink) {
                ++result.inkBlocks;
                result.mixedBlocks += mixed ? 1 : 0;
            }
        }
    }
    return result;
}

void ExpectSharpSheet(const QImage& picture, const char* sheet)
{
    SCOPED_TRACE(sheet);
    EXPECT_EQ(picture.size(), QSize(640, 882));
    const Sharpness sharpness = MeasureSharpness(picture);
    ASSERT_GT(sharpness.inkBlocks, 500) << "no sheet drawn";
    // Blown up, no block is mixed; drawn sharp, most blocks with ink are.
    EXPECT_GT(sharpness.mixedBlocks * 2, sharpness.inkBlocks)
        << sharpness.mixedBlocks << " of " << sharpness.inkBlocks << " blocks with ink are mixed";
}

TEST_F(HighDensity, PreviewDrawsBothSheetsAtTheDeviceResolution)
{
    form->D3->setChecked(true);
    form->D7->setChecked(true);
    form->PreviewBtnClick();
    ASSERT_EQ(form->Run().PreviewShown, 1);

    // Right after Preview the area shows the answer sheet; on its next paint
    // the question sheet.
    ExpectSharpSheet(PreviewPicture(), "answer sheet");
    ExpectSharpSheet(PreviewPicture(), "question sheet");
}

// Dark pixels (text) that a widget draws outside its own rectangle once it is
// given more room: to the right, and for a top-aligned label also below.
// They are what its real size cuts off. Check marks and radio dots sit at
// the left, borders are light.
int InkBeyondEdge(QWidget* widget, bool below)
{
    const QSize size = widget->size();
    widget->resize(size + QSize(200, below ? 40 : 0));
    const QImage picture = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    widget->resize(size);
    const qreal ratio = picture.devicePixelRatio();
    int ink = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool outside = x >= size.width() * ratio || (below && y >= size.height() * ratio);
            if (outside && qGray(picture.pixel(x, y)) < 96)
                ++ink;
        }
    }
    return ink;
}

// Every caption fits in its control at this scale: none is cut at the right
// edge of its control, and no label's text at the bottom.
TEST_F(HighDensity, CaptionsFitTheirControls)
{
    form->show();
    for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
        SCOPED_TRACE(button->objectName().toStdString() + " " + button->text().toStdString());
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
            EXPECT_EQ(InkBeyondEdge(button, false), 0);
            continue;
        }
        // A push button centres its caption (and icon) in the room inside
        // its frame.
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        int needed = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
        if (!button->icon().isNull())
            needed += button->iconSize().width() + 4;
        EXPECT_LE(needed, room.width());
    }
    for (QLabel* label : form->findChildren<QLabel*>()) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_EQ(InkBeyondEdge(label, true), 0);
    }
    for (QGroupBox* group : form->findChildren<QGroupBox*>()) {
        SCOPED_TRACE(group->title().toStdString());
        EXPECT_LE(group->fontMetrics().horizontalAdvance(group->title()), group->width());
    }
}

}  // namespace
}  // namespace zentavo
