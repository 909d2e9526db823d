#include "digitize/picture/RenderSize.h"
#include "digitize/Errors.h"
#include "digitize/picture/Surface.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using digitize::RenderSize;

TEST(PageSize, IsThePageAtTheResolutionAskedWhereItFits) {
    struct Row {
        const char *what;
        double width, height;
        int dpi;
        int w, h;
    };
    const Row rows[] = {
        {"4 x 3 inches at 300 dpi", 288, 216, 300, 1200, 900},
        {"A4 at 300 dpi", 595.276, 841.89, 300, 2481, 3508},
        {"A4 at 72 dpi", 595.276, 841.89, 72, 596, 842},
        {"letter at 1200 dpi", 612, 792, 1200, 10200, 13200},
        {"a sliver", 0.01, 100, 72, 1, 100},
    };
    for (const Row &row : rows) {
        const RenderSize size = digitize::PageSize(row.width, row.height, row.dpi);
        EXPECT_EQ(size.Width, row.w) << row.what;
        EXPECT_EQ(size.Height, row.h) << row.what;
        EXPECT_DOUBLE_EQ(size.Scale, row.dpi / 72.0) << row.what;
        EXPECT_FALSE(size.Lowered) << row.what;
    }
}

TEST(PageSize, LowersTheResolutionJustEnoughToFitTheLimit) {
    struct Row {
        const char *what;
        double width, height;
        int dpi;
    };
    const Row rows[] = {
        {"a 200-inch square poster at 1200 dpi", 14400, 14400, 1200},
        {"A0 at 1200 dpi", 2383.94, 3370.39, 1200},
        {"a banner a mile long", 4561920, 72, 300},
        // Small in area but longer than a side may be.
        {"a strip 1000 inches long at 300 dpi", 72, 72000, 300},
    };
    for (const Row &row : rows) {
        const RenderSize size = digitize::PageSize(row.width, row.height, row.dpi);
        EXPECT_TRUE(size.Lowered) << row.what;
        EXPECT_TRUE(digitize::WithinPictureLimit(size.Width, size.Height)) << row.what;
        // Not lowered more than it must be: one more row and column would not fit.
        EXPECT_FALSE(digitize::WithinPictureLimit(size.Width + 1, size.Height + 1)) << row.what;
        EXPECT_LT(size.Scale, row.dpi / 72.0) << row.what;
    }
    EXPECT_THROW(digitize::PageSize(0, 100, 300), digitize::Error);
}

TEST(DrawingSize, PutsTheLongSideAtTheSizeAsked) {
    EXPECT_EQ(digitize::DrawingSize(400, 200, 2000), (RenderSize{2000, 1000, 5, false}));
    EXPECT_EQ(digitize::DrawingSize(90, 300, 1000).Height, 1000);
    EXPECT_EQ(digitize::DrawingSize(90, 300, 1000).Width, 300);
    EXPECT_EQ(digitize::DrawingSize(3, 7, 2000).Width, 858); // 857.14 rounded up
    const RenderSize strip = digitize::DrawingSize(1e6, 1, 20000);
    EXPECT_EQ(strip.Width, 20000);
    EXPECT_EQ(strip.Height, 1);
    const RenderSize huge = digitize::DrawingSize(1, 1, 20000);
    EXPECT_TRUE(huge.Lowered);
    EXPECT_LE(huge.Width, 16384);
    EXPECT_GE(huge.Width, 16380);
}

} // namespace
