#include "TiffSeeds.h"

#include <tiffio.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct TiffKind {
    const char *name;
    std::uint16_t samples = 3;
    std::uint16_t bits = 8;
    std::uint16_t photometric = PHOTOMETRIC_RGB;
    std::uint16_t compression = COMPRESSION_NONE;
    bool bigEndian = false;
    bool tiled = false;
    bool planar = false;         // one plane a sample
    std::uint16_t predictor = 0; // 2: horizontal differences
    std::uint16_t extra = 0;     // EXTRASAMPLE_* of a last, alpha sample
    bool subsampled = false;     // YCbCr 2 x 2
};

constexpr std::uint32_t Width = 24;
constexpr std::uint32_t Height = 16;

std::uint8_t Sample(std::uint32_t x, std::uint32_t y, std::uint32_t channel) {
    const std::uint32_t edge = (x + y) % 7 == 0 ? 90 : 0;
    return static_cast<std::uint8_t>((x * 23 + y * 11 + channel * 67 + edge) & 0xFF);
}

// Rows of samples packed at the kind's depth, for one plane or all of them.
std::vector<std::uint8_t> Row(const TiffKind &kind, std::uint32_t y, int plane) {
    const std::uint32_t perPixel = kind.planar ? 1 : kind.samples;
    std::vector<std::uint8_t> row((Width * perPixel * kind.bits + 7) / 8, 0);
    for (std::uint32_t i = 0; i < Width * perPixel; ++i) {
        const std::uint32_t channel =
            kind.planar ? static_cast<std::uint32_t>(plane) : i % perPixel;
        const std::uint8_t v = Sample(i / perPixel, y, channel);
        if (kind.bits == 16) {
            row[2 * i] = v; // in the machine's order: libtiff swaps as needed
            row[2 * i + 1] = v;
        } else {
            const std::uint32_t bit = i * kind.bits;
            row[bit / 8] |=
                static_cast<std::uint8_t>((v >> (8 - kind.bits)) << (8 - kind.bits - bit % 8));
        }
    }
    return row;
}

bool Write(const std::string &path, const TiffKind &kind) {
    TIFF *tiff = TIFFOpen(path.c_str(), kind.bigEndian ? "wb" : "wl");
    if (tiff == nullptr)
        return false;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, Width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, Height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, kind.samples);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, kind.bits);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, kind.photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG,
                 kind.planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, kind.compression);
    if (kind.predictor != 0)
        TIFFSetField(tiff, TIFFTAG_PREDICTOR, kind.predictor);
    if (kind.extra != 0)
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &kind.extra);
    if (kind.photometric == PHOTOMETRIC_PALETTE) {
        std::vector<std::uint16_t> map(3u << kind.bits);
        for (std::size_t i = 0; i < map.size(); ++i)
            map[i] = static_cast<std::uint16_t>(i * 4099u);
        const std::size_t n = map.size() / 3;
        TIFFSetField(tiff, TIFFTAG_COLORMAP, map.data(), map.data() + n, map.data() + 2 * n);
    }
    if (kind.compression == COMPRESSION_JPEG) {
        TIFFSetField(tiff, TIFFTAG_JPEGQUALITY, 75);
        if (kind.subsampled) {
            TIFFSetField(tiff, TIFFTAG_YCBCRSUBSAMPLING, 2, 2);
            TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        }
    }
    bool ok = true;
    const int planes = kind.planar ? kind.samples : 1;
    if (kind.tiled) {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, 16u);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, 16u);
        std::vector<std::uint8_t> tile(static_cast<std::size_t>(TIFFTileSize(tiff)), 0);
        for (int plane = 0; plane < planes; ++plane)
            for (std::uint32_t x = 0; x < Width; x += 16) {
                for (std::uint32_t y = 0; y < 16; ++y) {
                    const auto row = Row(kind, y, plane);
                    const std::size_t bytes = row.size() * 16 / Width;
                    for (std::size_t i = 0; i < bytes; ++i) {
                        const std::size_t from = x * row.size() / Width + i;
                        tile[y * bytes + i] = from < row.size() ? row[from] : 0;
                    }
                }
                ok = ok && TIFFWriteTile(tiff, tile.data(), x, 0, 0,
                                         static_cast<std::uint16_t>(plane)) >= 0;
            }
    } else {
        // JPEG strips hold whole blocks of subsampled rows.
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, kind.compression == COMPRESSION_JPEG ? 16u : 8u);
        for (int plane = 0; plane < planes; ++plane)
            for (std::uint32_t y = 0; y < Height; ++y) {
                auto row = Row(kind, y, plane);
                ok = ok &&
                     TIFFWriteScanline(tiff, row.data(), y, static_cast<std::uint16_t>(plane)) >= 0;
            }
    }
    TIFFClose(tiff);
    return ok;
}

} // namespace

void TiffSeeds(const std::filesystem::path &dir) {
    const TiffKind kinds[] = {
        {.name = "rgb8.tif"},
        {.name = "rgb8_lzw_predictor.tif", .compression = COMPRESSION_LZW, .predictor = 2},
        {.name = "rgb16_deflate_big_endian.tif",
         .bits = 16,
         .compression = COMPRESSION_ADOBE_DEFLATE,
         .bigEndian = true},
        {.name = "grey8_packbits.tif",
         .samples = 1,
         .photometric = PHOTOMETRIC_MINISBLACK,
         .compression = COMPRESSION_PACKBITS},
        {.name = "grey4_white_is_zero.tif",
         .samples = 1,
         .bits = 4,
         .photometric = PHOTOMETRIC_MINISWHITE},
        {.name = "bilevel_g4.tif",
         .samples = 1,
         .bits = 1,
         .photometric = PHOTOMETRIC_MINISWHITE,
         .compression = COMPRESSION_CCITTFAX4},
        {.name = "palette8.tif", .samples = 1, .photometric = PHOTOMETRIC_PALETTE},
        {.name = "palette4_lzw.tif",
         .samples = 1,
         .bits = 4,
         .photometric = PHOTOMETRIC_PALETTE,
         .compression = COMPRESSION_LZW},
        {.name = "rgba8_tiled.tif", .samples = 4, .tiled = true, .extra = EXTRASAMPLE_UNASSALPHA},
        {.name = "rgba8_associated_deflate.tif",
         .samples = 4,
         .compression = COMPRESSION_ADOBE_DEFLATE,
         .extra = EXTRASAMPLE_ASSOCALPHA},
        {.name = "rgb8_planar.tif", .planar = true},
        {.name = "rgb8_planar_tiled_lzw.tif",
         .compression = COMPRESSION_LZW,
         .tiled = true,
         .planar = true},
        {.name = "cmyk8.tif", .samples = 4, .photometric = PHOTOMETRIC_SEPARATED},
        {.name = "jpeg_ycbcr.tif",
         .photometric = PHOTOMETRIC_YCBCR,
         .compression = COMPRESSION_JPEG,
         .subsampled = true},
        {.name = "jpeg_rgb.tif", .compression = COMPRESSION_JPEG},
        {.name = "rgb8_zstd.tif", .compression = COMPRESSION_ZSTD},
        {.name = "rgb8_lzma.tif", .compression = COMPRESSION_LZMA},
        {.name = "rgb8_webp.tif", .compression = COMPRESSION_WEBP},
    };
    for (const TiffKind &kind : kinds) {
        if (!TIFFIsCODECConfigured(kind.compression))
            continue; // a libtiff built without it
        if (!Write((dir / kind.name).string(), kind)) {
            std::cerr << "fuzz_seeds: libtiff cannot write " << kind.name << '\n';
            std::exit(1);
        }
    }
}
