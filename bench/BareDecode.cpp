#include "BareDecode.h"

#include <jpeglib.h>

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

} // namespace bench
