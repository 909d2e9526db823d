// Any text pasted into the image window: taking a path from it and telling
// the kind of picture by its name must never crash, and keep their promises,
// which are checked here (a broken one traps, so libFuzzer keeps the input).
#include "digitize/picture/PicturePath.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

void Check(bool holds) {
    if (!holds)
        __builtin_trap();
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool StartsWithFileUrl(std::string_view line) {
    constexpr std::string_view scheme = "file://";
    if (line.size() < scheme.size())
        return false;
    for (std::size_t i = 0; i < scheme.size(); ++i)
        if (Lower(line[i]) != scheme[i])
            return false;
    return true;
}

// The first line of a URI list (lines end at CR or LF) that is neither empty
// nor a "#" comment.
std::string_view FirstListLine(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const auto line = text.substr(start, end - start);
        if (!line.empty() && line.front() != '#')
            return line;
        start = end + 1;
    }
    return {};
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    const auto tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (Lower(tail[i]) != suffix[i])
            return false;
    return true;
}

bool EndsWithOneOf(std::string_view path, std::initializer_list<std::string_view> suffixes) {
    for (const std::string_view suffix : suffixes)
        if (EndsWithNoCase(path, suffix))
            return true;
    return false;
}

// The kind by the extension, worked out here independently of the reader's
// own table: each kind's extensions, and Other for anything else.
void CheckKind(std::string_view path) {
    const auto kind = digitize::KindOfPath(path);
    const bool jpeg = EndsWithOneOf(path, {".jpg", ".jpeg", ".jpe", ".jfif"});
    const bool bitmap = EndsWithNoCase(path, ".bmp");
    const bool png = EndsWithNoCase(path, ".png");
    const bool tiff = EndsWithOneOf(path, {".tif", ".tiff"});
    Check((kind == digitize::PictureKind::Jpeg) == jpeg);
    Check((kind == digitize::PictureKind::Bitmap) == bitmap);
    Check((kind == digitize::PictureKind::Png) == png);
    Check((kind == digitize::PictureKind::Tiff) == tiff);
    // Only the file-name part counts, in any letter case.
    Check(digitize::KindOfPath("/some/folder/" + std::string(path)) == kind);
    std::string upper(path);
    for (char &c : upper)
        c = Upper(c);
    Check(digitize::KindOfPath(upper) == kind);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::string path = digitize::PathFromClipboardText(text);

    // Decoding only ever shortens; it never makes a NUL (that would cut the
    // path short at the file system).
    Check(path.size() <= text.size());
    if (text.find('\0') == std::string_view::npos)
        Check(path.find('\0') == std::string::npos);
    // Anything but a file URL is taken as it stands; a file URL gives an
    // absolute path or, naming another host, the text as it stands.
    if (!StartsWithFileUrl(FirstListLine(text)))
        Check(path == text);
    else
        Check(path == text || (!path.empty() && path.front() == '/'));

    CheckKind(text);
    CheckKind(path);
    return 0;
}
