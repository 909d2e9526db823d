#include "digitize/picture/TiffDecoder.h"

#include "digitize/Errors.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include <sys/types.h>

namespace digitize {
namespace {

// Where libtiff reads from: a file from the position it had when handed
// over, or memory. Offsets are the TIFF data's own; size is known once the
// source is made, and nothing is read or sought past it, so that a file
// and the same bytes in memory fail alike.
struct Source {
    std::FILE *file = nullptr;
    off_t start = 0;
    const std::uint8_t *data = nullptr;
    std::uint64_t size = 0;
    std::uint64_t at = 0;
};

// The first error libtiff reports, or the first warning that means the
// pixels would not be read whole: later ones mostly follow from it.
struct Report {
    bool failed = false;
    bool readingPixels = false;
    char message[300] = {};

    void Note(const char *text) {
        if (failed)
            return;
        failed = true;
        std::snprintf(message, sizeof message, "%s", text);
    }
};

struct Text {
    char text[300] = {};
    Text(const char *format, va_list arguments) {
        std::vsnprintf(text, sizeof text, format, arguments);
    }
};

Source &Of(thandle_t handle) {
    return *static_cast<Source *>(handle);
}

tmsize_t ReadBytes(thandle_t handle, void *buffer, tmsize_t size) {
    Source &s = Of(handle);
    const std::uint64_t got =
        size <= 0 || s.at >= s.size
            ? 0
            : std::min<std::uint64_t>(static_cast<std::uint64_t>(size), s.size - s.at);
    if (got == 0)
        return 0;
    if (s.file != nullptr) {
        const std::size_t read = std::fread(buffer, 1, got, s.file);
        s.at += read;
        return static_cast<tmsize_t>(read);
    }
    std::memcpy(buffer, s.data + s.at, got);
    s.at += got;
    return static_cast<tmsize_t>(got);
}

tmsize_t WriteNothing(thandle_t, void *, tmsize_t) {
    return -1;
}

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
    Source &s = Of(handle);
    std::int64_t base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<std::int64_t>(s.at);
    else if (whence == SEEK_END)
        base = static_cast<std::int64_t>(s.size);
    else if (whence != SEEK_SET)
        return static_cast<toff_t>(-1);
    const std::int64_t to = base + static_cast<std::int64_t>(offset);
    if (to < 0 || static_cast<std::uint64_t>(to) > s.size)
        return static_cast<toff_t>(-1);
    if (s.file != nullptr && fseeko(s.file, s.start + static_cast<off_t>(to), SEEK_SET) != 0)
        return static_cast<toff_t>(-1);
    s.at = static_cast<std::uint64_t>(to);
    return s.at;
}

int CloseNothing(thandle_t) {
    return 0;
}

toff_t Size(thandle_t handle) {
    return Of(handle).size;
}

int MapNothing(thandle_t, void **, toff_t *) {
    return 0;
}

void UnmapNothing(thandle_t, void *, toff_t) {}

int OnError(TIFF *, void *user, const char *, const char *format, va_list arguments) {
    static_cast<Report *>(user)->Note(Text(format, arguments).text);
    return 1;
}

// Where the strips or tiles lie and how long they are: a warning about these
// means libtiff is guessing, and the pixels it reads may be noise.
bool AboutTheData(const char *text) {
    for (const char *name : {"StripByteCounts", "StripOffsets", "TileByteCounts", "TileOffsets"})
        if (std::strstr(text, name) != nullptr)
            return true;
    return false;
}

// A warning while the pixels are read (a codec's "corrupt data", a strip cut
// short) or one about the data's places fails the picture; the others are
// about tags the picture can do without (unknown or misplaced ones). None
// reaches the terminal.
int OnWarning(TIFF *, void *user, const char *, const char *format, va_list arguments) {
    Report &report = *static_cast<Report *>(user);
    Text warning(format, arguments);
    if (!report.readingPixels && !AboutTheData(warning.text))
        return 1;
    // What libtiff would have done instead ("..., ignoring and calculating
    // from imagelength") is not done.
    for (const char *instead : {", ignoring", ", calculating", ", assuming"})
        if (char *at = std::strstr(warning.text, instead))
            *at = '\0';
    report.Note(warning.text);
    return 1;
}

[[noreturn]] void Fail(const std::string &message) {
    throw Error("TIFF error: " + message);
}

struct CloseTiff {
    void operator()(TIFF *tiff) const { TIFFClose(tiff); }
};
struct FreeOptions {
    void operator()(TIFFOpenOptions *options) const { TIFFOpenOptionsFree(options); }
};
struct EndReader {
    void operator()(TIFFRGBAImage *reader) const { TIFFRGBAImageEnd(reader); }
};

// libtiff's words hold R, G, B, A from the lowest byte up, the colours
// already multiplied by alpha as (c * a + 127) / 255; adding white's share,
// 255 - a, gives (c * a + 255 * (255 - a) + 127) / 255 exactly.
void ToOpaqueWords(Surface &picture) {
    std::uint32_t *word = picture.Bits();
    const std::size_t count =
        static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height());
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t w = word[i];
        const std::uint32_t white = 255 - (w >> 24);
        // Premultiplied data that break the rule (a colour above its alpha) stay white.
        const auto channel = [&](unsigned shift) {
            return std::min<std::uint32_t>(((w >> shift) & 0xFFu) + white, 255u);
        };
        word[i] = 0xFF000000u | channel(0) << 16 | channel(8) << 8 | channel(16);
    }
}

// What libtiff's RGBA reader holds besides the picture: one strip or tile
// decoded, for each of up to four planes of a planar file.
std::uint64_t DecodeBuffer(TIFF *tiff) {
    const bool tiled = TIFFIsTiled(tiff) != 0;
    const std::uint64_t one = tiled ? TIFFTileSize64(tiff) : TIFFStripSize64(tiff);
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    return planar == PLANARCONFIG_SEPARATE ? 4 * one : one;
}

Surface Decode(Source &source) {
    Report report;
    const std::unique_ptr<TIFFOpenOptions, FreeOptions> options(TIFFOpenOptionsAlloc());
    if (!options)
        throw Error("Not enough memory to read the TIFF data");
    // libtiff 4.5 caps each allocation, not their sum: the sum is bounded by
    // checking the one large buffer its reader keeps before reading.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(MaxTiffBuffer));
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), &OnError, &report);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), &OnWarning, &report);
    // "m": no memory mapping, the reads go through the procedures above.
    const std::unique_ptr<TIFF, CloseTiff> tiff(
        TIFFClientOpenExt("TIFF", "rm", &source, &ReadBytes, &WriteNothing, &Seek, &CloseNothing,
                          &Size, &MapNothing, &UnmapNothing, options.get()));
    if (!tiff || report.failed)
        Fail(report.failed ? report.message : "Cannot read the TIFF data");
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    Surface::CheckSize(width, height);
    char why[1024] = {};
    // Stops at the first strip or tile that cannot be read.
    TIFFRGBAImage reader{};
    const bool begun = TIFFRGBAImageBegin(&reader, tiff.get(), 1, why) != 0;
    const std::unique_ptr<TIFFRGBAImage, EndReader> ending(begun ? &reader : nullptr);
    if (!begun || report.failed)
        Fail(report.failed ? report.message : why);
    // Only now: the reader may have asked libtiff for wider samples (YCbCr as RGB).
    const std::uint64_t buffer = DecodeBuffer(tiff.get());
    if (report.failed)
        Fail(report.message);
    if (buffer > MaxTiffBuffer)
        Fail(std::string(TIFFIsTiled(tiff.get()) ? "a tile" : "a strip") + " takes " +
             std::to_string(buffer) + " bytes decoded, more than the " +
             std::to_string(MaxTiffBuffer) + " read at once");
    Surface picture = Surface::Uninitialised(static_cast<int>(width), static_cast<int>(height));
    // From here on every warning is about the pixels ("Assuming 8-bit
    // colormap", which Begin gives for old files, is not).
    report.readingPixels = true;
    reader.req_orientation = ORIENTATION_TOPLEFT;
    const int read = TIFFRGBAImageGet(&reader, picture.Bits(), width, height);
    if (read == 0 || report.failed)
        Fail(report.failed ? report.message : "Cannot read the picture");
    ToOpaqueWords(picture);
    return picture;
}

} // namespace

Surface DecodeTiff(std::FILE *file) {
    Source source;
    source.file = file;
    source.start = std::max<off_t>(ftello(file), 0);
    if (fseeko(file, 0, SEEK_END) == 0) {
        const off_t end = ftello(file);
        source.size = end > source.start ? static_cast<std::uint64_t>(end - source.start) : 0;
    }
    if (fseeko(file, source.start, SEEK_SET) != 0)
        source.size = 0;
    return Decode(source);
}

Surface DecodeTiff(std::span<const std::uint8_t> bytes) {
    Source source;
    source.data = bytes.data();
    source.size = bytes.size();
    return Decode(source);
}

} // namespace digitize
