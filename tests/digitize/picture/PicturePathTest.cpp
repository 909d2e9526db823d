#include "digitize/picture/PicturePath.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using digitize::PictureKind;

TEST(KindOfPath, GoesByTheLastExtensionOfTheFileNameInAnyCase) {
    struct Row {
        const char *path;
        PictureKind kind;
    };
    const Row rows[] = {
        {"/tmp/chart.jpg", PictureKind::Jpeg},  {"/tmp/chart.Jpg", PictureKind::Jpeg},
        {"chart.JPG", PictureKind::Jpeg},       {"/a/chart.jpeg", PictureKind::Jpeg},
        {"/a/chart.JPE", PictureKind::Jpeg},    {"/a/chart.jfif", PictureKind::Jpeg},
        {"/a/chart.JFIF", PictureKind::Jpeg},   {"/a/b.bmp", PictureKind::Bitmap},
        {"/a/b.BmP", PictureKind::Bitmap},      {"/a/chart.png", PictureKind::Png},
        {"/a/chart.PNG", PictureKind::Png},     {"/a/chart.tif", PictureKind::Tiff},
        {"/a/chart.TIFF", PictureKind::Tiff},   {"/a/chart.gif", PictureKind::Gif},
        {"/a/chart.WebP", PictureKind::WebP},   {"/a/chart.svg", PictureKind::Svg},
        {"/a/chart.SVGZ", PictureKind::Svg},    {"/a/paper.pdf", PictureKind::Pdf},
        {"/a/paper.Pdf", PictureKind::Pdf},     {"/a/chart.svgzz", PictureKind::Other},
        {"/a/chart.webm", PictureKind::Other},  {"/a/chart.gifs", PictureKind::Other},
        {"/a/chart.jp", PictureKind::Other},    {"/a/chart.jpegs", PictureKind::Other},
        {"/a/chart.tiffx", PictureKind::Other}, {"/a/chart.pn", PictureKind::Other},
        {"/a/chartpng", PictureKind::Other},    {"/a/chart.jpg.psd", PictureKind::Other},
        {"/a/chart.gif.png", PictureKind::Png}, {"/a/chart.png.jpg", PictureKind::Jpeg},
        {"/a.jpg/chart", PictureKind::Other},   {"/a.png/chart", PictureKind::Other},
        {"/a/chart", PictureKind::Other},       {"/a/.jpg", PictureKind::Jpeg},
        {"/a/chart.", PictureKind::Other},      {"", PictureKind::Other}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::KindOfPath(row.path), row.kind) << row.path;
}

TEST(KindOfContent, KnowsEachKindByItsSignature) {
    struct Row {
        const char *name;
        std::vector<std::uint8_t> head;
        PictureKind kind;
    };
    const std::vector<Row> rows = {
        {"JPEG, JFIF", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F'}, PictureKind::Jpeg},
        {"JPEG, Exif", {0xFF, 0xD8, 0xFF, 0xE1}, PictureKind::Jpeg},
        {"JPEG, the three bytes alone", {0xFF, 0xD8, 0xFF}, PictureKind::Jpeg},
        {"JPEG start without a marker after it", {0xFF, 0xD8, 0x00, 0xE0}, PictureKind::Other},
        {"PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0}, PictureKind::Png},
        {"PNG, its signature alone",
         {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A},
         PictureKind::Png},
        {"PNG with its line end turned to LF (a text-mode copy)",
         {0x89, 'P', 'N', 'G', 0x0A, 0x1A, 0x0A, 0},
         PictureKind::Other},
        {"PNG cut after seven bytes", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}, PictureKind::Other},
        {"bitmap", {'B', 'M', 0x36, 0x10, 0, 0}, PictureKind::Bitmap},
        {"bitmap, the two bytes alone", {'B', 'M'}, PictureKind::Bitmap},
        {"lower-case bm", {'b', 'm', 0x36, 0x10}, PictureKind::Other},
        {"TIFF, little-endian", {'I', 'I', 42, 0, 8, 0, 0, 0}, PictureKind::Tiff},
        {"TIFF, big-endian", {'M', 'M', 0, 42, 0, 0, 0, 8}, PictureKind::Tiff},
        {"BigTIFF, little-endian", {'I', 'I', 43, 0, 8, 0, 0, 0}, PictureKind::Tiff},
        {"BigTIFF, big-endian", {'M', 'M', 0, 43, 0, 8, 0, 0}, PictureKind::Tiff},
        {"TIFF with the byte orders mixed", {'I', 'I', 0, 42}, PictureKind::Other},
        {"TIFF cut after three bytes", {'I', 'I', 42}, PictureKind::Other},
        {"GIF", {'G', 'I', 'F', '8', '9', 'a'}, PictureKind::Gif},
        {"GIF 87a", {'G', 'I', 'F', '8', '7', 'a', 1}, PictureKind::Gif},
        {"GIF of another version", {'G', 'I', 'F', '9', '0', 'a'}, PictureKind::Other},
        {"WebP", {'R', 'I', 'F', 'F', 9, 9, 0, 0, 'W', 'E', 'B', 'P'}, PictureKind::WebP},
        {"RIFF of a sound",
         {'R', 'I', 'F', 'F', 9, 9, 0, 0, 'W', 'A', 'V', 'E'},
         PictureKind::Other},
        {"WebP cut after eleven bytes",
         {'R', 'I', 'F', 'F', 9, 9, 0, 0, 'W', 'E', 'B'},
         PictureKind::Other},
        {"PDF", {'%', 'P', 'D', 'F', '-', '1', '.', '7'}, PictureKind::Pdf},
        {"SVG is text", {'<', 's', 'v', 'g', ' '}, PictureKind::Other},
        {"text", {'h', 'e', 'l', 'l', 'o'}, PictureKind::Other},
        {"one byte", {0xFF}, PictureKind::Other},
        {"no bytes", {}, PictureKind::Other},
    };
    for (const auto &row : rows)
        EXPECT_EQ(digitize::KindOfContent(row.head), row.kind) << row.name;
}

TEST(KindToRead, TakesTheContentsKindOverTheExtensionsButRefusesOtherExtensions) {
    const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0};
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    struct Row {
        const char *path;
        std::vector<std::uint8_t> head;
        PictureKind kind;
    };
    const Row rows[] = {
        {"/a/chart.jpeg", jpeg, PictureKind::Jpeg},
        {"/a/chart.JPE", jpeg, PictureKind::Jpeg},
        {"/a/chart.jfif", jpeg, PictureKind::Jpeg},
        {"/a/chart.png", png, PictureKind::Png},
        {"/a/png saved as.jpg", png, PictureKind::Png},
        {"/a/jpeg saved as.png", jpeg, PictureKind::Jpeg},
        {"/a/jpeg saved as.tiff", jpeg, PictureKind::Jpeg},
        // Unrecognised bytes go to the extension's reader, which says what is wrong.
        {"/a/damaged.png", text, PictureKind::Png},
        {"/a/empty.bmp", {}, PictureKind::Bitmap},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::KindToRead(row.path, row.head), row.kind) << row.path;

    for (const char *path : {"/a/png.psd", "/a/chart", "/a/chart.jpg.txt"}) {
        try {
            digitize::KindToRead(path, png);
            ADD_FAILURE() << path << " read";
        } catch (const digitize::Error &error) {
            EXPECT_EQ(error.what(), std::string("Only JPEG (.jpg, .jpeg, .jpe, .jfif), PNG (.png), "
                                                "TIFF (.tif, .tiff), Windows bitmap (.bmp), GIF "
                                                "(.gif), WebP (.webp), SVG (.svg, .svgz) and PDF "
                                                "(.pdf) files are read, not ") +
                                        path);
        }
    }
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
