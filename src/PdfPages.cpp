#include "PdfPages.h"

#include "digitize/Errors.h"
#include "digitize/picture/RenderSize.h"

#include <poppler/qt6/poppler-qt6.h>

#include <QColor>
#include <QImage>
#include <QStringList>

#include <algorithm>
#include <cstring>

namespace {

// Poppler says what is wrong only through its message function; the last
// messages of one load are the reason a load failed.
QStringList *Messages = nullptr;

// The most pixels drawn at once: a page at 300 dpi in one strip.
constexpr int StripPixels = 1 << 24;

void Collect(const QString &message, const QVariant &) {
    if (Messages != nullptr)
        Messages->append(message);
}

std::string Reason(const QStringList &messages) {
    if (messages.isEmpty())
        return "not a PDF document";
    QString reason = messages.constLast().trimmed();
    if (reason.startsWith(QStringLiteral("Error: ")))
        reason.remove(0, 7);
    return reason.toStdString();
}

} // namespace

PdfPages::PdfPages(const QString &path) {
    QStringList messages;
    Messages = &messages;
    Poppler::setDebugErrorFunction(Collect, QVariant());
    document_ = Poppler::Document::load(path);
    Messages = nullptr;
    const std::string name = path.toStdString();
    if (!document_)
        throw digitize::Error("Cannot read " + name + ": " + Reason(messages));
    if (document_->isLocked())
        throw digitize::Error(name + " is protected by a password");
    if (document_->numPages() < 1)
        throw digitize::Error("Cannot read " + name + ": the document has no pages");
    document_->setRenderBackend(Poppler::Document::SplashBackend);
    document_->setPaperColor(Qt::white);
    document_->setRenderHint(Poppler::Document::Antialiasing);
    document_->setRenderHint(Poppler::Document::TextAntialiasing);
}

PdfPages::~PdfPages() = default;

int PdfPages::Pages() const {
    return document_->numPages();
}

int PdfPages::DefaultResolution() const {
    return digitize::DefaultDpi;
}

DrawnPicture::Rendering PdfPages::Render(int page, int resolution) const {
    const auto pdfPage = document_->page(page - 1);
    if (!pdfPage)
        throw digitize::Error("The document has no page " + std::to_string(page));
    const QSizeF points = pdfPage->pageSizeF();
    const digitize::RenderSize size =
        digitize::PageSize(points.width(), points.height(), resolution);
    const double dpi = size.Scale * 72.0;
    // Drawn in strips straight into the picture: a page at 1200 dpi takes
    // hundreds of megabytes, and a second copy of it would double them.
    auto picture = digitize::Surface::Uninitialised(size.Width, size.Height);
    const int rowsPerStrip = std::max(1, StripPixels / size.Width);
    for (int top = 0; top < size.Height; top += rowsPerStrip) {
        const int rows = std::min(rowsPerStrip, size.Height - top);
        QStringList messages;
        Messages = &messages;
        QImage strip = pdfPage->renderToImage(dpi, dpi, 0, top, size.Width, rows);
        Messages = nullptr;
        if (strip.format() != QImage::Format_RGB32)
            strip = strip.convertToFormat(QImage::Format_RGB32);
        if (strip.width() != size.Width || strip.height() != rows)
            throw digitize::Error("Cannot draw page " + std::to_string(page) + ": " +
                                  Reason(messages));
        for (int y = 0; y < rows; ++y)
            std::memcpy(picture.Row(top + y), strip.constScanLine(y),
                        static_cast<std::size_t>(size.Width) * 4);
    }
    return {std::move(picture), size.Lowered ? LoweredNote(dpi, resolution, true) : QString()};
}
