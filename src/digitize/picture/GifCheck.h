// A GIF file's structure up to the end of its first image. Qt's GIF reader
// shows a file cut short as a picture whose missing rows are left blank; the
// first image's blocks must all be there before it is read.
#pragma once

#include <cstdint>
#include <span>

namespace digitize {

// Walks the header, the colour tables, the extension blocks and the first
// image's data blocks. Throws Error("the GIF file ends inside its first
// image") when the bytes end before the first image's last block, and
// Error("the GIF file holds no image") when it has no image or a block it
// cannot be.
void CheckGifFirstImage(std::span<const std::uint8_t> file);

} // namespace digitize
