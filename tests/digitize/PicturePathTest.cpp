#include "PicturePath.h"

#include <gtest/gtest.h>

namespace {

using digitize::PictureKind;

TEST(KindOfPath, GoesByTheLastExtensionOfTheFileNameInAnyCase) {
    struct Row {
        const char *path;
        PictureKind kind;
    };
    const Row rows[] = {{"/tmp/chart.jpg", PictureKind::Jpeg},
                        {"/tmp/chart.Jpg", PictureKind::Jpeg},
                        {"chart.JPG", PictureKind::Jpeg},
                        {"/a/b.bmp", PictureKind::Bitmap},
                        {"/a/b.BmP", PictureKind::Bitmap},
                        {"/a/chart.jpeg", PictureKind::Other},
                        {"/a/chart.png", PictureKind::Other},
                        {"/a/chart.jpg.png", PictureKind::Other},
                        {"/a/chart.png.jpg", PictureKind::Jpeg},
                        {"/a.jpg/chart", PictureKind::Other},
                        {"/a/chart", PictureKind::Other},
                        {"/a/.jpg", PictureKind::Jpeg},
                        {"", PictureKind::Other}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::KindOfPath(row.path), row.kind) << row.path;
}

TEST(PathFromClipboardText, TakesTextAsItStandsButDecodesLocalFileUrls) {
    struct Row {
        const char *text;
        const char *path;
    };
    const Row rows[] = {
        {"/home/ann/charts/a.jpg", "/home/ann/charts/a.jpg"},
        {"/home/ann/a.jpg\n", "/home/ann/a.jpg\n"}, // not trimmed: names no file
        {" /x.jpg", " /x.jpg"},
        {"file:///home/ann/my%20chart.jpg", "/home/ann/my chart.jpg"},
        {"file:///home/ann/a.jpg\r\nfile:///home/ann/b.jpg\r\n", "/home/ann/a.jpg"},
        {"# copied\r\nfile:///tmp/x.bmp\r\n", "/tmp/x.bmp"},
        {"FILE:///tmp/%C3%A9t%C3%A9.jpg", "/tmp/\xC3\xA9t\xC3\xA9.jpg"},
        {"file://localhost/tmp/x.jpg", "/tmp/x.jpg"},
        {"file://server/share/x.jpg", "file://server/share/x.jpg"},
        {"file:///tmp/100%.jpg", "/tmp/100%.jpg"},
        {"file:///tmp/a%00b.jpg", "/tmp/a%00b.jpg"},
        {"http://example.com/a.jpg", "http://example.com/a.jpg"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(digitize::PathFromClipboardText(row.text), row.path) << "'" << row.text << "'";
}

} // namespace
