#include "digitize/picture/PicturePath.h"

#include "digitize/Errors.h"

#include <algorithm>
#include <cctype>

namespace digitize {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int byte = text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                                 HexValue(text[i + 2]) >= 0
                             ? HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])
                             : -1;
        // A NUL byte would cut the path short when it reaches the file system.
        if (byte > 0) {
            out += static_cast<char>(byte);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The first line of a URI list that is not a comment, without its line end.
std::string_view FirstUri(std::string_view text) {
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        const auto line = text.substr(0, end);
        if (!line.empty() && line.front() != '#')
            return line;
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return {};
}

} // namespace

std::span<const PictureFormat> ReadableFormats() {
    using namespace std::string_view_literals;
    static constexpr std::string_view Jpeg[] = {".jpg"sv, ".jpeg"sv, ".jpe"sv, ".jfif"sv};
    static constexpr std::string_view Png[] = {".png"sv};
    static constexpr std::string_view Tiff[] = {".tif"sv, ".tiff"sv};
    static constexpr std::string_view Bitmap[] = {".bmp"sv};
    static constexpr std::string_view Gif[] = {".gif"sv};
    static constexpr std::string_view WebP[] = {".webp"sv};
    static constexpr std::string_view Svg[] = {".svg"sv, ".svgz"sv};
    static constexpr std::string_view Pdf[] = {".pdf"sv};
    static constexpr PictureFormat Formats[] = {
        {"JPEG", Jpeg, PictureKind::Jpeg}, {"PNG", Png, PictureKind::Png},
        {"TIFF", Tiff, PictureKind::Tiff}, {"Windows bitmap", Bitmap, PictureKind::Bitmap},
        {"GIF", Gif, PictureKind::Gif},    {"WebP", WebP, PictureKind::WebP},
        {"SVG", Svg, PictureKind::Svg},    {"PDF", Pdf, PictureKind::Pdf},
    };
    return Formats;
}

PictureKind KindOfPath(std::string_view path) {
    const auto slash = path.find_last_of('/');
    const auto name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return PictureKind::Other;
    const auto extension = name.substr(dot);
    for (const PictureFormat &format : ReadableFormats())
        for (const std::string_view named : format.Extensions)
            if (extension.size() == named.size() && StartsWithNoCase(extension, named))
                return format.Kind;
    return PictureKind::Other;
}

PictureKind KindOfContent(std::span<const std::uint8_t> head) {
    struct Signature {
        std::string_view bytes;
        PictureKind kind;
    };
    using namespace std::string_view_literals;
    static constexpr Signature Signatures[] = {
        {"\xFF\xD8\xFF"sv, PictureKind::Jpeg}, {"\x89PNG\r\n\x1A\n"sv, PictureKind::Png},
        {"BM"sv, PictureKind::Bitmap},         {"II*\0"sv, PictureKind::Tiff},
        {"MM\0*"sv, PictureKind::Tiff},        {"II+\0"sv, PictureKind::Tiff},
        {"MM\0+"sv, PictureKind::Tiff},        {"GIF87a"sv, PictureKind::Gif},
        {"GIF89a"sv, PictureKind::Gif},        {"%PDF-"sv, PictureKind::Pdf},
    };
    const auto holds = [head](std::string_view bytes, std::size_t at) {
        return head.size() >= at + bytes.size() &&
               std::equal(bytes.begin(), bytes.end(),
                          head.begin() + static_cast<std::ptrdiff_t>(at),
                          [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
    };
    for (const Signature &signature : Signatures)
        if (holds(signature.bytes, 0))
            return signature.kind;
    if (holds("RIFF"sv, 0) && holds("WEBP"sv, 8))
        return PictureKind::WebP;
    return PictureKind::Other;
}

void RefuseKindOf(std::string_view path) {
    std::string kinds;
    const auto formats = ReadableFormats();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        kinds += i == 0 ? "" : i + 1 == formats.size() ? " and " : ", ";
        kinds += std::string(formats[i].Name) + " (";
        for (std::size_t e = 0; e < formats[i].Extensions.size(); ++e)
            kinds += (e == 0 ? "" : ", ") + std::string(formats[i].Extensions[e]);
        kinds += ")";
    }
    throw Error("Only " + kinds + " files are read, not " + std::string(path));
}

PictureKind KindToRead(std::string_view path, std::span<const std::uint8_t> head) {
    const PictureKind named = KindOfPath(path);
    if (named == PictureKind::Other)
        RefuseKindOf(path);
    const PictureKind found = KindOfContent(head);
    return found != PictureKind::Other ? found : named;
}

std::string PathFromClipboardText(std::string_view text) {
    const auto uri = FirstUri(text);
    if (!StartsWithNoCase(uri, "file://"))
        return std::string(text);
    auto rest = uri.substr(7);
    // "file:///path" or "file://localhost/path"; another host is not a local file.
    if (StartsWithNoCase(rest, "localhost/"))
        rest.remove_prefix(9);
    if (rest.empty() || rest.front() != '/')
        return std::string(text);
    return PercentDecoded(rest);
}

} // namespace digitize
