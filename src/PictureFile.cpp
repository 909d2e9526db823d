#include "PictureFile.h"

#include "BitmapFile.h"
#include "digitize/Errors.h"
#include "digitize/picture/PicturePath.h"
#include "digitize/picture/PngDecoder.h"
#include "digitize/picture/TiffDecoder.h"

#include <QFile>
#include <QFileInfo>
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
    const std::string name = path.toStdString();
    if (digitize::KindOfPath(name) == PictureKind::Other)
        digitize::RefuseKindOf(name);
    const auto cannotOpen = [&] { return digitize::Error("Cannot open file " + name); };
    if (!QFileInfo(path).isFile())
        throw cannotOpen();
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(
        std::fopen(QFile::encodeName(path).constData(), "rb"), &std::fclose);
    if (!file)
        throw cannotOpen();
    std::array<std::uint8_t, 8> head{};
    const std::size_t got = std::fread(head.data(), 1, head.size(), file.get());
    std::rewind(file.get());
    const PictureKind kind = digitize::KindToRead(name, {head.data(), got});
    try {
        return Decode(kind, file.get(), jpeg);
    } catch (const digitize::Error &error) {
        throw digitize::Error("Cannot read " + name + ": " + error.what());
    }
}
