// JPEG decoding at full size straight into a picture surface, through the
// libjpeg API of libjpeg-turbo.
//
// Colour, greyscale and CMYK/YCCK files (Adobe's inverted CMYK included)
// come out as the colours a viewer shows. Every failure throws Error: the
// decoder's own errors as "JPEG error #<message number>", a truncated or
// corrupt data stream likewise (by the number of the decoder's warning), a
// picture too large to hold with its size. The decoder stays usable after a
// failure and leaks nothing.
#pragma once

#include "digitize/picture/Surface.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>

namespace digitize {

struct JpegState;

class JpegDecoder {
  public:
    JpegDecoder();
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder &) = delete;
    JpegDecoder &operator=(const JpegDecoder &) = delete;

    // Reads from the file's current position to the end of the image.
    Surface Decode(std::FILE *file);
    Surface Decode(std::span<const std::uint8_t> bytes);

    // Caps the decoder's own working memory (multi-scan files keep the whole
    // image's coefficients); beyond it decoding fails with a JPEG error.
    void SetWorkingMemoryLimit(std::size_t bytes);

  private:
    Surface DecodeFrom(std::FILE *file);
    std::unique_ptr<JpegState> state_;
};

} // namespace digitize
