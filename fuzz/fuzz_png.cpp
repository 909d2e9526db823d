// Any bytes dropped as a .PNG file, read the way the image window reads it
// (from an open file): the only failure allowed is digitize::Error, nothing
// may leak, and a picture that is read has the size its header gives, every
// pixel opaque, and the same pixels when read from memory.
#include "Features.h"
#include "digitize/Errors.h"
#include "digitize/picture/PngDecoder.h"
#include "digitize/picture/Surface.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace {

// As for JPEG: a few hundred bytes of compressed zeros announce and fill a
// picture within the size limit (up to 2^28 pixels, 1 GiB), which takes
// seconds and a gigabyte per input for nothing new. Those sizes are skipped;
// sizes over the limit (2^28 pixels, or 65535 a side) still go through, as
// they are refused before anything is allocated.
constexpr std::int64_t MaxDecodedPixels = std::int64_t{1} << 20;

std::uint32_t BigEndian(const std::uint8_t *at) {
    return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
           at[3];
}

struct Header {
    std::int64_t width = -1;
    std::int64_t height = -1;
};

// libpng comes from the system without coverage: the chunks an input holds,
// in order, and its header fields stand in for what libpng did with it (see
// Features.h). Answers the size the header announces, if there is one.
Header NoteChunks(std::span<const std::uint8_t> bytes) {
    using features::NoteField;
    Header header;
    if (bytes.size() < 8)
        return header;
    std::size_t at = 8;
    std::uint32_t previous = 0;
    for (int chunks = 0; at + 8 <= bytes.size() && chunks < 64; ++chunks) {
        const std::uint32_t length = BigEndian(&bytes[at]);
        const std::uint32_t type = BigEndian(&bytes[at + 4]);
        // A chunk after another, by their names: order matters to libpng.
        NoteField(1, std::uint64_t{type} ^ (std::uint64_t{previous} * 0x9E3779B1u));
        NoteField(2, type);
        previous = type;
        if (type == 0x49484452u && length >= 13 && at + 8 + 13 <= bytes.size()) { // IHDR
            const std::uint8_t *data = &bytes[at + 8];
            // libpng refuses either beyond 2^31 - 1; kept below it, the
            // product cannot overflow.
            header.width = std::min<std::uint32_t>(BigEndian(data), 0x7FFFFFFFu);
            header.height = std::min<std::uint32_t>(BigEndian(data + 4), 0x7FFFFFFFu);
            NoteField(3, std::uint32_t{data[8]} << 8 | data[9]); // depth, colour type
            NoteField(4, std::uint32_t{data[10]} << 16 | std::uint32_t{data[11]} << 8 | data[12]);
            NoteField(5, features::Magnitude(static_cast<std::uint64_t>(header.width)));
            NoteField(6, features::Magnitude(static_cast<std::uint64_t>(header.height)));
        } else {
            NoteField(7, std::uint64_t{type} << 8 | features::Magnitude(length));
        }
        if (length > bytes.size() - at - 8)
            break;
        at += std::size_t{length} + 12;
    }
    return header;
}

// libpng's message by its words, not by the numbers in it.
void NoteError(const std::string &message) {
    const auto words = message.substr(0, message.find_first_of("0123456789"));
    features::Note(features::Kind::Error, std::hash<std::string>{}(words));
}

std::uint64_t Digest(const digitize::Surface &picture) {
    std::uint64_t digest = 14695981039346656037u; // FNV-1a over the pixel words
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint32_t *row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            if (row[x] >> 24 != 0xFF)
                __builtin_trap(); // a pixel left transparent or never written
            digest = (digest ^ row[x]) * 1099511628211u;
        }
    }
    return digest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const Header header = NoteChunks(bytes);
    const std::int64_t pixels = header.width * header.height;
    if (pixels > MaxDecodedPixels && digitize::WithinPictureLimit(header.width, header.height))
        return -1; // not worth keeping in the corpus either

    // fmemopen refuses an empty buffer; the memory reader then stands in.
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(
        size == 0 ? nullptr : fmemopen(const_cast<std::uint8_t *>(data), size, "rb"), &std::fclose);
    std::string error;
    try {
        const digitize::Surface picture =
            file ? digitize::DecodePng(file.get()) : digitize::DecodePng(bytes);
        if (picture.Width() != header.width || picture.Height() != header.height)
            __builtin_trap();
        const std::uint64_t digest = Digest(picture);
        features::Note(features::Kind::Outcome, 0);
        if (Digest(digitize::DecodePng(bytes)) != digest)
            __builtin_trap();
    } catch (const digitize::Error &e) {
        error = e.what();
        if (error.empty())
            __builtin_trap();
        NoteError(error);
    }
    return 0;
}
