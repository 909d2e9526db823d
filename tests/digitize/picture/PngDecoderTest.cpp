// The PNG reader, fed files written here with libpng's own writer: every
// colour type and bit depth against pixel values worked out by hand,
// transparency laid over white, interlaced files, and files cut short or
// damaged, which must be refused whole.
#include "digitize/picture/PngDecoder.h"
#include "HostileFiles.h"
#include "digitize/Errors.h"
#include "digitize/picture/Surface.h"

#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using digitize::Surface;
using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r, g, b;
};

// What a test file holds: samples per pixel in file order (index, grey,
// grey-alpha, RGB or RGBA), row by row, at the file's bit depth.
struct PngLayout {
    int colourType = PNG_COLOR_TYPE_GRAY;
    int bitDepth = 8;
    int width = 1;
    int height = 1;
    std::vector<std::uint16_t> samples;
    bool interlaced = false;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> paletteAlpha;  // tRNS of a palette file
    std::optional<png_color_16> transparent; // tRNS of a grey or RGB file
};

int Channels(int colourType) {
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

void WriteBytes(png_structp png, png_bytep data, std::size_t size) {
    auto &out = *static_cast<Bytes *>(png_get_io_ptr(png));
    out.insert(out.end(), data, data + size);
}

void FailWrite(png_structp, png_const_charp message) {
    std::fprintf(stderr, "test PNG writer: %s\n", message);
    std::abort();
}

// Packs the samples as the file stores them (low depths from the high bits
// down, 16-bit big-endian) and writes them with libpng.
Bytes WritePng(const PngLayout &layout) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &FailWrite, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, &WriteBytes, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width),
                 static_cast<png_uint_32>(layout.height), layout.bitDepth, layout.colourType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (const Rgb &c : layout.palette)
        palette.push_back({c.r, c.g, c.b});
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!layout.paletteAlpha.empty())
        png_set_tRNS(png, info, layout.paletteAlpha.data(),
                     static_cast<int>(layout.paletteAlpha.size()), nullptr);
    if (layout.transparent) {
        png_color_16 colour = *layout.transparent;
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    png_write_info(png, info);

    const int perRow = layout.width * Channels(layout.colourType);
    const std::size_t rowBytes = static_cast<std::size_t>((perRow * layout.bitDepth + 7) / 8);
    std::vector<Bytes> rows(static_cast<std::size_t>(layout.height), Bytes(rowBytes, 0));
    std::vector<png_bytep> pointers;
    for (int y = 0; y < layout.height; ++y) {
        Bytes &row = rows[static_cast<std::size_t>(y)];
        for (int i = 0; i < perRow; ++i) {
            const unsigned v = layout.samples[static_cast<std::size_t>(y * perRow + i)];
            if (layout.bitDepth == 16) {
                row[2 * static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> 8);
                row[2 * static_cast<std::size_t>(i) + 1] = static_cast<std::uint8_t>(v);
            } else {
                const int bit = i * layout.bitDepth;
                row[static_cast<std::size_t>(bit / 8)] |=
                    static_cast<std::uint8_t>(v << (8 - layout.bitDepth - bit % 8));
            }
        }
        pointers.push_back(row.data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<std::uint32_t> Words(const Surface &picture) {
    const std::uint32_t *bits = picture.Bits();
    return {bits, bits + static_cast<std::ptrdiff_t>(picture.Width()) * picture.Height()};
}

std::vector<Rgb> Palette(int size) {
    std::vector<Rgb> palette;
    for (int j = 0; j < size; ++j)
        palette.push_back({static_cast<std::uint8_t>(j * 16 % 256),
                           static_cast<std::uint8_t>(255 - j * 16 % 256),
                           static_cast<std::uint8_t>(j)});
    return palette;
}

TEST(DecodePng, GivesEachColourTypeAndBitDepthAsShownOnAWhitePage) {
    struct Row {
        const char *name;
        PngLayout layout; // one row of pixels
        std::vector<std::uint32_t> want;
    };
    const auto line = [](int type, int depth, std::vector<std::uint16_t> samples) {
        PngLayout layout;
        layout.colourType = type;
        layout.bitDepth = depth;
        layout.width = static_cast<int>(samples.size()) / Channels(type);
        layout.samples = std::move(samples);
        return layout;
    };
    const auto withKey = [](PngLayout layout, png_color_16 key) {
        layout.transparent = key;
        return layout;
    };
    const auto withPalette = [](PngLayout layout, int size, std::vector<std::uint8_t> alpha = {}) {
        layout.palette = Palette(size);
        layout.paletteAlpha = std::move(alpha);
        return layout;
    };
    constexpr int Grey = PNG_COLOR_TYPE_GRAY;
    constexpr int GreyAlpha = PNG_COLOR_TYPE_GRAY_ALPHA;
    constexpr int Colour = PNG_COLOR_TYPE_RGB;
    constexpr int ColourAlpha = PNG_COLOR_TYPE_RGB_ALPHA;
    constexpr int Indexed = PNG_COLOR_TYPE_PALETTE;
    const Row rows[] = {
        {"grey, 1 bit",
         line(Grey, 1, {0, 1, 1, 0}),
         {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}},
        {"grey, 2 bits",
         line(Grey, 2, {0, 1, 2, 3}),
         {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}},
        {"grey, 4 bits",
         line(Grey, 4, {0, 1, 7, 15}),
         {0xFF000000, 0xFF111111, 0xFF777777, 0xFFFFFFFF}},
        {"grey, 8 bits", line(Grey, 8, {0, 128, 255}), {0xFF000000, 0xFF808080, 0xFFFFFFFF}},
        // 16 bits to 8 to the nearest: 128/257 is 0.498, 129/257 is 0.502.
        {"grey, 16 bits",
         line(Grey, 16, {0, 128, 129, 0x8080, 0xFFFF}),
         {0xFF000000, 0xFF000000, 0xFF010101, 0xFF808080, 0xFFFFFFFF}},
        {"grey, 2 bits, key 1",
         withKey(line(Grey, 2, {1, 2}), {0, 0, 0, 0, 1}),
         {0xFFFFFFFF, 0xFFAAAAAA}},
        {"grey, 8 bits, key 128",
         withKey(line(Grey, 8, {128, 127, 0}), {0, 0, 0, 0, 128}),
         {0xFFFFFFFF, 0xFF7F7F7F, 0xFF000000}},
        {"grey, 16 bits, key 0x1234",
         withKey(line(Grey, 16, {0x1234, 0x1235}), {0, 0, 0, 0, 0x1234}),
         {0xFFFFFFFF, 0xFF121212}},
        {"grey and alpha, 8 bits",
         line(GreyAlpha, 8, {0, 0, 0, 255, 100, 128, 0, 1, 255, 1, 1, 128}),
         {0xFFFFFFFF, 0xFF000000, 0xFFB1B1B1, 0xFFFEFEFE, 0xFFFFFFFF, 0xFF808080}},
        {"grey and alpha, 16 bits",
         line(GreyAlpha, 16, {0, 0x8080, 0x6464, 0x8080, 0xFFFF, 0}),
         {0xFF7F7F7F, 0xFFB1B1B1, 0xFFFFFFFF}},
        {"RGB, 8 bits",
         line(Colour, 8, {255, 0, 0, 1, 2, 3, 0, 0, 255}),
         {0xFFFF0000, 0xFF010203, 0xFF0000FF}},
        {"RGB, 16 bits",
         line(Colour, 16, {0xFFFF, 0x0101, 0x7F7F, 0x0080, 0x0081, 0}),
         {0xFFFF017F, 0xFF000100}},
        {"RGB, 8 bits, key",
         withKey(line(Colour, 8, {10, 20, 30, 10, 20, 31}), {0, 10, 20, 30, 0}),
         {0xFFFFFFFF, 0xFF0A141F}},
        {"RGB, 16 bits, key",
         withKey(line(Colour, 16, {0x0A0A, 0x1414, 0x1E1E, 0x0A0A, 0x1414, 0x1E1F}),
                 {0, 0x0A0A, 0x1414, 0x1E1E, 0}),
         {0xFFFFFFFF, 0xFF0A141E}},
        // (127 + 255 * 254 + 127) / 255 is 254.996: rounded down, not up.
        {"RGBA, 8 bits",
         line(ColourAlpha, 8,
              {200, 100, 50, 128, 0, 0, 0, 0, 1, 2, 3, 255, 1, 239, 3, 128, 127, 127, 127, 1}),
         {0xFFE3B198, 0xFFFFFFFF, 0xFF010203, 0xFF80F781, 0xFFFEFEFE}},
        {"RGBA, 16 bits",
         line(ColourAlpha, 16, {0xC8C8, 0x6464, 0x3232, 0x8080, 0xFFFF, 0, 0, 0xFFFF}),
         {0xFFE3B198, 0xFFFF0000}},
        // Palette entry j is (16 j mod 256, 255 - 16 j mod 256, j).
        {"palette, 1 bit", withPalette(line(Indexed, 1, {0, 1}), 2), {0xFF00FF00, 0xFF10EF01}},
        {"palette, 2 bits",
         withPalette(line(Indexed, 2, {3, 2, 1, 0}), 4),
         {0xFF30CF03, 0xFF20DF02, 0xFF10EF01, 0xFF00FF00}},
        {"palette, 4 bits",
         withPalette(line(Indexed, 4, {0, 5, 15}), 16),
         {0xFF00FF00, 0xFF50AF05, 0xFFF00F0F}},
        {"palette, 8 bits",
         withPalette(line(Indexed, 8, {200, 0, 255}), 256),
         {0xFF807FC8, 0xFF00FF00, 0xFFF00FFF}},
        // Entries past the tRNS list are opaque.
        {"palette, 8 bits, tRNS",
         withPalette(line(Indexed, 8, {0, 1, 2}), 3, {0, 128}),
         {0xFFFFFFFF, 0xFF87F780, 0xFF20DF02}},
        {"palette, 2 bits, tRNS",
         withPalette(line(Indexed, 2, {1, 0}), 4, {255, 0}),
         {0xFFFFFFFF, 0xFF00FF00}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const Surface picture = digitize::DecodePng(WritePng(row.layout));
        ASSERT_EQ(picture.Width(), row.layout.width);
        ASSERT_EQ(picture.Height(), 1);
        EXPECT_EQ(Words(picture), row.want);
    }
}

// A picture of every sample value a depth allows, over rows enough to span
// several of the reader's batches.
PngLayout Pattern(int type, int depth, bool interlaced) {
    PngLayout layout;
    layout.colourType = type;
    layout.bitDepth = depth;
    layout.width = 37;
    layout.height = 35;
    layout.interlaced = interlaced;
    const int count = layout.width * layout.height * Channels(type);
    for (int i = 0; i < count; ++i)
        layout.samples.push_back(
            static_cast<std::uint16_t>((static_cast<unsigned>(i) * 40503u) % (1u << depth)));
    if (type == PNG_COLOR_TYPE_PALETTE) {
        layout.palette = Palette(1 << depth);
        layout.paletteAlpha = {0, 64, 128, 255, 1};
    }
    return layout;
}

TEST(DecodePng, ReadsAnInterlacedFileAsTheSamePictureStoredPlainly) {
    struct Row {
        const char *name;
        int type;
        int depth;
    };
    const Row rows[] = {
        {"grey, 1 bit", PNG_COLOR_TYPE_GRAY, 1},
        {"grey, 16 bits", PNG_COLOR_TYPE_GRAY, 16},
        {"grey and alpha, 8 bits", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
        {"RGB, 8 bits", PNG_COLOR_TYPE_RGB, 8},
        {"RGBA, 8 bits", PNG_COLOR_TYPE_RGB_ALPHA, 8},
        {"RGBA, 16 bits", PNG_COLOR_TYPE_RGB_ALPHA, 16},
        {"palette, 4 bits, tRNS", PNG_COLOR_TYPE_PALETTE, 4},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const Surface plain = digitize::DecodePng(WritePng(Pattern(row.type, row.depth, false)));
        const Surface interlaced =
            digitize::DecodePng(WritePng(Pattern(row.type, row.depth, true)));
        ASSERT_EQ(interlaced.Width(), 37);
        ASSERT_EQ(interlaced.Height(), 35);
        EXPECT_EQ(Words(interlaced), Words(plain));
        // Every word opaque, whatever the file's transparency.
        const auto words = Words(interlaced);
        EXPECT_TRUE(std::all_of(words.begin(), words.end(),
                                [](std::uint32_t w) { return w >> 24 == 0xFF; }));
    }
}

TEST(DecodePng, ReadsFromAFileWhereItsDataStart) {
    const Bytes png = WritePng(Pattern(PNG_COLOR_TYPE_RGB, 8, false));
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::tmpfile(), &std::fclose);
    ASSERT_TRUE(file);
    std::fputs("skipped", file.get());
    std::fwrite(png.data(), 1, png.size(), file.get());
    std::fseek(file.get(), 7, SEEK_SET);
    EXPECT_EQ(Words(digitize::DecodePng(file.get())), Words(digitize::DecodePng(png)));
}

// Bytes of a chunk's data changed, its checksum made to match.
Bytes WithChunkData(Bytes png, std::string_view type,
                    std::initializer_list<std::pair<std::size_t, std::uint8_t>> changes) {
    const auto number = [&](std::size_t at) {
        return std::size_t{png[at]} << 24 | std::size_t{png[at + 1]} << 16 |
               std::size_t{png[at + 2]} << 8 | png[at + 3];
    };
    std::size_t chunk = 8;
    while (std::string_view(reinterpret_cast<const char *>(png.data()) + chunk + 4, 4) != type)
        chunk += 12 + number(chunk);
    const std::size_t length = number(chunk);
    for (const auto &[at, value] : changes)
        png[chunk + 8 + at] = value;
    const auto crc =
        static_cast<std::uint32_t>(crc32(0, png.data() + chunk + 4, static_cast<uInt>(4 + length)));
    for (std::size_t i = 0; i < 4; ++i)
        png[chunk + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    return png;
}

TEST(DecodePng, RefusesFilesCutShortOrDamaged) {
    const Bytes good = WritePng(Pattern(PNG_COLOR_TYPE_RGB, 8, false));
    const auto cut = [&](std::size_t size) {
        return Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    };
    const auto flipped = [&](std::size_t at) {
        Bytes bytes = good;
        bytes[at] ^= 0x10;
        return bytes;
    };
    struct Row {
        const char *name;
        Bytes bytes;
        std::string message;
    };
    const std::size_t idat = 8 + 25 + 8; // the first IDAT's data
    const Row rows[] = {
        {"no bytes", {}, "PNG error: the file ends before the picture does"},
        {"cut in the signature", cut(5), "PNG error: the file ends before the picture does"},
        {"cut in the header", cut(20), "PNG error: the file ends before the picture does"},
        {"cut in the pixel data", cut(good.size() / 2),
         "PNG error: the file ends before the picture does"},
        {"cut before the end chunk", cut(good.size() - 12),
         "PNG error: the file ends before the picture does"},
        {"not a PNG signature", flipped(1), "PNG error: Not a PNG file"},
        {"header checksum wrong", flipped(8 + 8 + 3), "PNG error: IHDR: CRC error"},
        {"pixel data damaged", flipped(idat + 20), "PNG error: IDAT: "},
        {"pixel data checksum wrong", flipped(good.size() - 13), "PNG error: IDAT: CRC error"},
        {"compressed data damaged", WithChunkData(good, "IDAT", {{0, 0xFF}}), "PNG error: IDAT: "},
        {"bit depth 3", WithChunkData(good, "IHDR", {{8, 3}}), "PNG error: Invalid IHDR data"},
        {"width 0", WithChunkData(good, "IHDR", {{3, 0}}), "PNG error: Invalid IHDR data"},
        {"100000 x 100000",
         // 0x000186A0 both ways
         WithChunkData(good, "IHDR",
                       {{1, 0x01}, {2, 0x86}, {3, 0xA0}, {5, 0x01}, {6, 0x86}, {7, 0xA0}}),
         "100000 x 100000"},
        // 74 bytes announcing 268435456 x 1 at 16 bits, within 2^28 pixels.
        {"268435456 x 1", hostile::Png(268435456, 1, 16, PNG_COLOR_TYPE_GRAY, Bytes(16)),
         "268435456 x 1 pixels, more than 65535 pixels a side"},
        {"70000 x 2, every row given",
         hostile::Png(70000, 2, 8, PNG_COLOR_TYPE_GRAY, Bytes(2 * 70001)),
         "70000 x 2 pixels, more than 65535 pixels a side"},
        {"65536 x 1", hostile::Png(65536, 1, 1, PNG_COLOR_TYPE_GRAY, Bytes(8193)),
         "65536 x 1 pixels, more than 65535 pixels a side"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        hostile::ResetPeakMemory();
        const long before = hostile::StatusKilobytes("VmRSS:");
        try {
            digitize::DecodePng(row.bytes);
            ADD_FAILURE() << "read";
        } catch (const digitize::Error &error) {
            EXPECT_NE(std::string(error.what()).find(row.message), std::string::npos)
                << error.what();
        }
        EXPECT_LT(hostile::StatusKilobytes("VmHWM:") - before, hostile::PeakAllowanceKilobytes);
    }
}

} // namespace
