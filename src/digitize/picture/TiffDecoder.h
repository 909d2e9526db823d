// TIFF decoding, the first page at full size, straight into a picture
// surface, through libtiff's RGBA interface.
//
// Whatever libtiff's RGBA reader handles comes out as 0xFFRRGGBB words:
// every bit depth (16-bit samples brought to 8 bits as libtiff does),
// greyscale, palette,
// RGB, CMYK, YCbCr and the compressions libtiff was built with. Transparency
// is laid over white, as on a white page, exactly as for PNG. Every failure
// throws Error: libtiff's own as "TIFF error: <its message>" (any error it
// reports, any warning while it reads the pixels, and any warning about
// where the strips or tiles lie, so a damaged or cut-short file is never
// partly shown), a picture over the picture-size limit (Surface.h) with its
// size, before anything is allocated for it. So that a small file cannot
// take gigabytes, a strip or tile (all its planes) may take at most
// MaxTiffBuffer bytes decoded, and so may any other allocation of libtiff's.
#pragma once

#include "digitize/picture/Surface.h"

#include <cstdint>
#include <cstdio>
#include <span>

namespace digitize {

inline constexpr std::uint64_t MaxTiffBuffer = std::uint64_t{128} << 20;

// Reads the file from its current position, where the TIFF data start.
Surface DecodeTiff(std::FILE *file);
Surface DecodeTiff(std::span<const std::uint8_t> bytes);

} // namespace digitize
