// Which picture files are read, and how a path is taken from clipboard text.
#pragma once

#include <string>
#include <string_view>

namespace digitize {

enum class PictureKind { Jpeg, Bitmap, Other };

// By the extension of the file-name part (from its last "." on), in any
// letter case: ".JPG" is a JPEG, ".BMP" a Windows bitmap, anything else Other.
PictureKind KindOfPath(std::string_view path);

// Clipboard text names a file as it stands (untrimmed), except a local file
// URL or a URI list (as Linux file managers copy files), which gives the
// percent-decoded local path of its first entry.
std::string PathFromClipboardText(std::string_view text);

} // namespace digitize
