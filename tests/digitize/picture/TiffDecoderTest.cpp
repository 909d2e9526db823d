// The TIFF reader, fed files written here with libtiff: the layouts scanners
// write against pixel values worked out by hand, transparency over white, and
// damaged files refused whole.
#include "digitize/picture/TiffDecoder.h"
#include "HostileFiles.h"
#include "digitize/Errors.h"
#include "digitize/picture/Surface.h"

#include <gtest/gtest.h>

#include <tiffio.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct TiffLayout {
    const char *name;
    int samplesPerPixel;
    int bitsPerSample;
    int photometric;
    std::vector<std::uint16_t> samples;   // one row, in file order
    int extraSample = -1;                 // EXTRASAMPLE_* of a fourth sample
    std::vector<std::uint16_t> colourMap; // red, then green, then blue entries
    std::vector<std::uint32_t> want;
};

// libtiff writes only to files: written to one of its own (tests run in
// parallel), read back as bytes.
Bytes WriteTiff(const TiffLayout &layout) {
    std::string path = testing::TempDir() + "plotwise-test-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0)
        return {};
    close(fd);
    TIFF *tiff = TIFFOpen(path.c_str(), "w");
    if (tiff == nullptr)
        return {};
    const auto width = static_cast<std::uint32_t>(layout.samples.size()) /
                       static_cast<std::uint32_t>(layout.samplesPerPixel);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 1u);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, layout.samplesPerPixel);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, layout.bitsPerSample);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, layout.photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1u);
    if (layout.extraSample >= 0) {
        const auto extra = static_cast<std::uint16_t>(layout.extraSample);
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    std::vector<std::uint16_t> map = layout.colourMap;
    if (!map.empty()) {
        const std::size_t n = map.size() / 3;
        TIFFSetField(tiff, TIFFTAG_COLORMAP, map.data(), map.data() + n, map.data() + 2 * n);
    }
    Bytes row;
    for (const std::uint16_t v : layout.samples) {
        if (layout.bitsPerSample == 16) {
            row.push_back(static_cast<std::uint8_t>(v)); // in the machine's order
            row.push_back(static_cast<std::uint8_t>(v >> 8));
        } else {
            row.push_back(static_cast<std::uint8_t>(v));
        }
    }
    TIFFWriteScanline(tiff, row.data(), 0, 0);
    TIFFClose(tiff);
    std::ifstream in(path, std::ios::binary);
    Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::remove(path.c_str());
    return bytes;
}

// 64 x 64 RGB in one JPEG strip, written with libtiff, bytes 40% to 45% of
// the file zeroed: inside the strip's coded data, which libjpeg reads on
// with a warning.
Bytes DamagedJpegTiff() {
    std::string path = testing::TempDir() + "plotwise-test-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0)
        return {};
    close(fd);
    TIFF *tiff = TIFFOpen(path.c_str(), "w");
    if (tiff == nullptr)
        return {};
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 64u);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 64u);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 64u);
    Bytes row(64 * 3);
    for (std::uint32_t y = 0; y < 64; ++y) {
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<std::uint8_t>(i * 7 + y * 13);
        TIFFWriteScanline(tiff, row.data(), y, 0);
    }
    TIFFClose(tiff);
    std::ifstream in(path, std::ios::binary);
    Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::remove(path.c_str());
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() * 40 / 100),
              bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() * 45 / 100), 0);
    return bytes;
}

std::vector<std::uint32_t> Words(const digitize::Surface &picture) {
    const std::uint32_t *bits = picture.Bits();
    return {bits, bits + static_cast<std::ptrdiff_t>(picture.Width()) * picture.Height()};
}

std::vector<TiffLayout> Layouts() {
    std::vector<std::uint16_t> map(3 * 256, 0);
    map[1] = 0xFFFF;       // entry 1: red
    map[256 + 2] = 0xFFFF; // entry 2: green
    map[512 + 3] = 0x8080; // entry 3: mid blue
    return {
        {"RGB, 8 bits",
         3,
         8,
         PHOTOMETRIC_RGB,
         {255, 0, 0, 1, 2, 3},
         -1,
         {},
         {0xFFFF0000, 0xFF010203}},
        {"grey, 8 bits",
         1,
         8,
         PHOTOMETRIC_MINISBLACK,
         {0, 128, 255},
         -1,
         {},
         {0xFF000000, 0xFF808080, 0xFFFFFFFF}},
        {"grey, white is zero",
         1,
         8,
         PHOTOMETRIC_MINISWHITE,
         {0, 255},
         -1,
         {},
         {0xFFFFFFFF, 0xFF000000}},
        {"grey, 16 bits",
         1,
         16,
         PHOTOMETRIC_MINISBLACK,
         {0, 0xFFFF, 0x8080},
         -1,
         {},
         {0xFF000000, 0xFFFFFFFF, 0xFF808080}},
        {"palette, 8 bits",
         1,
         8,
         PHOTOMETRIC_PALETTE,
         {1, 2, 3},
         -1,
         map,
         {0xFFFF0000, 0xFF00FF00, 0xFF000080}},
        // (c * a + 255 * (255 - a) + 127) / 255, as for PNG.
        {"RGBA, unassociated alpha",
         4,
         8,
         PHOTOMETRIC_RGB,
         {200, 100, 50, 128, 0, 0, 0, 0, 1, 239, 3, 128},
         EXTRASAMPLE_UNASSALPHA,
         {},
         {0xFFE3B198, 0xFFFFFFFF, 0xFF80F781}},
        {"RGBA, associated alpha",
         4,
         8,
         PHOTOMETRIC_RGB,
         {100, 50, 25, 128, 0, 0, 0, 0},
         EXTRASAMPLE_ASSOCALPHA,
         {},
         {0xFFE3B198, 0xFFFFFFFF}},
    };
}

TEST(DecodeTiff, GivesEachLayoutAsShownOnAWhitePage) {
    for (const TiffLayout &layout : Layouts()) {
        SCOPED_TRACE(layout.name);
        const Bytes bytes = WriteTiff(layout);
        ASSERT_FALSE(bytes.empty());
        const digitize::Surface picture = digitize::DecodeTiff(bytes);
        ASSERT_EQ(picture.Height(), 1);
        EXPECT_EQ(Words(picture), layout.want);
    }
}

TEST(DecodeTiff, RefusesFilesCutShortOrDamaged) {
    const Bytes good = WriteTiff(Layouts().front());
    ASSERT_GT(good.size(), 16u);
    struct Row {
        const char *name;
        Bytes bytes;
    };
    Bytes noDirectory = good;
    noDirectory[4] = 0xF0; // the first directory's offset, past the end
    const Row rows[] = {
        {"no bytes", {}},
        {"header only", Bytes(good.begin(), good.begin() + 8)},
        {"cut in half",
         Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2))},
        {"directory past the end", noDirectory},
    };
    const auto refusal = [](const std::function<digitize::Surface()> &decode) {
        try {
            decode();
            return std::string("read");
        } catch (const digitize::Error &error) {
            return std::string(error.what());
        }
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::string message = refusal([&] { return digitize::DecodeTiff(row.bytes); });
        EXPECT_EQ(message.rfind("TIFF error: ", 0), 0u) << message;
        // The same from a stream that cannot seek past its end, after a few
        // bytes of something else.
        Bytes stored = {'s', 'k', 'i', 'p'};
        stored.insert(stored.end(), row.bytes.begin(), row.bytes.end());
        const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(
            fmemopen(stored.data(), stored.size(), "rb"), &std::fclose);
        ASSERT_TRUE(file);
        std::fseek(file.get(), 4, SEEK_SET);
        EXPECT_EQ(refusal([&] { return digitize::DecodeTiff(file.get()); }), message);
    }
}

// Files whose data cannot be read whole, or whose strips would take far more
// memory than the file could fill, are refused naming what is wrong, within
// a few megabytes.
TEST(DecodeTiff, RefusesWhatCannotBeReadWholeWithinLittleMemory) {
    hostile::Bytes grey(64 * 16);
    for (std::size_t i = 0; i < grey.size(); ++i)
        grey[i] = static_cast<std::uint8_t>(i * 7);
    const hostile::Bytes zipped = hostile::Deflated(grey);
    const auto fourStrips = [&](std::uint16_t compression, const hostile::Bytes &strip) {
        hostile::Tiff tiff;
        tiff.compression = compression;
        tiff.strips.assign(4, strip);
        return tiff;
    };
    const auto oneStrip = [&](std::vector<std::uint32_t> counts) {
        hostile::Tiff tiff;
        tiff.rowsPerStrip = 64;
        tiff.strips = {hostile::Bytes(64 * 64, 9)};
        tiff.byteCounts = std::move(counts);
        return tiff;
    };
    hostile::Tiff zeroInTheMiddle = fourStrips(8, zipped);
    zeroInTheMiddle.byteCounts = {static_cast<std::uint32_t>(zipped.size()), 0};
    hostile::Tiff cutShort = fourStrips(8, zipped);
    cutShort.strips.back().resize(zipped.size() / 2);
    // 16384 x 16384 RGB at 16 bits in one strip: 1.5 GiB from a few bytes.
    hostile::Tiff inflating;
    inflating.width = inflating.height = inflating.rowsPerStrip = 16384;
    inflating.samplesPerPixel = 3;
    inflating.bitsPerSample = 16;
    inflating.photometric = 2;
    inflating.compression = 8;
    inflating.strips = {hostile::Deflated(hostile::Bytes(4096))};
    // The same picture at 8 bits in 256 strips of 3 MiB, each a few bytes.
    hostile::Tiff manyInflating = inflating;
    manyInflating.bitsPerSample = 8;
    manyInflating.rowsPerStrip = 64;
    manyInflating.strips.assign(256, hostile::Deflated(hostile::Bytes(100)));
    hostile::Tiff wide = fourStrips(1, hostile::Bytes(70000 * 16));
    wide.width = 70000;
    // 16384 x 4096 in three planes of one 64 MiB strip each, read together.
    hostile::Tiff planes = inflating;
    planes.height = planes.rowsPerStrip = 4096;
    planes.bitsPerSample = 8;
    planes.planar = 2;
    planes.strips.assign(3, hostile::Deflated(hostile::Bytes(100)));
    // YCbCr JPEG subsampled 2 x 2: 96 MiB a strip as stored, 192 MiB as RGB.
    hostile::Tiff ycbcr = planes;
    ycbcr.planar = 1;
    ycbcr.photometric = 6;
    ycbcr.compression = 7;
    ycbcr.strips = {hostile::Bytes(100)};
    ycbcr.more = {{530, 3, 2, 2 | 2 << 16}};

    struct Row {
        const char *name;
        hostile::Bytes bytes;
        const char *message; // empty: read
    };
    const Row rows[] = {
        {"four whole strips", fourStrips(8, zipped).Write(), ""},
        {"one strip, byte count 0", oneStrip({0}).Write(),
         "TIFF error: Bogus \"StripByteCounts\" field"},
        {"one strip, byte count too small", oneStrip({100}).Write(),
         "TIFF error: Bogus \"StripByteCounts\" field"},
        {"byte count 0 in the middle", zeroInTheMiddle.Write(),
         "TIFF error: Invalid strip byte count 0, strip 1"},
        {"last strip cut short", cutShort.Write(), "TIFF error: Decoding error at scanline 48"},
        {"one strip of 1.5 GiB", inflating.Write(),
         "TIFF error: a strip takes 1610612736 bytes decoded, more than the 134217728 read at "
         "once"},
        {"256 strips of 3 MiB", manyInflating.Write(), "TIFF error: Decoding error at scanline 0"},
        {"three planes of 64 MiB", planes.Write(),
         "TIFF error: a strip takes 268435456 bytes decoded, more than the 134217728 read at once"},
        {"YCbCr JPEG of 192 MiB as RGB", ycbcr.Write(),
         "TIFF error: a strip takes 201326592 bytes"},
        {"a JPEG strip with damaged data", DamagedJpegTiff(), "TIFF error: Corrupt JPEG data"},
        {"70000 pixels wide", wide.Write(),
         "The picture is too large: 70000 x 64 pixels, more than 65535 pixels a side"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        hostile::ResetPeakMemory();
        const long before = hostile::StatusKilobytes("VmRSS:");
        std::string message;
        try {
            const digitize::Surface picture = digitize::DecodeTiff(row.bytes);
            EXPECT_EQ(picture.Pixel(3, 17), grey[64 + 3] * 0x010101u); // row 1 of strip 1
        } catch (const digitize::Error &error) {
            message = error.what();
        }
        EXPECT_EQ(message.find(row.message), 0u) << message;
        EXPECT_EQ(message.empty(), *row.message == '\0') << message;
        EXPECT_LT(hostile::StatusKilobytes("VmHWM:") - before, hostile::PeakAllowanceKilobytes);
    }
}

} // namespace
