// The JPEG reader, fed files made here with libjpeg's own compressor: every
// kind of colour it meets, the same pixels whatever came before, from a file
// or from memory.
#include "JpegFiles.h"
#include "TestPattern.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

namespace {

using namespace jpegfiles;

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
