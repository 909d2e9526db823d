#include "BareDecode.h"

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace bench {

long long BareLibjpegDecode(const std::string &path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                          &std::fclose);
    if (!file)
        throw std::runtime_error("cannot open " + path);
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file.get());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    const auto stride = static_cast<std::size_t>(cinfo.output_width) * 4;
    auto buffer = std::make_unique_for_overwrite<unsigned char[]>(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[16];
        JDIMENSION count = cinfo.output_height - cinfo.output_scanline;
        if (count > 16)
            count = 16;
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = buffer.get() + (cinfo.output_scanline + i) * stride;
        jpeg_read_scanlines(&cinfo, rows, count);
    }
    const long long pixels = static_cast<long long>(cinfo.output_width) * cinfo.output_height;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels + buffer[stride];
}

namespace {

// setjmp here alone: the longjmp from libpng crosses only C frames, and the
// buffer belongs to the caller.
bool ReadPng(std::FILE *file, std::unique_ptr<unsigned char[]> &buffer, png_uint_32 &width,
             png_uint_32 &height) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    const std::size_t stride = std::size_t{width} * 4;
    buffer = std::make_unique_for_overwrite<unsigned char[]>(stride * height);
    for (png_uint_32 y = 0; y < height; ++y)
        png_read_row(png, buffer.get() + y * stride, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

} // namespace

long long BareLibpngDecode(const std::string &path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                          &std::fclose);
    if (!file)
        throw std::runtime_error("cannot open " + path);
    std::unique_ptr<unsigned char[]> buffer;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    if (!ReadPng(file.get(), buffer, width, height))
        throw std::runtime_error("cannot decode " + path);
    return static_cast<long long>(width) * height + buffer[std::size_t{width} * 4];
}

} // namespace bench
