#include "window/canvas/SheetPdf.h"

#include <QFileDevice>
#include <QIODevice>
#include <QPageSize>

namespace zentavo {

QPageLayout PaperLayout(Paper paper)
{
    const PaperInfo& info = InfoOf(paper);
    const QPageSize::Unit unit = info.unit == PaperUnit::Inch ? QPageSize::Inch : QPageSize::Millimeter;
    const QPageSize size(QPageSize::id(QSizeF(info.width, info.height), unit, QPageSize::ExactMatch));
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF());
}

SheetPdf::SheetPdf(QIODevice& device, const QPageLayout& layout, const QString& title)
    : device_(device), writer_(&device)
{
    writer_.setResolution(Resolution);
    writer_.setPageLayout(layout);
    writer_.setTitle(title);
    writer_.setCreator(QStringLiteral("Zentavo"));
}

SheetPdf::~SheetPdf()
{
    canvas_.reset();
    if (painter_.isActive())
        painter_.end();
}

int32_t SheetPdf::Width(const QPageLayout& layout)
{
    return layout.paintRectPixels(Resolution).width();
}

int32_t SheetPdf::Height(const QPageLayout& layout)
{
    return layout.paintRectPixels(Resolution).height();
}

bool SheetPdf::Begin()
{
    if (!painter_.begin(&writer_))
        return false;
    canvas_ = std::make_unique<QtSheetCanvas>(painter_);
    return true;
}

SheetCanvas& SheetPdf::Canvas()
{
    return *canvas_;
}

void SheetPdf::NewPage()
{
    // The canvas and its sized fonts carry over: every sheet sets the whole
    // drawing state it uses before it draws.
    writer_.newPage();
}

namespace {

// A short write is no error by itself, and leaves no reason behind; the next
// attempt either writes the rest or says why it cannot.
bool Flushed(QFileDevice& file)
{
    return file.flush() || file.flush();
}

}  // namespace

bool SheetPdf::End()
{
    canvas_.reset();
    const bool ended = painter_.end();
    auto* file = qobject_cast<QFileDevice*>(&device_);
    if (file && !Flushed(*file))
        return false;
    return ended && (!file || file->error() == QFileDevice::NoError);
}

}  // namespace zentavo
