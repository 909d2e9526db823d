#include "digitize/picture/GifCheck.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Fixture(const char *name) {
    std::ifstream file(std::string(TEST_DATA_DIR "/") + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Problem(std::span<const std::uint8_t> bytes) {
    try {
        digitize::CheckGifFirstImage(bytes);
        return "";
    } catch (const digitize::Error &e) {
        return e.what();
    }
}

TEST(CheckGifFirstImage, TakesAWholeFirstImageWhateverFollows) {
    for (const char *name : {"pattern.gif", "pattern-animated.gif"}) {
        const auto gif = Fixture(name);
        ASSERT_GT(gif.size(), 40u) << name;
        EXPECT_EQ(Problem(gif), "") << name;
    }
    // The animation's second frame may be cut: only the first is read.
    const auto animated = Fixture("pattern-animated.gif");
    EXPECT_EQ(Problem(std::span(animated).first(animated.size() - 12)), "");
}

TEST(CheckGifFirstImage, RefusesAFileCutAnywhereBeforeItsFirstImageEnds) {
    const auto gif = Fixture("pattern.gif");
    // The trailer byte is the last; the image's block terminator the one before.
    ASSERT_EQ(gif.back(), 0x3B);
    for (std::size_t size = 0; size + 1 < gif.size(); ++size)
        EXPECT_EQ(Problem(std::span(gif).first(size)), "the GIF file ends inside its first image")
            << size << " of " << gif.size() << " bytes";
}

TEST(CheckGifFirstImage, RefusesAFileWithoutAnImage) {
    // A screen of 1 x 1 without a colour table, then straight to the trailer.
    const std::vector<std::uint8_t> empty = {'G', 'I', 'F', '8', '9', 'a', 1,
                                             0,   1,   0,   0,   0,   0,   0x3B};
    EXPECT_EQ(Problem(empty), "the GIF file holds no image");
    // A comment extension, then the trailer; then a separator with no image after it.
    std::vector<std::uint8_t> comment = {'G', 'I', 'F', '8',  '9',  'a', 1,   0,   1, 0,
                                         0,   0,   0,   0x21, 0xFE, 2,   'h', 'i', 0, 0x3B};
    EXPECT_EQ(Problem(comment), "the GIF file holds no image");
    comment.back() = 0x2C;
    EXPECT_EQ(Problem(comment), "the GIF file ends inside its first image");
}

} // namespace
