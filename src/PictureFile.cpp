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
    case PictureKind::Gif:
    case PictureKind::WebP:
    case PictureKind::Bitmap:
    case PictureKind::Svg:
    case PictureKind::Pdf:
    case PictureKind::Other:
        break;
    }
    // Qt's readers read through a device over the same open file.
    QFile device;
    if (!device.open(file, QIODevice::ReadOnly))
        throw digitize::Error("Bitmap image is not valid");
    if (kind == PictureKind::Gif || kind == PictureKind::WebP)
        return ReadQtPicture(device, kind == PictureKind::Gif ? "gif" : "webp");
    return ReadBitmap(device);
}

} // namespace

OpenedPicture OpenPictureFile(const QString &path, digitize::JpegDecoder &jpeg) {
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
    std::array<std::uint8_t, 16> head{};
    const std::size_t got = std::fread(head.data(), 1, head.size(), file.get());
    std::rewind(file.get());
    const PictureKind kind = digitize::KindToRead(name, {head.data(), got});
    if (kind == PictureKind::Pdf || kind == PictureKind::Svg) {
        OpenedPicture opened;
        opened.Drawn = OpenDrawnPicture(path, kind);
        auto rendering = opened.Drawn->Render(1, opened.Drawn->DefaultResolution());
        opened.Picture = std::move(rendering.Picture);
        opened.Note = rendering.Note;
        return opened;
    }
    try {
        return {Decode(kind, file.get(), jpeg), nullptr, QString()};
    } catch (const digitize::Error &error) {
        throw digitize::Error("Cannot read " + name + ": " + error.what());
    }
}

digitize::Surface ReadPictureFile(const QString &path, digitize::JpegDecoder &jpeg) {
    return OpenPictureFile(path, jpeg).Picture;
}

QStringList PictureFileFilters() {
    QStringList all;
    QStringList each;
    for (const digitize::PictureFormat &format : digitize::ReadableFormats()) {
        QStringList patterns;
        for (const std::string_view extension : format.Extensions) {
            const QString lower =
                QStringLiteral("*") +
                QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size()));
            patterns << lower << lower.toUpper();
        }
        all << patterns;
        each << QString::fromUtf8(format.Name.data(), static_cast<qsizetype>(format.Name.size())) +
                    QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return QStringList{QStringLiteral("Pictures (") + all.join(QLatin1Char(' ')) +
                       QLatin1Char(')')} +
           each + QStringList{QStringLiteral("All files (*)")};
}
