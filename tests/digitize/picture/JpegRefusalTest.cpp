// The JPEG reader refusing what it cannot hold: damaged and cut-short data,
// frames too large, too many scans; one decoder object reused after each.
#include "JpegFiles.h"
#include "TestPattern.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

namespace {

using namespace jpegfiles;

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

} // namespace
