// Any bytes dropped as a .TIF file, read the way the image window reads it
// (from an open file): the only failure allowed is digitize::Error, nothing
// may leak, and a picture that is read has the size its directory gives,
// every pixel opaque, and the same pixels (or the same refusal) when read
// from memory.
#include "Features.h"
#include "digitize/Errors.h"
#include "digitize/picture/Surface.h"
#include "digitize/picture/TiffDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace {

// As for PNG: a few hundred bytes can announce and fill a picture within the
// size limit (up to 2^28 pixels, 1 GiB), which takes seconds and a gigabyte
// per input for nothing new. Those sizes are skipped; sizes over the limit
// still go through, as they are refused before anything is allocated.
constexpr std::int64_t MaxDecodedPixels = std::int64_t{1} << 20;

struct Reader {
    std::span<const std::uint8_t> bytes;
    bool bigEndian = false;

    std::uint64_t At(std::uint64_t at, int size) const {
        std::uint64_t value = 0;
        for (int i = 0; i < size; ++i) {
            const std::uint64_t index =
                at + static_cast<std::uint64_t>(bigEndian ? i : size - 1 - i);
            value = value << 8 | (index < bytes.size() ? bytes[index] : 0u);
        }
        return value;
    }
};

// The size, when the directory states it plainly: each once, a short or a long.
struct Header {
    std::int64_t width = -1;
    std::int64_t height = -1;
    bool plain = true;
};

// libtiff comes from the system without coverage: the first directory's
// tags, in order, with their types and the values that steer the decoder,
// stand in for what libtiff did with an input (see Features.h). Answers the
// size the directory announces, if it does.
Header NoteDirectory(std::span<const std::uint8_t> bytes) {
    using features::Magnitude;
    using features::NoteField;
    Header header;
    if (bytes.size() < 8)
        return header;
    Reader r{bytes, bytes[0] == 'M'};
    const auto magic = r.At(2, 2);
    NoteField(1, (r.bigEndian ? 0x10000u : 0u) | static_cast<std::uint32_t>(magic));
    if (magic != 42)
        return header; // BigTIFF and the rest: only their kind
    const std::uint64_t directory = r.At(4, 4);
    const std::uint64_t count = r.At(directory, 2);
    NoteField(2, Magnitude(count));
    std::uint64_t previous = 0;
    for (std::uint64_t i = 0; i < count && i < 4096; ++i) {
        const std::uint64_t entry = directory + 2 + 12 * i;
        const std::uint64_t tag = r.At(entry, 2);
        const std::uint64_t type = r.At(entry + 2, 2);
        const std::uint64_t n = r.At(entry + 4, 4);
        // A short's value stands in the entry's first two bytes.
        const std::uint64_t value = type == 3 ? r.At(entry + 8, 2) : r.At(entry + 8, 4);
        if (tag == 256 || tag == 257) {
            std::int64_t &side = tag == 256 ? header.width : header.height;
            header.plain = header.plain && side < 0 && n == 1 && (type == 3 || type == 4);
            side = static_cast<std::int64_t>(value);
        }
        if (i >= 64)
            continue;
        NoteField(3, tag << 16 | previous);
        NoteField(4, tag << 8 | type);
        NoteField(5, tag << 8 | Magnitude(n));
        previous = tag;
        switch (tag) {
        case 256:
        case 257:
            NoteField(6, tag << 8 | Magnitude(value));
            break;
        case 258: // bits per sample
        case 259: // compression
        case 262: // photometric
        case 277: // samples per pixel
        case 284: // planar configuration
        case 317: // predictor
        case 338: // extra samples
        case 339: // sample format
        case 530: // YCbCr subsampling
            NoteField(8, tag << 32 | (value & 0xFFFFFFFFu));
            break;
        default:
            NoteField(9, tag << 8 | Magnitude(value));
            break;
        }
    }
    return header;
}

// libtiff's message by its words, not by the numbers in it.
void NoteError(const std::string &message) {
    const auto words = message.substr(0, message.find_first_of("0123456789"));
    features::Note(features::Kind::Error, std::hash<std::string>{}(words));
}

struct Outcome {
    std::string error;
    int width = 0;
    int height = 0;
    std::uint64_t digest = 0;
    bool operator==(const Outcome &) const = default;
};

Outcome Read(const std::function<digitize::Surface()> &decode) {
    Outcome outcome;
    try {
        const digitize::Surface picture = decode();
        outcome.width = picture.Width();
        outcome.height = picture.Height();
        std::uint64_t digest = 14695981039346656037u; // FNV-1a over the pixel words
        for (int y = 0; y < picture.Height(); ++y) {
            const std::uint32_t *row = picture.Row(y);
            for (int x = 0; x < picture.Width(); ++x) {
                if (row[x] >> 24 != 0xFF)
                    __builtin_trap(); // a pixel left transparent or never written
                digest = (digest ^ row[x]) * 1099511628211u;
            }
        }
        outcome.digest = digest;
    } catch (const digitize::Error &e) {
        outcome.error = e.what();
        if (outcome.error.empty())
            __builtin_trap();
    }
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const Header header = NoteDirectory(bytes);
    // Within the limit first: 32-bit sides multiply beyond 64 bits.
    if (digitize::WithinPictureLimit(header.width, header.height) &&
        header.width * header.height > MaxDecodedPixels)
        return -1; // not worth keeping in the corpus either

    // fmemopen refuses an empty buffer; the memory reader then stands in.
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(
        size == 0 ? nullptr : fmemopen(const_cast<std::uint8_t *>(data), size, "rb"), &std::fclose);
    const Outcome fromFile =
        Read([&] { return file ? digitize::DecodeTiff(file.get()) : digitize::DecodeTiff(bytes); });
    if (fromFile.error.empty()) {
        if (header.plain && (fromFile.width != header.width || fromFile.height != header.height))
            __builtin_trap();
        features::Note(features::Kind::Outcome, 0);
    } else {
        NoteError(fromFile.error);
    }
    if (!(Read([&] { return digitize::DecodeTiff(bytes); }) == fromFile))
        __builtin_trap();
    return 0;
}
