#include "digitize/picture/PngDecoder.h"

#include "digitize/Errors.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstring>
#include <string>

namespace digitize {
namespace {

// Ancillary chunks that would change the colours shown, or that the picture
// does not need; libpng then skips them unparsed.
constexpr png_byte IgnoredChunks[] = "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0"
                                     "pHYs\0sBIT\0sCAL\0sPLT\0sRGB\0tEXt\0tIME\0zTXt";
constexpr int IgnoredChunkCount = static_cast<int>(sizeof IgnoredChunks / 5);

// Rows decoded and laid over white together, while they are still in cache.
constexpr int Batch = 16;

struct Source {
    std::FILE *file = nullptr;
    const std::uint8_t *next = nullptr;
    std::size_t left = 0;
    // The signature and the header chunk's start, up to the picture's size,
    // kept to name the size when libpng refuses it by its own limit.
    std::uint8_t head[24] = {};
    std::size_t headSize = 0;
};

// Everything libpng's callbacks reach, at a stable address. The functions
// that call setjmp keep no objects with destructors, so the longjmp from
// OnError crosses only C frames and skips nothing that needs unwinding.
struct PngState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    Source source;
    std::jmp_buf escape{};
    char message[200] = {};

    PngState() = default;
    PngState(const PngState &) = delete;
    PngState &operator=(const PngState &) = delete;
    ~PngState() {
        if (png != nullptr)
            png_destroy_read_struct(&png, &info, nullptr);
    }
};

void OnError(png_structp png, png_const_charp message) {
    auto &s = *static_cast<PngState *>(png_get_error_ptr(png));
    std::snprintf(s.message, sizeof s.message, "%s", message);
    std::longjmp(s.escape, 1);
}

// What libpng only warns about (a damaged ancillary chunk, data after the
// picture's) leaves the pixels whole.
void OnWarning(png_structp, png_const_charp) {}

// A source that runs dry fails the read, as libpng's own stdio reader does.
void Read(png_structp png, png_bytep data, std::size_t size) {
    auto &source = *static_cast<Source *>(png_get_io_ptr(png));
    std::size_t got = 0;
    if (source.file != nullptr) {
        got = std::fread(data, 1, size, source.file);
    } else {
        got = std::min(size, source.left);
        if (got != 0)
            std::memcpy(data, source.next, got);
        source.next += got;
        source.left -= got;
    }
    const std::size_t keep = std::min(got, sizeof source.head - source.headSize);
    std::memcpy(source.head + source.headSize, data, keep);
    source.headSize += keep;
    if (got != size)
        png_error(png, "the file ends before the picture does");
}

std::uint32_t BigEndian(const std::uint8_t *at) {
    return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
           at[3];
}

bool ReadHeader(PngState &s) {
    if (setjmp(s.escape))
        return false;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &s, &OnError, &OnWarning);
    if (s.png == nullptr)
        return false;
    s.info = png_create_info_struct(s.png);
    if (s.info == nullptr)
        png_error(s.png, "Insufficient memory");
    // libpng's own limits stay: a million pixels a side, 8 MB a chunk.
    png_set_read_fn(s.png, &s.source, &Read);
    png_set_keep_unknown_chunks(s.png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(s.png, PNG_HANDLE_CHUNK_NEVER, IgnoredChunks, IgnoredChunkCount);
    png_read_info(s.png, s.info);
    return true;
}

// B, G, R, A bytes to opaque B, G, R over a white page, in place.
void OverWhite(png_bytep row, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        png_bytep p = row + 4 * i;
        const unsigned a = p[3];
        if (a == 255)
            continue;
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<png_byte>((p[c] * a + 255 * (255 - a) + 127) / 255);
        p[3] = 255;
    }
}

png_bytep RowBytes(Surface &picture, png_uint_32 y) {
    return reinterpret_cast<png_bytep>(picture.Row(static_cast<int>(y)));
}

bool ReadPixels(PngState &s, Surface &picture) {
    if (setjmp(s.escape))
        return false;
    // Every kind to 8-bit B, G, R, A: little-endian 0xAARRGGBB words.
    png_set_expand(s.png);
    png_set_scale_16(s.png);
    png_set_gray_to_rgb(s.png);
    png_set_bgr(s.png);
    png_set_filler(s.png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(s.png);
    png_read_update_info(s.png, s.info);
    const png_uint_32 width = png_get_image_width(s.png, s.info);
    const png_uint_32 height = png_get_image_height(s.png, s.info);
    if (png_get_rowbytes(s.png, s.info) != std::size_t{width} * 4)
        png_error(s.png, "Unexpected row layout after transforming");
    const bool transparent = (png_get_color_type(s.png, s.info) & PNG_COLOR_MASK_ALPHA) != 0;
    png_bytep rows[Batch];
    for (int pass = 0; pass < passes; ++pass) {
        // An interlaced picture is only whole after its last pass.
        const bool lay = transparent && passes == 1;
        for (png_uint_32 first = 0; first < height; first += Batch) {
            const png_uint_32 count = std::min<png_uint_32>(Batch, height - first);
            for (png_uint_32 i = 0; i < count; ++i)
                rows[i] = RowBytes(picture, first + i);
            png_read_rows(s.png, rows, nullptr, count);
            if (lay)
                for (png_uint_32 i = 0; i < count; ++i)
                    OverWhite(rows[i], width);
        }
    }
    if (transparent && passes > 1)
        for (png_uint_32 y = 0; y < height; ++y)
            OverWhite(RowBytes(picture, y), width);
    png_read_end(s.png, nullptr);
    return true;
}

[[noreturn]] void Fail(const PngState &s) {
    // A header over the picture-size limit, which libpng may refuse first,
    // is named by its size.
    const Source &source = s.source;
    if (source.headSize == sizeof source.head && std::memcmp(source.head + 12, "IHDR", 4) == 0)
        Surface::CheckSize(BigEndian(source.head + 16), BigEndian(source.head + 20));
    if (s.png == nullptr)
        throw Error("Not enough memory to read the PNG data");
    throw Error(std::string("PNG error: ") + s.message);
}

Surface Decode(const Source &source) {
    PngState s;
    s.source = source;
    if (!ReadHeader(s))
        Fail(s);
    // Before libpng sizes its row buffers, and before the picture is allocated.
    Surface::CheckSize(png_get_image_width(s.png, s.info), png_get_image_height(s.png, s.info));
    Surface picture = Surface::Uninitialised(static_cast<int>(png_get_image_width(s.png, s.info)),
                                             static_cast<int>(png_get_image_height(s.png, s.info)));
    if (!ReadPixels(s, picture))
        Fail(s);
    return picture;
}

} // namespace

Surface DecodePng(std::FILE *file) {
    Source source;
    source.file = file;
    return Decode(source);
}

Surface DecodePng(std::span<const std::uint8_t> bytes) {
    Source source;
    source.next = bytes.data();
    source.left = bytes.size();
    return Decode(source);
}

} // namespace digitize
