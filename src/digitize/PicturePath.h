// Which picture files are read, and how a path is taken from clipboard text.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace digitize {

enum class PictureKind { Jpeg, Bitmap, Png, Tiff, Other };

// By the extension of the file-name part (from its last "." on), in any
// letter case: .jpg .jpeg .jpe .jfif are JPEG, .bmp a Windows bitmap, .png
// PNG, .tif .tiff TIFF, anything else Other.
PictureKind KindOfPath(std::string_view path);

// By the signature the first bytes of a file carry (a file's first 8 bytes
// are enough): JPEG FF D8 FF, PNG's 8-byte signature, "BM", TIFF "II*\0" or
// "MM\0*" and BigTIFF "II+\0" or "MM\0+". Fewer bytes than a signature, or
// none that matches, give Other.
PictureKind KindOfContent(std::span<const std::uint8_t> head);

// Clipboard text names a file as it stands (untrimmed), except a local file
// URL or a URI list (as Linux file managers copy files), which gives the
// percent-decoded local path of its first entry.
std::string PathFromClipboardText(std::string_view text);

} // namespace digitize
