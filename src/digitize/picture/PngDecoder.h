// PNG decoding at full size straight into a picture surface, through libpng.
//
// Every colour type and bit depth comes out as 0xFFRRGGBB words: 16-bit
// samples rounded to 8 bits (v * 255 / 65535, to nearest), palette and
// low-depth grey expanded, and transparency (an alpha channel or a tRNS
// chunk) laid over white as on a white page, per channel
// (c * a + 255 * (255 - a) + 127) / 255. Gamma and colour-profile chunks are
// ignored: the stored values are shown. Every failure throws Error: libpng's
// own as "PNG error: <its message>" (a file cut short, a bad checksum on a
// critical chunk or damaged compressed data among them, so no picture is
// ever partly read), a picture over the picture-size limit (Surface.h) with
// its size, before anything is allocated for it. libpng's own limits stay on.
#pragma once

#include "digitize/picture/Surface.h"

#include <cstdint>
#include <cstdio>
#include <span>

namespace digitize {

// Reads from the file's current position to the end of the picture's data.
Surface DecodePng(std::FILE *file);
Surface DecodePng(std::span<const std::uint8_t> bytes);

} // namespace digitize
