#include "BitmapFile.h"

#include "digitize/Errors.h"
#include "digitize/picture/GifCheck.h"

#include <QIODevice>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

// Qt refuses images over its allocation limit (in MiB); let it read anything
// a picture surface can hold.
constexpr int AllocationLimitMiB = static_cast<int>(digitize::MaxPixels * 4 / (1024 * 1024));

[[noreturn]] void NotValid() {
    throw digitize::Error("Bitmap image is not valid");
}

constexpr std::uint32_t Uncompressed = 0;
constexpr std::uint32_t RunLength8 = 1;
constexpr std::uint32_t RunLength4 = 2;
constexpr std::uint32_t BitFields = 3;
constexpr std::uint32_t AlphaBitFields = 6;

std::uint32_t Little(const QByteArray &bytes, qsizetype at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// What the file and info headers say about the pixels, offsets counted from
// the start of the file.
struct Layout {
    std::int64_t width = 0;
    std::int64_t height = 0; // rows, whichever way they run
    int bits = 0;
    std::uint32_t compression = Uncompressed;
    std::int64_t pixels = 0;
};

// Nothing when the headers are not a bitmap's; Qt then refuses the data.
std::optional<Layout> ReadLayout(const QByteArray &head) {
    if (head.size() < 26 || head[0] != 'B' || head[1] != 'M')
        return std::nullopt;
    const std::uint32_t infoSize = Little(head, 14, 4);
    Layout layout;
    std::uint32_t planes = 0;
    if (infoSize == 12) { // OS/2 1.x: 16-bit sizes
        layout.width = Little(head, 18, 2);
        layout.height = Little(head, 20, 2);
        planes = Little(head, 22, 2);
        layout.bits = static_cast<int>(Little(head, 24, 2));
    } else if ((infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 ||
                infoSize == 108 || infoSize == 124) &&
               head.size() >= 34) {
        layout.width = static_cast<std::int32_t>(Little(head, 18, 4));
        const std::int64_t height = static_cast<std::int32_t>(Little(head, 22, 4));
        layout.height = height < 0 ? -height : height; // negative: top row first
        planes = Little(head, 26, 2);
        layout.bits = static_cast<int>(Little(head, 28, 2));
        layout.compression = Little(head, 30, 4);
    } else {
        return std::nullopt;
    }
    const int bits = layout.bits;
    if (planes != 1 ||
        !(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32))
        return std::nullopt;
    // Qt starts at the stated offset only when it lies past the headers.
    layout.pixels = std::max<std::int64_t>(Little(head, 10, 4), 14 + std::int64_t{infoSize});
    return layout;
}

// Run-length data must reach their end-of-bitmap code or fill the last row.
bool RunsComplete(const QByteArray &data, qsizetype at, const Layout &layout) {
    const bool nibbles = layout.compression == RunLength4;
    std::int64_t x = 0;
    std::int64_t row = 0;
    while (row < layout.height) {
        if (at + 2 > data.size())
            return row == layout.height - 1 && x >= layout.width;
        const int count = static_cast<std::uint8_t>(data[at]);
        const int code = static_cast<std::uint8_t>(data[at + 1]);
        at += 2;
        if (count != 0) { // a run of one value (or one pair of nibbles)
            x += count;
        } else if (code == 0) { // end of line
            x = 0;
            ++row;
        } else if (code == 1) { // end of bitmap
            return true;
        } else if (code == 2) { // move right and down
            if (at + 2 > data.size())
                return false;
            x += static_cast<std::uint8_t>(data[at]);
            row += static_cast<std::uint8_t>(data[at + 1]);
            at += 2;
        } else { // `code` values as they are, padded to an even byte count
            const qsizetype bytes = nibbles ? (code + 1) / 2 : code;
            if (at + bytes > data.size())
                return false;
            at += bytes + (bytes & 1);
            x += code;
        }
    }
    return true;
}

// Qt's reader stops quietly where the data end and calls the picture read,
// the missing rows left as they happened to be; a file cut short must be
// refused instead.
bool PixelsComplete(QIODevice &device, const Layout &layout, std::int64_t available) {
    switch (layout.compression) {
    case Uncompressed:
    case BitFields:
    case AlphaBitFields: {
        const std::int64_t stride = (layout.width * layout.bits + 31) / 32 * 4;
        return layout.pixels + stride * layout.height <= available;
    }
    case RunLength8:
    case RunLength4:
        return layout.pixels <= available &&
               RunsComplete(device.peek(available), static_cast<qsizetype>(layout.pixels), layout);
    default:
        return true;
    }
}

} // namespace

digitize::Surface ReadBitmap(QIODevice &device) {
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        NotValid();
    const std::int64_t available =
        device.isSequential() ? device.bytesAvailable() : device.size() - device.pos();
    // Qt refuses a header claiming more pixels than it allows without saying
    // why; check the size first so that the message names it.
    const std::optional<Layout> layout = ReadLayout(device.peek(64));
    if (layout && layout->width >= 0) {
        digitize::Surface::CheckSize(layout->width, layout->height);
        if (!PixelsComplete(device, *layout, available))
            NotValid();
    }
    QImageReader::setAllocationLimit(std::max(QImageReader::allocationLimit(), AllocationLimitMiB));
    QImageReader reader(&device, "bmp");
    QImage image;
    if (!reader.read(&image))
        NotValid();
    return SurfaceFromImage(image);
}

digitize::Surface ReadQtPicture(QIODevice &device, const char *format) {
    if (qstrcmp(format, "gif") == 0) {
        const QByteArray bytes = device.peek(device.size());
        digitize::CheckGifFirstImage({reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())});
    }
    QImageReader reader(&device, format);
    if (const QSize size = reader.size(); size.isValid())
        digitize::Surface::CheckSize(size.width(), size.height());
    QImageReader::setAllocationLimit(std::max(QImageReader::allocationLimit(), AllocationLimitMiB));
    QImage image;
    if (!reader.read(&image))
        throw digitize::Error(reader.errorString().toStdString());
    if (!image.hasAlphaChannel())
        return SurfaceFromImage(image);
    // Transparent pixels show the page under them, as in any viewer.
    QImage page(image.size(), QImage::Format_RGB32);
    if (page.isNull())
        throw digitize::Error("Not enough memory to convert the picture");
    page.fill(Qt::white);
    QPainter(&page).drawImage(0, 0, image);
    return SurfaceFromImage(page);
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
