// Which picture files are read, and how a path is taken from clipboard text.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace digitize {

enum class PictureKind { Jpeg, Bitmap, Png, Tiff, Gif, WebP, Svg, Pdf, Other };

// A kind of file read, with the extensions that name it (lower case, with the dot).
struct PictureFormat {
    std::string_view Name;
    std::span<const std::string_view> Extensions;
    PictureKind Kind;
};

// Every kind read, in the order messages and file dialogs list them: JPEG,
// PNG, TIFF, Windows bitmap, GIF, WebP, SVG, PDF.
std::span<const PictureFormat> ReadableFormats();

// By the extension of the file-name part (from its last "." on), in any
// letter case: .jpg .jpeg .jpe .jfif are JPEG, .bmp a Windows bitmap, .png
// PNG, .tif .tiff TIFF, .gif GIF, .webp WebP, .svg .svgz SVG, .pdf PDF,
// anything else Other.
PictureKind KindOfPath(std::string_view path);

// By the signature the first bytes of a file carry (a file's first 12 bytes
// are enough): JPEG FF D8 FF, PNG's 8-byte signature, "BM", TIFF "II*\0" or
// "MM\0*" and BigTIFF "II+\0" or "MM\0+", "GIF87a" or "GIF89a", "RIFF"
// with "WEBP" at byte 8, "%PDF-". An SVG is text and has none. Fewer bytes
// than a signature, or none that matches, give Other.
PictureKind KindOfContent(std::span<const std::uint8_t> head);

// The reader for a file: the kind its first bytes show when they show one,
// otherwise the kind its extension names. A path whose extension names no
// kind read throws Error("Only JPEG (...), ... and PDF (.pdf) files are read, not <path>"),
// whatever the file holds, so that nothing need be opened to refuse it.
PictureKind KindToRead(std::string_view path, std::span<const std::uint8_t> head);
// The same refusal alone, for a path whose extension names no kind read.
[[noreturn]] void RefuseKindOf(std::string_view path);

// Clipboard text names a file as it stands (untrimmed), except a local file
// URL or a URI list (as Linux file managers copy files), which gives the
// percent-decoded local path of its first entry.
std::string PathFromClipboardText(std::string_view text);

} // namespace digitize
