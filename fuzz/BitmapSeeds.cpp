#include "BitmapSeeds.h"
#include "SeedFiles.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace seeds;

namespace {

// Little-endian fields, as the file format stores them.
struct Builder {
    Bytes bytes;
    void U8(unsigned v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void U16(unsigned v) {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Raw(std::initializer_list<unsigned> values) {
        for (const unsigned v : values)
            U8(v);
    }
};

// File header, 40-byte info header, colour table (B, G, R), extra header
// words (bit masks), then the pixel data.
Bytes Bitmap(int width, int height, unsigned bitsPerPixel, unsigned compression,
             const std::vector<std::uint32_t> &palette, const std::vector<std::uint32_t> &masks,
             const Bytes &pixels) {
    const auto offset = static_cast<std::uint32_t>(14 + 40 + 4 * (masks.size() + palette.size()));
    Builder b;
    b.Raw({'B', 'M'});
    b.U32(offset + static_cast<std::uint32_t>(pixels.size()));
    b.U32(0);
    b.U32(offset);
    b.U32(40);
    b.I32(width);
    b.I32(height);
    b.U16(1);
    b.U16(bitsPerPixel);
    b.U32(compression);
    b.U32(static_cast<std::uint32_t>(pixels.size()));
    b.I32(2835);
    b.I32(2835);
    b.U32(static_cast<std::uint32_t>(palette.size()));
    b.U32(0);
    for (const std::uint32_t mask : masks)
        b.U32(mask);
    for (const std::uint32_t colour : palette)
        b.U32(colour);
    b.bytes.insert(b.bytes.end(), pixels.begin(), pixels.end());
    return b.bytes;
}

void HandMadeBitmaps(const fs::path &dir) {
    constexpr unsigned Rle8 = 1, Rle4 = 2, BitFields = 3;
    const std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

    // Runs, an absolute run, a delta, line ends and the end of the picture.
    Write(dir / "rle8.bmp", Bitmap(8, 4, 8, Rle8, palette, {},
                                   {4, 1, 4, 2, 0, 0,             // row 0
                                    0, 3, 1, 2, 3, 0, 5, 0, 0, 0, // row 1: absolute, then a run
                                    0, 2, 2, 1,                   // delta to row 3, x 2
                                    6, 3, 0, 1}));
    Write(dir / "rle4.bmp", Bitmap(8, 3, 4, Rle4, palette, {},
                                   {8, 0x12, 0, 0,          // row 0
                                    0, 4, 0x30, 0x21, 0, 0, // row 1: absolute
                                    4, 0x33, 0, 1}));
    Write(dir / "uncompressed4.bmp",
          Bitmap(5, 2, 4, 0, palette, {}, {0x01, 0x23, 0x10, 0, 0x32, 0x10, 0x20, 0}));
    // 5-6-5 bit fields, two rows of four pixels.
    Write(dir / "rgb565.bmp", Bitmap(4, 2, 16, BitFields, {}, {0xF800, 0x07E0, 0x001F},
                                     {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF, 0x00, 0x00,
                                      0x10, 0x84, 0x08, 0x42, 0x1F, 0xF8}));
    // Rows stored top first (negative height), each padded to four bytes.
    Write(dir / "top_down24.bmp",
          Bitmap(3, -2, 24, 0, {}, {}, {0,   0,   255, 0,   255, 0,   255, 0, 0, 0, 0, 0,
                                        255, 255, 255, 128, 128, 128, 0,   0, 0, 0, 0, 0}));

    // 32 bits per pixel without masks: the fourth byte is unused.
    Write(dir / "rgb32_plain.bmp",
          Bitmap(2, 2, 32, 0, {}, {}, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 9, 9, 9, 0}));

    // The old OS/2 header: 12 bytes, 16-bit sizes.
    Builder os2;
    os2.Raw({'B', 'M'});
    os2.U32(14 + 12 + 16);
    os2.U32(0);
    os2.U32(14 + 12);
    os2.U32(12);
    os2.U16(2);
    os2.U16(2);
    os2.U16(1);
    os2.U16(24);
    os2.Raw({0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0});
    Write(dir / "os2_header24.bmp", os2.bytes);
}

void QtBitmaps(const fs::path &dir) {
    QImage mono(9, 5, QImage::Format_Mono);
    mono.setColor(0, qRgb(255, 255, 255));
    mono.setColor(1, qRgb(0, 0, 0));
    QImage indexed(7, 3, QImage::Format_Indexed8);
    indexed.setColorCount(5);
    for (int i = 0; i < 5; ++i)
        indexed.setColor(i, qRgb(i * 60, 255 - i * 50, (i * 97) & 0xFF));
    QImage rgb(5, 4, QImage::Format_RGB32);
    QImage argb(4, 4, QImage::Format_ARGB32);
    QImage rgb16(3, 3, QImage::Format_RGB16);
    QImage grey(6, 2, QImage::Format_Grayscale8);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x) {
            const auto s = [&](int c) { return static_cast<int>(Sample(x, y, c)); };
            if (x < mono.width() && y < mono.height())
                mono.setPixel(x, y, static_cast<unsigned>((x + y) & 1));
            if (x < indexed.width() && y < indexed.height())
                indexed.setPixel(x, y, static_cast<unsigned>((x * 3 + y) % 5));
            if (x < rgb.width() && y < rgb.height())
                rgb.setPixel(x, y, qRgb(s(0), s(1), s(2)));
            if (x < argb.width() && y < argb.height())
                argb.setPixel(x, y, qRgba(s(0), s(1), s(2), s(3)));
            if (x < rgb16.width() && y < rgb16.height())
                rgb16.setPixel(x, y, qRgb(s(0), s(1), s(2)));
            if (x < grey.width() && y < grey.height())
                grey.setPixel(x, y, qRgb(s(0), s(0), s(0)));
        }
    }
    const struct {
        const char *name;
        const QImage &image;
    } images[] = {{"mono.bmp", mono},   {"indexed8.bmp", indexed}, {"rgb32.bmp", rgb},
                  {"argb32.bmp", argb}, {"rgb16.bmp", rgb16},      {"grey8.bmp", grey}};
    for (const auto &[name, image] : images) {
        const auto file = dir / name;
        if (!image.save(QString::fromStdString(file.string()), "BMP")) {
            std::cerr << "fuzz_seeds: Qt cannot write " << file << '\n';
            std::exit(1);
        }
    }
}

} // namespace

void BitmapSeeds(const fs::path &dir) {
    QtBitmaps(dir);
    HandMadeBitmaps(dir);
}
