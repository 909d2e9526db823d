#include "SvgDrawing.h"

#include "BitmapFile.h"
#include "digitize/Errors.h"
#include "digitize/picture/RenderSize.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

// A gzip stream of more than this is refused before it is inflated.
constexpr qint64 MostBytes = qint64{256} * 1024 * 1024;

} // namespace

SvgDrawing::SvgDrawing(const QString &path) {
    const std::string name = path.toStdString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MostBytes)
        throw digitize::Error("Cannot open file " + name);
    content_ = file.readAll();
    const QSvgRenderer renderer(content_);
    const QSizeF size = renderer.viewBoxF().size();
    if (!renderer.isValid() || !(size.width() > 0 && size.height() > 0))
        throw digitize::Error("Cannot read " + name + ": SVG drawing is not valid");
}

int SvgDrawing::DefaultResolution() const {
    return digitize::DefaultLongSide;
}

DrawnPicture::Rendering SvgDrawing::Render(int, int resolution) const {
    QSvgRenderer renderer(content_);
    const QSizeF own = renderer.viewBoxF().size();
    const digitize::RenderSize size = digitize::DrawingSize(own.width(), own.height(), resolution);
    QImage image(size.Width, size.Height, QImage::Format_RGB32);
    if (image.isNull())
        throw digitize::Error("Not enough memory to draw the picture");
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter,
                        QRectF(0, 0, own.width() * size.Scale, own.height() * size.Scale));
    }
    const double longSide = std::max(own.width(), own.height()) * size.Scale;
    return {SurfaceFromImage(image),
            size.Lowered ? LoweredNote(longSide, resolution, false) : QString()};
}
