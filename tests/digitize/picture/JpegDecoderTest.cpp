// The JPEG reader, fed files made here with libjpeg's own compressor: every
// kind of colour it meets, damaged and cut-short data, sizes too large to
// hold, and one decoder object reused after each failure.
#include "digitize/picture/JpegDecoder.h"
#include "TestPattern.h"
#include "digitize/Errors.h"
#include "digitize/picture/Surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

using digitize::Colour;
using digitize::JpegDecoder;
using digitize::Surface;
using Bytes = std::vector<std::uint8_t>;

constexpr Colour Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

std::string Hex(Colour colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(colour));
    return text;
}

std::string HexWord(std::uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(word));
    return text;
}

std::string ErrorText(int code) {
    return "JPEG error #" + std::to_string(code);
}

bool Near(Colour got, Colour want, int tolerance) {
    for (unsigned shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((got >> shift) & 0xFFu);
        const int b = static_cast<int>((want >> shift) & 0xFFu);
        if (std::abs(a - b) > tolerance)
            return false;
    }
    return true;
}

// Samples to compress, row by row, `components` to a pixel.
struct Samples {
    int width = 0;
    int height = 0;
    int components = 3;
    J_COLOR_SPACE space = JCS_RGB;
    Bytes data;
};

struct Options {
    bool progressive = false;
    // The colour space stored in the file; JCS_UNKNOWN keeps libjpeg's choice.
    J_COLOR_SPACE stored = JCS_UNKNOWN;
    bool adobeMarker = true;
    int restartRows = 0;
    std::vector<jpeg_scan_info> scans;
    int quality = 100;
    bool optimise = false;
    bool arithmetic = false;
};

Options Progressive() {
    Options options;
    options.progressive = true;
    return options;
}

Options Stored(J_COLOR_SPACE space, bool adobeMarker = true) {
    Options options;
    options.stored = space;
    options.adobeMarker = adobeMarker;
    return options;
}

Options RestartEveryRow() {
    Options options;
    options.restartRows = 1;
    return options;
}

Options Arithmetic() {
    Options options;
    options.arithmetic = true;
    return options;
}

Options Optimised() {
    Options options;
    options.optimise = true;
    return options;
}

// Other quantisation and Huffman tables than the defaults.
Options OtherTables() {
    Options options;
    options.quality = 50;
    options.optimise = true;
    return options;
}

// A progressive script of exactly `total` scans: one DC scan, then each AC
// coefficient of each component on its own, sent a bit at a time (successive
// approximation), the first bands taking one step more than the rest.
std::vector<jpeg_scan_info> ScanScript(int components, int total) {
    std::vector<jpeg_scan_info> scans;
    jpeg_scan_info dc{};
    dc.comps_in_scan = components;
    for (int c = 0; c < components; ++c)
        dc.component_index[c] = c;
    scans.push_back(dc);
    const int bands = components * 63;
    const int steps = (total - 1) / bands;
    int longer = (total - 1) % bands;
    for (int c = 0; c < components; ++c)
        for (int k = 1; k <= 63; ++k) {
            const int first = steps - 1 + (longer-- > 0 ? 1 : 0);
            jpeg_scan_info scan{};
            scan.comps_in_scan = 1;
            scan.component_index[0] = c;
            scan.Ss = k;
            scan.Se = k;
            scan.Al = first;
            scans.push_back(scan);
            for (int al = first - 1; al >= 0; --al) {
                scan.Ah = al + 1;
                scan.Al = al;
                scans.push_back(scan);
            }
        }
    return scans;
}

Options Scans(int total) {
    Options options;
    options.scans = ScanScript(3, total);
    EXPECT_EQ(options.scans.size(), static_cast<std::size_t>(total)) << "scans in the script";
    return options;
}

// By default quality 100 without chroma subsampling, so solid 8 x 8 blocks
// come back nearly exact.
Bytes Compress(const Samples &picture, const Options &options = {}) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = picture.components;
    cinfo.in_color_space = picture.space;
    jpeg_set_defaults(&cinfo);
    if (options.stored != JCS_UNKNOWN)
        jpeg_set_colorspace(&cinfo, options.stored);
    if (!options.adobeMarker)
        cinfo.write_Adobe_marker = FALSE;
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    cinfo.optimize_coding = options.optimise ? TRUE : FALSE;
    cinfo.arith_code = options.arithmetic ? TRUE : FALSE;
    for (int i = 0; i < cinfo.num_components; ++i) {
        cinfo.comp_info[i].h_samp_factor = 1;
        cinfo.comp_info[i].v_samp_factor = 1;
    }
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    if (!options.scans.empty()) {
        cinfo.scan_info = options.scans.data();
        cinfo.num_scans = static_cast<int>(options.scans.size());
    }
    cinfo.restart_in_rows = options.restartRows;
    jpeg_start_compress(&cinfo, TRUE);
    const auto stride = static_cast<std::size_t>(picture.width * picture.components);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto *row = const_cast<JSAMPLE *>(picture.data.data() + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// A solid block of the picture: its samples and the colour a viewer shows.
struct Block {
    std::string name;
    Bytes samples;
    Colour shown;
};

constexpr int BlockSize = 16;
constexpr int BlockColumns = 4;

// Blocks of BlockSize pixels, BlockColumns to a row, lined up with the 8 x 8
// DCT blocks so that no block bleeds into the next.
Samples BlockPicture(const std::vector<Block> &blocks, int components, J_COLOR_SPACE space) {
    const int rows = (static_cast<int>(blocks.size()) + BlockColumns - 1) / BlockColumns;
    Samples picture{BlockColumns * BlockSize, rows * BlockSize, components, space, {}};
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const auto i = static_cast<std::size_t>((y / BlockSize) * BlockColumns + x / BlockSize);
            const Bytes &samples = blocks[i].samples;
            picture.data.insert(picture.data.end(), samples.begin(), samples.end());
        }
    return picture;
}

// Every pixel near its block's colour, and every word of the buffer opaque.
testing::AssertionResult ShowsBlocks(const Surface &surface, const std::vector<Block> &blocks,
                                     int tolerance) {
    const int rows = (static_cast<int>(blocks.size()) + BlockColumns - 1) / BlockColumns;
    if (surface.Width() != BlockColumns * BlockSize || surface.Height() != rows * BlockSize)
        return testing::AssertionFailure()
               << "size " << surface.Width() << " x " << surface.Height() << ", expected "
               << BlockColumns * BlockSize << " x " << rows * BlockSize;
    auto failure = testing::AssertionFailure();
    int wrong = 0;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            const auto &block =
                blocks[static_cast<std::size_t>((y / BlockSize) * BlockColumns + x / BlockSize)];
            const Colour got = surface.Pixel(x, y);
            const std::uint32_t word = surface.Row(y)[x];
            if (Near(got, block.shown, tolerance) && (word >> 24) == 0xFFu)
                continue;
            if (++wrong <= 4)
                failure << "\n  " << block.name << " block, pixel (" << x << ", " << y
                        << "): " << Hex(got) << " (word " << HexWord(word) << "), expected about "
                        << Hex(block.shown);
        }
    if (wrong == 0)
        return testing::AssertionSuccess();
    return failure << "\n  " << wrong << " pixels wrong in all";
}

testing::AssertionResult SamePixels(const Surface &a, const Surface &b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return testing::AssertionFailure() << "sizes " << a.Width() << " x " << a.Height()
                                           << " and " << b.Width() << " x " << b.Height();
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Row(y)[x] != b.Row(y)[x])
                return testing::AssertionFailure()
                       << "first difference at (" << x << ", " << y << "): " << Hex(a.Pixel(x, y))
                       << " and " << Hex(b.Pixel(x, y));
    return testing::AssertionSuccess();
}

std::vector<Block> ColourBlocks() {
    return {
        {"red", {255, 0, 0}, Rgb(255, 0, 0)},        {"green", {0, 255, 0}, Rgb(0, 255, 0)},
        {"blue", {0, 0, 255}, Rgb(0, 0, 255)},       {"white", {255, 255, 255}, Rgb(255, 255, 255)},
        {"black", {0, 0, 0}, Rgb(0, 0, 0)},          {"grey", {128, 128, 128}, Rgb(128, 128, 128)},
        {"orange", {255, 128, 0}, Rgb(255, 128, 0)}, {"purple", {128, 0, 128}, Rgb(128, 0, 128)}};
}

Samples ColourPicture() {
    return BlockPicture(ColourBlocks(), 3, JCS_RGB);
}

// The colour blocks four times over: 128 pixels, 16 DCT blocks high.
std::vector<Block> TallBlocks() {
    std::vector<Block> blocks;
    for (int i = 0; i < 4; ++i)
        for (const Block &block : ColourBlocks())
            blocks.push_back(block);
    return blocks;
}

// Ink amounts (cyan, magenta, yellow, black) and the colour they print as.
struct Ink {
    const char *name;
    std::uint8_t c, m, y, k;
    Colour shown;
};

constexpr Ink Inks[] = {
    {"no ink", 0, 0, 0, 0, Rgb(255, 255, 255)},
    {"cyan", 255, 0, 0, 0, Rgb(0, 255, 255)},
    {"magenta", 0, 255, 0, 0, Rgb(255, 0, 255)},
    {"yellow", 0, 0, 255, 0, Rgb(255, 255, 0)},
    {"full black", 0, 0, 0, 255, Rgb(0, 0, 0)},
    {"half black", 0, 0, 0, 128, Rgb(127, 127, 127)},
    {"cyan and yellow", 255, 0, 255, 0, Rgb(0, 255, 0)},
    {"half cyan, half black", 128, 0, 0, 128, Rgb(63, 127, 127)},
};

// Adobe applications store 255 - ink; others store the ink itself.
std::vector<Block> InkBlocks(bool inverted) {
    std::vector<Block> blocks;
    for (const Ink &ink : Inks) {
        Bytes samples{ink.c, ink.m, ink.y, ink.k};
        if (inverted)
            for (auto &sample : samples)
                sample = static_cast<std::uint8_t>(255 - sample);
        blocks.push_back({ink.name, samples, ink.shown});
    }
    return blocks;
}

// A busy picture, so that most of the file is entropy-coded data.
Samples NoisePicture() {
    Samples picture{64, 64, 3, JCS_RGB, {}};
    std::minstd_rand random(7);
    picture.data.resize(64 * 64 * 3);
    for (auto &sample : picture.data)
        sample = static_cast<std::uint8_t>(random() & 0xFF);
    return picture;
}

// Where the first segment with the marker starts in the headers before the
// first scan; 0 when there is none.
std::size_t FindSegment(const Bytes &jpeg, std::uint8_t marker) {
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        if (jpeg[at + 1] == marker)
            return at;
        if (jpeg[at + 1] == 0xDA)
            break;
        at += 2 + static_cast<std::size_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
    }
    return 0;
}

std::size_t HeaderMarker(const Bytes &jpeg, std::uint8_t marker) {
    const std::size_t at = FindSegment(jpeg, marker);
    if (at == 0)
        ADD_FAILURE() << "no marker 0x" << std::hex << int{marker} << " before the first scan";
    return at;
}

Bytes WithoutSegments(Bytes jpeg, std::uint8_t marker) {
    EXPECT_NE(FindSegment(jpeg, marker), 0U) << "no segment to take out";
    for (std::size_t at; (at = FindSegment(jpeg, marker)) != 0;) {
        const auto length = static_cast<std::size_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
        jpeg.erase(jpeg.begin() + static_cast<std::ptrdiff_t>(at),
                   jpeg.begin() + static_cast<std::ptrdiff_t>(at + 2 + length));
    }
    return jpeg;
}

// The first byte of entropy-coded data.
std::size_t ScanData(const Bytes &jpeg) {
    const std::size_t sos = HeaderMarker(jpeg, 0xDA);
    return sos + 2 + static_cast<std::size_t>(jpeg[sos + 2] << 8 | jpeg[sos + 3]);
}

Bytes WithFrameSize(Bytes jpeg, unsigned width, unsigned height) {
    const std::size_t sof = HeaderMarker(jpeg, 0xC0);
    jpeg[sof + 5] = static_cast<std::uint8_t>(height >> 8);
    jpeg[sof + 6] = static_cast<std::uint8_t>(height & 0xFF);
    jpeg[sof + 7] = static_cast<std::uint8_t>(width >> 8);
    jpeg[sof + 8] = static_cast<std::uint8_t>(width & 0xFF);
    return jpeg;
}

struct TempFile {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file{std::tmpfile(), &std::fclose};
};

TEST(JpegDecoder, DecodesEachKindOfColourFileToTheColoursAViewerShows) {
    struct Row {
        std::string name;
        std::vector<Block> blocks;
        int components;
        J_COLOR_SPACE input;
        Options options;
        int tolerance;
    };
    const std::vector<Row> rows = {
        // Red must come out in the lowest byte, blue in the third.
        {"baseline YCbCr", ColourBlocks(), 3, JCS_RGB, {}, 2},
        {"progressive YCbCr", ColourBlocks(), 3, JCS_RGB, Progressive(), 2},
        {"RGB stored as RGB", ColourBlocks(), 3, JCS_RGB, Stored(JCS_RGB), 1},
        {"Adobe CMYK (inverted ink)", InkBlocks(true), 4, JCS_CMYK, Stored(JCS_CMYK), 2},
        {"Adobe YCCK (inverted ink)", InkBlocks(true), 4, JCS_CMYK, Stored(JCS_YCCK), 3},
        {"CMYK without the Adobe marker (plain ink)", InkBlocks(false), 4, JCS_CMYK,
         Stored(JCS_CMYK, false), 2},
    };
    JpegDecoder decoder;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const Bytes jpeg =
            Compress(BlockPicture(row.blocks, row.components, row.input), row.options);
        EXPECT_TRUE(ShowsBlocks(decoder.Decode(jpeg), row.blocks, row.tolerance));
    }
}

TEST(JpegDecoder, GivesGreyPixelsForAGreyscaleFile) {
    Samples ramp{64, 16, 1, JCS_GRAYSCALE, {}};
    for (int y = 0; y < ramp.height; ++y)
        for (int x = 0; x < ramp.width; ++x)
            ramp.data.push_back(static_cast<std::uint8_t>(x * 4 + y / 4));
    JpegDecoder decoder;
    const Surface grey = decoder.Decode(Compress(ramp));
    ASSERT_EQ(grey.Width(), 64);
    ASSERT_EQ(grey.Height(), 16);
    int wrong = 0;
    for (int y = 0; y < grey.Height(); ++y)
        for (int x = 0; x < grey.Width(); ++x) {
            const unsigned level = static_cast<unsigned>(x * 4 + y / 4);
            const Colour got = grey.Pixel(x, y);
            if (!Near(got, Rgb(level, level, level), 2) || (got & 0xFF) != ((got >> 8) & 0xFF) ||
                (got & 0xFF) != (got >> 16)) {
                EXPECT_LE(++wrong, 3) << "pixel (" << x << ", " << y << "): " << Hex(got)
                                      << ", expected grey " << level;
            }
        }
    EXPECT_EQ(wrong, 0);
}

// The entropy coding changes how coefficients are stored, never their values.
TEST(JpegDecoder, DecodesEveryEntropyCodingToTheSamePixelsAsBaseline) {
    struct Row {
        std::string name;
        Options options;
    };
    const std::vector<Row> rows = {
        {"simple progression", Progressive()},
        {"1000 scans, the most allowed", Scans(1000)},
        {"arithmetic coding", Arithmetic()},
        {"optimised Huffman tables", Optimised()},
        {"a restart marker after every row of blocks", RestartEveryRow()},
    };
    JpegDecoder decoder;
    const Surface baseline = decoder.Decode(Compress(ColourPicture()));
    ASSERT_TRUE(ShowsBlocks(baseline, ColourBlocks(), 2));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(SamePixels(decoder.Decode(Compress(ColourPicture(), row.options)), baseline));
    }
}

TEST(JpegDecoder, RefusesDamagedDataByTheDecodersMessageAndStaysUsable) {
    const Bytes valid = Compress(ColourPicture());
    const Bytes noise = Compress(NoisePicture());
    const Bytes progressiveNoise = Compress(NoisePicture(), Progressive());
    const Bytes restarts = Compress(ColourPicture(), RestartEveryRow());

    auto cut = [](const Bytes &jpeg, std::size_t size) {
        return Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(size));
    };
    auto patched = [](Bytes jpeg, std::size_t at, const Bytes &with) {
        std::copy(with.begin(), with.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(at));
        return jpeg;
    };
    // Sixteen one-bits in a row are never a Huffman code.
    Bytes ones;
    for (int i = 0; i < 8; ++i)
        ones.insert(ones.end(), {0xFF, 0x00});
    std::size_t restart = ScanData(restarts);
    while (restart + 1 < restarts.size() &&
           !(restarts[restart] == 0xFF && restarts[restart + 1] == 0xD0))
        ++restart;
    ASSERT_LT(restart + 1, restarts.size()) << "no first restart marker";
    Bytes garbage(300);
    std::minstd_rand random(11);
    for (auto &byte : garbage)
        byte = static_cast<std::uint8_t>(random() & 0xFF);
    const Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,    0,    0,
                       13,   'I', 'H', 'D', 'R',  0,    0,    0,    8,    0,    0,
                       0,    4,   8,   2,   0,    0,    0,    0x4F, 0x5C, 0x88, 0x6E};

    struct Row {
        std::string name;
        Bytes bytes;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"no bytes at all", {}, ErrorText(JERR_INPUT_EMPTY)},
        {"cut in half", cut(noise, noise.size() / 2), ErrorText(JWRN_JPEG_EOF)},
        {"progressive cut in half", cut(progressiveNoise, progressiveNoise.size() / 2),
         ErrorText(JWRN_JPEG_EOF)},
        {"cut inside the headers", cut(valid, ScanData(valid) - 20), ErrorText(JWRN_JPEG_EOF)},
        {"end marker inside the entropy-coded data",
         patched(noise, ScanData(noise) + 200, {0xFF, 0xD9}), ErrorText(JWRN_HIT_MARKER)},
        {"entropy-coded data overwritten with one-bits", patched(valid, ScanData(valid) + 10, ones),
         ErrorText(JWRN_HUFF_BAD_CODE)},
        {"restart marker out of sequence", patched(restarts, restart, {0xFF, 0xD3}),
         ErrorText(JWRN_MUST_RESYNC)},
        {"start marker overwritten", patched(valid, 0, {0x00, 0x00}), ErrorText(JERR_NO_SOI)},
        {"quantisation table marker overwritten", patched(valid, HeaderMarker(valid, 0xDB), {0, 0}),
         ErrorText(JERR_NO_QUANT_TABLE)},
        {"frame marker overwritten", patched(valid, HeaderMarker(valid, 0xC0), {0, 0}),
         ErrorText(JERR_SOS_NO_SOF)},
        {"random garbage", garbage, ErrorText(JERR_NO_SOI)},
        {"a PNG file's start", png, ErrorText(JERR_NO_SOI)},
    };

    JpegDecoder decoder;
    const Surface reference = decoder.Decode(valid);
    ASSERT_TRUE(ShowsBlocks(reference, ColourBlocks(), 2));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        try {
            decoder.Decode(row.bytes);
            ADD_FAILURE() << "decoded without an error";
        } catch (const digitize::Error &error) {
            EXPECT_EQ(error.what(), row.message);
        }
        EXPECT_TRUE(SamePixels(decoder.Decode(valid), reference)) << "decoding again";
    }
}

TEST(JpegDecoder, RefusesAFrameTooLargeToHoldNamingItsSizeAndStaysUsable) {
    struct Row {
        unsigned width;
        unsigned height;
        std::string size;
    };
    const Row rows[] = {
        {60000, 60000, "60000 x 60000 pixels"},
        {60000, 5000, "60000 x 5000 pixels"},
        {5000, 60000, "5000 x 60000 pixels"},
        {16385, 16384, "16385 x 16384 pixels"},
    };
    const Bytes valid = Compress(ColourPicture());
    JpegDecoder decoder;
    const Surface reference = decoder.Decode(valid);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.size);
        try {
            decoder.Decode(WithFrameSize(valid, row.width, row.height));
            ADD_FAILURE() << "decoded without an error";
        } catch (const digitize::Error &error) {
            EXPECT_NE(std::string(error.what()).find(row.size), std::string::npos) << error.what();
        }
        EXPECT_TRUE(SamePixels(decoder.Decode(valid), reference)) << "decoding again";
    }
}

TEST(JpegDecoder, RefusesMoreThanAThousandScansAndStaysUsable) {
    const Bytes valid = Compress(ColourPicture());
    JpegDecoder decoder;
    const Surface reference = decoder.Decode(valid);
    try {
        decoder.Decode(Compress(ColourPicture(), Scans(1001)));
        ADD_FAILURE() << "decoded 1001 scans without an error";
    } catch (const digitize::Error &error) {
        EXPECT_STREQ(error.what(), "JPEG error: more than 1000 scans");
    }
    EXPECT_TRUE(SamePixels(decoder.Decode(valid), reference)) << "decoding again";
}

TEST(JpegDecoder, KeepsMultiScanFilesWithinTheWorkingMemoryLimit) {
    struct Row {
        std::string name;
        Options options;
        std::size_t limit;
        std::string message; // empty: decodes
    };
    const std::vector<Row> rows = {
        {"baseline, one byte allowed", {}, 1, ""},
        {"progressive, one byte allowed", Progressive(), 1, ErrorText(JERR_NO_BACKING_STORE)},
        {"progressive, 1 MiB allowed", Progressive(), std::size_t{1} << 20, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        JpegDecoder decoder;
        decoder.SetWorkingMemoryLimit(row.limit);
        // The limit holds for every picture, not only the first.
        ASSERT_TRUE(ShowsBlocks(decoder.Decode(Compress(ColourPicture())), ColourBlocks(), 2));
        try {
            const Surface picture =
                decoder.Decode(Compress(BlockPicture(TallBlocks(), 3, JCS_RGB), row.options));
            EXPECT_EQ(row.message, "") << "decoded";
            EXPECT_TRUE(ShowsBlocks(picture, TallBlocks(), 2));
        } catch (const digitize::Error &error) {
            EXPECT_EQ(error.what(), row.message);
        }
    }
}

// A decoder that has read a file with its own tables must not lend them to
// a later file that lacks some.
TEST(JpegDecoder, DecodesAFileTheSameWhateverItDecodedBefore) {
    const Bytes valid = Compress(ColourPicture());
    struct Row {
        std::string name;
        Bytes jpeg;
        std::string message; // empty: shows the colour blocks
    };
    const std::vector<Row> rows = {
        // Motion-JPEG frames leave out the standard Huffman tables.
        {"no Huffman tables: the standard ones", WithoutSegments(valid, 0xC4), ""},
        {"no quantisation tables", WithoutSegments(valid, 0xDB), ErrorText(JERR_NO_QUANT_TABLE)},
    };
    const Bytes before = Compress(ColourPicture(), OtherTables());
    for (const Row &row : rows) {
        for (const bool fresh : {true, false}) {
            SCOPED_TRACE(row.name + (fresh ? ", fresh decoder" : ", after another file"));
            JpegDecoder decoder;
            if (!fresh) {
                ASSERT_TRUE(ShowsBlocks(decoder.Decode(before), ColourBlocks(), 12));
            }
            try {
                const Surface picture = decoder.Decode(row.jpeg);
                EXPECT_EQ(row.message, "") << "decoded";
                EXPECT_TRUE(ShowsBlocks(picture, ColourBlocks(), 2));
            } catch (const digitize::Error &error) {
                EXPECT_EQ(error.what(), row.message);
            }
        }
    }
}

TEST(JpegDecoder, ReadsAFileFromItsCurrentPositionAsItReadsMemory) {
    struct Row {
        std::string name;
        Bytes jpeg;
        std::size_t before; // bytes of something else ahead of the picture
    };
    const std::vector<Row> rows = {
        {"baseline at the start", Compress(ColourPicture()), 0},
        {"progressive at the start", Compress(ColourPicture(), Progressive()), 0},
        {"baseline after 100 other bytes", Compress(ColourPicture()), 100},
        {"busy picture larger than a read buffer", Compress(NoisePicture()), 0},
    };
    JpegDecoder decoder;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TempFile temp;
        ASSERT_NE(temp.file, nullptr);
        const Bytes other(row.before, 0x5A);
        if (!other.empty()) { // fwrite must not be given the null data of an empty vector
            ASSERT_EQ(std::fwrite(other.data(), 1, other.size(), temp.file.get()), other.size());
        }
        ASSERT_EQ(std::fwrite(row.jpeg.data(), 1, row.jpeg.size(), temp.file.get()),
                  row.jpeg.size());
        ASSERT_EQ(std::fseek(temp.file.get(), static_cast<long>(row.before), SEEK_SET), 0);
        const Surface fromFile = decoder.Decode(temp.file.get());
        EXPECT_TRUE(SamePixels(fromFile, decoder.Decode(row.jpeg)));
    }
    TempFile empty;
    try {
        decoder.Decode(empty.file.get());
        ADD_FAILURE() << "an empty file decoded";
    } catch (const digitize::Error &error) {
        EXPECT_EQ(error.what(), ErrorText(JERR_INPUT_EMPTY));
    }
}

// tests/data/pattern-blocks.jpg (scripts/make-test-pictures): the 8 x 4
// pattern in 8 x 8 blocks, written by cjpeg with a restart marker after every
// MCU row and optimised Huffman tables.
TEST(JpegDecoder, DecodesAFileFromTheCommandLineEncoder) {
    const auto &pattern = testpattern::Rows;
    const auto shown = testpattern::Colour;
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(
        std::fopen(TEST_DATA_DIR "/pattern-blocks.jpg", "rb"), &std::fclose);
    ASSERT_NE(file, nullptr);
    JpegDecoder decoder;
    const Surface picture = decoder.Decode(file.get());
    ASSERT_EQ(picture.Width(), 64);
    ASSERT_EQ(picture.Height(), 32);
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            const char name = pattern[y / 8][x / 8];
            if (!Near(picture.Pixel(x, y), shown(name), 2)) {
                EXPECT_LE(++wrong, 3) << "pixel (" << x << ", " << y << ") in a '" << name
                                      << "' block: " << Hex(picture.Pixel(x, y));
            }
        }
    EXPECT_EQ(wrong, 0);

    std::ifstream in(TEST_DATA_DIR "/pattern-blocks.jpg", std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(SamePixels(decoder.Decode(bytes), picture));
}

} // namespace
