#include "BitmapFile.h"

#include "digitize/Errors.h"

#include <QIODevice>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstring>

namespace {

// Qt refuses images over its allocation limit (in MiB); let it read anything
// a picture surface can hold.
constexpr int AllocationLimitMiB = static_cast<int>(digitize::MaxPixels * 4 / (1024 * 1024));

} // namespace

digitize::Surface ReadBitmap(QIODevice &device) {
    if (device.size() == 0)
        return {};
    QImageReader::setAllocationLimit(std::max(QImageReader::allocationLimit(), AllocationLimitMiB));
    QImageReader reader(&device, "bmp");
    const QSize size = reader.size();
    if (size.isValid())
        digitize::Surface::CheckSize(size.width(), size.height());
    QImage image;
    if (!reader.read(&image))
        throw digitize::Error("Bitmap image is not valid");
    return SurfaceFromImage(image);
}

digitize::Surface SurfaceFromImage(const QImage &image) {
    digitize::Surface::CheckSize(image.width(), image.height());
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull() && !image.isNull())
        throw digitize::Error("Not enough memory to convert the picture");
    auto surface = digitize::Surface::Uninitialised(rgb.width(), rgb.height());
    const auto rowBytes = static_cast<std::size_t>(rgb.width()) * 4;
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(surface.Row(y), rgb.constScanLine(y), rowBytes);
    return surface;
}
