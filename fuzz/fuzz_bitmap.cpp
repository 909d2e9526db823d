// Any bytes dropped as a .BMP file, read the way the image window reads it:
// the only failure allowed is digitize::Error, and nothing may leak.
//
// Qt's reader accepts a file cut short in its pixel data and leaves the rows
// it did not get uninitialised, so the pixels themselves are not checked.
#include "BitmapFile.h"
#include "Features.h"
#include "digitize/Errors.h"
#include "digitize/picture/Surface.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QSize>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>

namespace {

// As for JPEG: a short header can announce a picture within the size limit
// (up to 2^28 pixels) and Qt then fills all of it, with two copies on the way
// to a surface: gigabytes and seconds per input for nothing new. Those sizes
// are skipped; sizes over the limit still go through, as they are refused
// before anything is allocated.
constexpr std::int64_t MaxDecodedPixels = std::int64_t{1} << 20;

// Qt's readers report every broken file on stderr, which would drown the
// fuzzer's own output; a fatal message still ends the run as a finding.
void Quiet(QtMsgType type, const QMessageLogContext &, const QString &) {
    if (type == QtFatalMsg)
        std::abort();
}

// A little-endian field of the file, zero past its end.
std::uint32_t Field(const QByteArray &bytes, qsizetype at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value =
            value << 8 | (at + i < bytes.size() ? static_cast<std::uint8_t>(bytes[at + i]) : 0u);
    return value;
}

// Only the values a reader tells apart, so that the corpus keeps one input
// per kind rather than one per number.
std::uint32_t OneOf(std::uint32_t value, std::initializer_list<std::uint32_t> known) {
    for (const std::uint32_t k : known)
        if (value == k)
            return value;
    return 0xFFFFFFFFu;
}

std::uint32_t SignedMagnitude(std::int32_t value) {
    const auto size = static_cast<std::uint64_t>(value < 0 ? -std::int64_t{value} : value);
    return features::Magnitude(size) << 1 | (value < 0 ? 1u : 0u);
}

// The header fields that steer Qt's reader, as features (see Features.h).
void NoteHeader(const QByteArray &bytes) {
    using features::Magnitude;
    using features::NoteField;
    const std::uint32_t offset = Field(bytes, 10, 4);
    const std::uint32_t headerSize = Field(bytes, 14, 4);
    const bool core = headerSize == 12; // the OS/2 header: 16-bit fields
    const auto width = static_cast<std::int32_t>(core ? Field(bytes, 18, 2) : Field(bytes, 18, 4));
    const auto height = static_cast<std::int32_t>(core ? Field(bytes, 20, 2) : Field(bytes, 22, 4));
    NoteField(1, bytes.startsWith("BM") ? 1 : 0);
    NoteField(2, OneOf(headerSize, {12, 16, 40, 52, 56, 64, 108, 124}));
    NoteField(3, OneOf(Field(bytes, core ? 24 : 28, 2), {0, 1, 2, 4, 8, 16, 24, 32, 64}));
    NoteField(4, core ? 1000 : OneOf(Field(bytes, 30, 4), {0, 1, 2, 3, 4, 5, 6, 11, 12, 13}));
    NoteField(5, SignedMagnitude(width));
    NoteField(6, SignedMagnitude(height));
    NoteField(7, core ? 1000 : Magnitude(Field(bytes, 46, 4)));
    const std::uint64_t pixelsAt = 14u + std::uint64_t{headerSize};
    NoteField(8, (offset < pixelsAt    ? 0u
                  : offset == pixelsAt ? 1u
                                       : 2u) |
                     (offset > static_cast<std::uint64_t>(bytes.size()) ? 4u : 0u));
}

// Reads the header as ReadBitmap will: the size it announces, or an invalid
// one. Qt gives a bitmap stored top row first its height as stored, negative.
struct Announced {
    std::int64_t width = -1;
    std::int64_t height = -1;
};
Announced AnnouncedSize(const QByteArray &bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    const QSize size = reader.size();
    features::NoteField(9, static_cast<std::uint64_t>(reader.imageFormat()));
    const std::int64_t height = size.height();
    return {size.width(), height < 0 ? -height : height};
}

} // namespace

// QImageReader and the bitmap handler are part of Qt GUI and need no
// application object (checked: no warning, the same pictures with one).
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    qInstallMessageHandler(&Quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    NoteHeader(bytes);
    const Announced announced = AnnouncedSize(bytes);
    if (announced.width * announced.height > MaxDecodedPixels &&
        digitize::WithinPictureLimit(announced.width, announced.height))
        return -1; // not worth keeping in the corpus either
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        const digitize::Surface picture = ReadBitmap(buffer);
        features::Note(features::Kind::Outcome,
                       features::Magnitude(static_cast<std::uint64_t>(picture.Width()) *
                                           static_cast<std::uint64_t>(picture.Height())));
    } catch (const digitize::Error &e) {
        // By the words of the message, not the sizes it names.
        const std::string message = e.what();
        const auto words = message.substr(0, message.find_first_of("0123456789"));
        features::Note(features::Kind::Error, std::hash<std::string>{}(words));
    }
    return 0;
}
