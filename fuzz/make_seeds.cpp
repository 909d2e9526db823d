// Writes the seed corpus the fuzz targets start from, into
// <out-dir>/<target>/: small valid JPEG files of every kind the decoder
// handles (made with libjpeg's compression side), PNG files of every colour
// type and bit depth (libpng's writer), Windows bitmaps (BitmapSeeds.cpp),
// TIFF files (TiffSeeds.cpp), and typical field and clipboard texts.
//
//   fuzz_seeds <out-dir>
#include "BitmapSeeds.h"
#include "SeedFiles.h"
#include "TiffSeeds.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <png.h>
// clang-format on

namespace fs = std::filesystem;

namespace {

using namespace seeds;

// ---- JPEG ----

struct JpegKind {
    const char *name;
    int width;
    int height;
    J_COLOR_SPACE input;  // what the rows hold
    J_COLOR_SPACE stored; // what the file holds
    bool progressive = false;
    bool arithmetic = false;
    bool fullChroma = false; // 4:4:4 instead of the default 4:2:0
    unsigned restartRows = 0;
    bool withoutTables = false; // an abbreviated file: no DQT, no DHT
};

Bytes EncodeJpeg(const JpegKind &kind) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors); // a failure here ends the tool
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    const int components = kind.input == JCS_GRAYSCALE ? 1 : kind.input == JCS_CMYK ? 4 : 3;
    cinfo.image_width = static_cast<JDIMENSION>(kind.width);
    cinfo.image_height = static_cast<JDIMENSION>(kind.height);
    cinfo.input_components = components;
    cinfo.in_color_space = kind.input;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, kind.stored);
    jpeg_set_quality(&cinfo, 80, TRUE);
    if (kind.fullChroma) {
        cinfo.comp_info[0].h_samp_factor = 1;
        cinfo.comp_info[0].v_samp_factor = 1;
    }
    if (kind.progressive)
        jpeg_simple_progression(&cinfo);
    cinfo.arith_code = kind.arithmetic ? TRUE : FALSE;
    cinfo.restart_in_rows = static_cast<int>(kind.restartRows);

    if (kind.withoutTables)
        jpeg_suppress_tables(&cinfo, TRUE);
    jpeg_start_compress(&cinfo, kind.withoutTables ? FALSE : TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(kind.width * components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < kind.width; ++x)
            for (int c = 0; c < components; ++c)
                row[static_cast<std::size_t>(x * components + c)] = Sample(x, y, c);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

void JpegSeeds(const fs::path &dir) {
    const JpegKind kinds[] = {
        {.name = "baseline.jpg", .width = 24, .height = 16, .input = JCS_RGB, .stored = JCS_YCbCr},
        {.name = "baseline_odd_size.jpg",
         .width = 17,
         .height = 9,
         .input = JCS_RGB,
         .stored = JCS_YCbCr,
         .fullChroma = true},
        {.name = "one_pixel.jpg", .width = 1, .height = 1, .input = JCS_RGB, .stored = JCS_YCbCr},
        {.name = "restart.jpg",
         .width = 16,
         .height = 16,
         .input = JCS_RGB,
         .stored = JCS_YCbCr,
         .restartRows = 1},
        {.name = "progressive.jpg",
         .width = 24,
         .height = 16,
         .input = JCS_RGB,
         .stored = JCS_YCbCr,
         .progressive = true},
        {.name = "progressive_grey.jpg",
         .width = 13,
         .height = 11,
         .input = JCS_GRAYSCALE,
         .stored = JCS_GRAYSCALE,
         .progressive = true},
        {.name = "grey.jpg",
         .width = 16,
         .height = 8,
         .input = JCS_GRAYSCALE,
         .stored = JCS_GRAYSCALE},
        {.name = "rgb_stored.jpg", .width = 8, .height = 8, .input = JCS_RGB, .stored = JCS_RGB},
        {.name = "cmyk.jpg", .width = 16, .height = 8, .input = JCS_CMYK, .stored = JCS_CMYK},
        {.name = "ycck.jpg", .width = 16, .height = 8, .input = JCS_CMYK, .stored = JCS_YCCK},
        {.name = "arithmetic.jpg",
         .width = 16,
         .height = 16,
         .input = JCS_RGB,
         .stored = JCS_YCbCr,
         .arithmetic = true},
        {.name = "arithmetic_progressive.jpg",
         .width = 16,
         .height = 16,
         .input = JCS_RGB,
         .stored = JCS_YCbCr,
         .progressive = true,
         .arithmetic = true},
        {.name = "without_tables.jpg",
         .width = 16,
         .height = 16,
         .input = JCS_RGB,
         .stored = JCS_YCbCr,
         .withoutTables = true},
    };
    for (const JpegKind &kind : kinds)
        Write(dir / kind.name, EncodeJpeg(kind));
}

// ---- PNG ----

void AppendBytes(png_structp png, png_bytep data, std::size_t size) {
    auto &out = *static_cast<Bytes *>(png_get_io_ptr(png));
    out.insert(out.end(), data, data + size);
}

void FailPng(png_structp, png_const_charp message) {
    std::cerr << "fuzz_seeds: PNG writer: " << message << '\n';
    std::exit(1);
}

struct PngKind {
    const char *name;
    int colourType;
    int bitDepth;
    bool interlaced = false;
    bool transparency = false; // tRNS: palette alphas, or a key colour
    bool extras = false;       // gAMA, sRGB, pHYs and a text chunk
};

// A 9 x 7 picture of varied samples, packed as the file stores them.
Bytes EncodePng(const PngKind &kind) {
    constexpr int Width = 9;
    constexpr int Height = 7;
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &FailPng, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, &AppendBytes, nullptr);
    png_set_IHDR(png, info, Width, Height, kind.bitDepth, kind.colourType,
                 kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const int levels = 1 << kind.bitDepth;
    std::vector<png_color> palette;
    std::vector<png_byte> alphas;
    if (kind.colourType == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < levels; ++i)
            palette.push_back({Sample(i, 0, 0), Sample(i, 1, 1), Sample(i, 2, 2)});
        png_set_PLTE(png, info, palette.data(), levels);
        if (kind.transparency) {
            alphas = {0, 128, 255};
            png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
        }
    } else if (kind.transparency) {
        png_color_16 key{0, 1, 2, 3, 1};
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    if (kind.extras) {
        png_set_gAMA(png, info, 0.45455);
        png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
        png_set_pHYs(png, info, 11811, 11811, PNG_RESOLUTION_METER);
        png_text text{};
        text.compression = PNG_TEXT_COMPRESSION_NONE;
        text.key = const_cast<char *>("Comment");
        text.text = const_cast<char *>("seed");
        png_set_text(png, info, &text, 1);
    }
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<Bytes> rows(Height, Bytes(rowBytes, 0));
    std::vector<png_bytep> pointers;
    for (int y = 0; y < Height; ++y) {
        Bytes &row = rows[static_cast<std::size_t>(y)];
        for (int i = 0; i < Width * channels; ++i) {
            const unsigned v =
                Sample(i / channels, y, i % channels) * 257u % static_cast<unsigned>(levels);
            if (kind.bitDepth == 16) {
                row[2 * static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> 8);
                row[2 * static_cast<std::size_t>(i) + 1] = static_cast<std::uint8_t>(v);
            } else {
                const int bit = i * kind.bitDepth;
                row[static_cast<std::size_t>(bit / 8)] |=
                    static_cast<std::uint8_t>(v << (8 - kind.bitDepth - bit % 8));
            }
        }
        pointers.push_back(row.data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

void PngSeeds(const fs::path &dir) {
    const PngKind kinds[] = {
        {"grey1.png", PNG_COLOR_TYPE_GRAY, 1},
        {"grey2_key.png", PNG_COLOR_TYPE_GRAY, 2, false, true},
        {"grey4.png", PNG_COLOR_TYPE_GRAY, 4},
        {"grey8_interlaced.png", PNG_COLOR_TYPE_GRAY, 8, true},
        {"grey16_key.png", PNG_COLOR_TYPE_GRAY, 16, false, true},
        {"grey_alpha8.png", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
        {"grey_alpha16_interlaced.png", PNG_COLOR_TYPE_GRAY_ALPHA, 16, true},
        {"rgb8_extras.png", PNG_COLOR_TYPE_RGB, 8, false, false, true},
        {"rgb8_key_interlaced.png", PNG_COLOR_TYPE_RGB, 8, true, true},
        {"rgb16.png", PNG_COLOR_TYPE_RGB, 16},
        {"rgba8.png", PNG_COLOR_TYPE_RGB_ALPHA, 8},
        {"rgba16_interlaced.png", PNG_COLOR_TYPE_RGB_ALPHA, 16, true},
        {"palette1.png", PNG_COLOR_TYPE_PALETTE, 1},
        {"palette2_trns.png", PNG_COLOR_TYPE_PALETTE, 2, false, true},
        {"palette4_interlaced.png", PNG_COLOR_TYPE_PALETTE, 4, true},
        {"palette8_trns.png", PNG_COLOR_TYPE_PALETTE, 8, false, true},
    };
    for (const PngKind &kind : kinds)
        Write(dir / kind.name, EncodePng(kind));
}

// ---- Texts ----

void Texts(const fs::path &dir, std::initializer_list<std::string_view> texts) {
    int n = 0;
    for (const std::string_view text : texts)
        Write(dir / ("text" + std::to_string(++n) + ".txt"), text);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds <out-dir>\n";
        return 2;
    }
    const fs::path out = argv[1];
    for (const char *target :
         {"fuzz_jpeg", "fuzz_png", "fuzz_tiff", "fuzz_bitmap", "fuzz_field", "fuzz_clipboard_path"})
        fs::create_directories(out / target);

    JpegSeeds(out / "fuzz_jpeg");
    PngSeeds(out / "fuzz_png");
    TiffSeeds(out / "fuzz_tiff");
    BitmapSeeds(out / "fuzz_bitmap");
    Texts(out / "fuzz_field",
          {"100", "-3.2.1", "2e", ".", "1e39", " 1,950 yrs", "-0.25E-3 ", "+7,5", "1e-5000",
           "3\xD9\xAB" // the Arabic decimal separator, then
           "14"});
    Texts(out / "fuzz_clipboard_path",
          {"/tmp/a.jpg", "file:///tmp/a%20b.jpg\r\n", "# comment\nfile://localhost/x.bmp",
           "FILE:///home/u/Graph%2EJPG\r\nfile:///second.bmp\r\n", "file://server/share/c.bmp",
           "file:///a%00b.jpg", "/tmp/photo.jpeg", "file:///x/scan.JPE", "c.jfif", "d.PNG",
           "file:///e/f.tiff", "g.Tif", "h.gif", "/dir.jpg/name"});
    return 0;
}
