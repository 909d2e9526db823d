#include "PictureFile.h"

#include "BitmapFile.h"
#include "digitize/Errors.h"
#include "digitize/PicturePath.h"
#include "digitize/PngDecoder.h"
#include "digitize/TiffDecoder.h"

#include <QFile>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace {

using digitize::PictureKind;

digitize::Surface Decode(PictureKind kind, std::FILE *file, digitize::JpegDecoder &jpeg) {
    switch (kind) {
    case PictureKind::Jpeg:
        return jpeg.Decode(file);
    case PictureKind::Png:
        return digitize::DecodePng(file);
    case PictureKind::Tiff:
        return digitize::DecodeTiff(file);
    case PictureKind::Bitmap:
    case PictureKind::Other:
        break;
    }
    // Qt's reader reads through a device over the same open file.
    QFile device;
    if (!device.open(file, QIODevice::ReadOnly))
        throw digitize::Error("Bitmap image is not valid");
    return ReadBitmap(device);
}

} // namespace

digitize::Surface ReadPictureFile(const QString &path, digitize::JpegDecoder &jpeg) {
    const QByteArray localPath = QFile::encodeName(path);
    const PictureKind named = digitize::KindOfPath(localPath.toStdString());
    if (named == PictureKind::Other)
        throw digitize::Error("Only JPEG (.jpg, .jpeg, .jpe, .jfif), PNG (.png), TIFF (.tif, "
                              ".tiff) and Windows bitmap (.bmp) files are read, not " +
                              path.toStdString());
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(
        std::fopen(localPath.constData(), "rb"), &std::fclose);
    if (!file)
        throw digitize::Error("Cannot open file " + path.toStdString());
    std::array<std::uint8_t, 8> head{};
    const std::size_t got = std::fread(head.data(), 1, head.size(), file.get());
    std::rewind(file.get());
    const PictureKind found = digitize::KindOfContent({head.data(), got});
    try {
        return Decode(found != PictureKind::Other ? found : named, file.get(), jpeg);
    } catch (const digitize::Error &error) {
        throw digitize::Error("Cannot read " + path.toStdString() + ": " + error.what());
    }
}
