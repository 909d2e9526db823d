// JPEG files made with libjpeg's own compressor for the reader's tests:
// pictures of coloured blocks, every kind of colour space and coding, and
// the damage a file can carry.
#pragma once

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

#include "digitize/picture/JpegDecoder.h"

namespace jpegfiles {

using digitize::Colour;
using digitize::JpegDecoder;
using digitize::Surface;
using Bytes = std::vector<std::uint8_t>;

constexpr Colour Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

inline std::string Hex(Colour colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(colour));
    return text;
}

inline std::string HexWord(std::uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(word));
    return text;
}

inline std::string ErrorText(int code) {
    return "JPEG error #" + std::to_string(code);
}

inline bool Near(Colour got, Colour want, int tolerance) {
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

inline Options Progressive() {
    Options options;
    options.progressive = true;
    return options;
}

inline Options Stored(J_COLOR_SPACE space, bool adobeMarker = true) {
    Options options;
    options.stored = space;
    options.adobeMarker = adobeMarker;
    return options;
}

inline Options RestartEveryRow() {
    Options options;
    options.restartRows = 1;
    return options;
}

inline Options Arithmetic() {
    Options options;
    options.arithmetic = true;
    return options;
}

inline Options Optimised() {
    Options options;
    options.optimise = true;
    return options;
}

// Other quantisation and Huffman tables than the defaults.
inline Options OtherTables() {
    Options options;
    options.quality = 50;
    options.optimise = true;
    return options;
}

// A progressive script of exactly `total` scans: one DC scan, then each AC
// coefficient of each component on its own, sent a bit at a time (successive
// approximation), the first bands taking one step more than the rest.
inline std::vector<jpeg_scan_info> ScanScript(int components, int total) {
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

inline Options Scans(int total) {
    Options options;
    options.scans = ScanScript(3, total);
    EXPECT_EQ(options.scans.size(), static_cast<std::size_t>(total)) << "scans in the script";
    return options;
}

// By default quality 100 without chroma subsampling, so solid 8 x 8 blocks
// come back nearly exact.
inline Bytes Compress(const Samples &picture, const Options &options = {}) {
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
inline Samples BlockPicture(const std::vector<Block> &blocks, int components, J_COLOR_SPACE space) {
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
inline testing::AssertionResult ShowsBlocks(const Surface &surface,
                                            const std::vector<Block> &blocks, int tolerance) {
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

inline testing::AssertionResult SamePixels(const Surface &a, const Surface &b) {
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

inline std::vector<Block> ColourBlocks() {
    return {
        {"red", {255, 0, 0}, Rgb(255, 0, 0)},        {"green", {0, 255, 0}, Rgb(0, 255, 0)},
        {"blue", {0, 0, 255}, Rgb(0, 0, 255)},       {"white", {255, 255, 255}, Rgb(255, 255, 255)},
        {"black", {0, 0, 0}, Rgb(0, 0, 0)},          {"grey", {128, 128, 128}, Rgb(128, 128, 128)},
        {"orange", {255, 128, 0}, Rgb(255, 128, 0)}, {"purple", {128, 0, 128}, Rgb(128, 0, 128)}};
}

inline Samples ColourPicture() {
    return BlockPicture(ColourBlocks(), 3, JCS_RGB);
}

// The colour blocks four times over: 128 pixels, 16 DCT blocks high.
inline std::vector<Block> TallBlocks() {
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
inline std::vector<Block> InkBlocks(bool inverted) {
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
inline Samples NoisePicture() {
    Samples picture{64, 64, 3, JCS_RGB, {}};
    std::minstd_rand random(7);
    picture.data.resize(64 * 64 * 3);
    for (auto &sample : picture.data)
        sample = static_cast<std::uint8_t>(random() & 0xFF);
    return picture;
}

// Where the first segment with the marker starts in the headers before the
// first scan; 0 when there is none.
inline std::size_t FindSegment(const Bytes &jpeg, std::uint8_t marker) {
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

inline std::size_t HeaderMarker(const Bytes &jpeg, std::uint8_t marker) {
    const std::size_t at = FindSegment(jpeg, marker);
    if (at == 0)
        ADD_FAILURE() << "no marker 0x" << std::hex << int{marker} << " before the first scan";
    return at;
}

inline Bytes WithoutSegments(Bytes jpeg, std::uint8_t marker) {
    EXPECT_NE(FindSegment(jpeg, marker), 0U) << "no segment to take out";
    for (std::size_t at; (at = FindSegment(jpeg, marker)) != 0;) {
        const auto length = static_cast<std::size_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
        jpeg.erase(jpeg.begin() + static_cast<std::ptrdiff_t>(at),
                   jpeg.begin() + static_cast<std::ptrdiff_t>(at + 2 + length));
    }
    return jpeg;
}

// The first byte of entropy-coded data.
inline std::size_t ScanData(const Bytes &jpeg) {
    const std::size_t sos = HeaderMarker(jpeg, 0xDA);
    return sos + 2 + static_cast<std::size_t>(jpeg[sos + 2] << 8 | jpeg[sos + 3]);
}

inline Bytes WithFrameSize(Bytes jpeg, unsigned width, unsigned height) {
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

} // namespace jpegfiles
