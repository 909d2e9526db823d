// Picture files made byte by byte, as a damaged or hostile file would be,
// and the peak memory a read takes: shared by the decoder and window tests.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace hostile {

using Bytes = std::vector<std::uint8_t>;

inline void Put(Bytes &out, std::uint64_t value, int size, bool bigEndian) {
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * (bigEndian ? size - 1 - i : i))));
}

inline Bytes Deflated(const Bytes &raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    out.resize(size);
    return out;
}

// A PNG of the given header whose one IDAT holds the deflated raw rows.
inline Bytes Png(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                 const Bytes &raw) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto chunk = [&](const char *type, const Bytes &data) {
        Put(out, data.size(), 4, true);
        const std::size_t start = out.size();
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), data.begin(), data.end());
        Put(out, crc32(0, out.data() + start, static_cast<uInt>(out.size() - start)), 4, true);
    };
    Bytes header;
    Put(header, width, 4, true);
    Put(header, height, 4, true);
    header.insert(header.end(), {static_cast<std::uint8_t>(depth),
                                 static_cast<std::uint8_t>(colourType), 0, 0, 0});
    chunk("IHDR", header);
    chunk("IDAT", Deflated(raw));
    chunk("IEND", {});
    return out;
}

// A little-endian TIFF of one directory, its strips stored in order after it.
// byteCounts replaces the true strip lengths when given; more holds further
// entries whose value fits in the entry (tag, type, count, value).
struct Tiff {
    struct Entry {
        std::uint16_t tag, type;
        std::uint32_t count, value;
    };
    std::uint32_t width = 64;
    std::uint32_t height = 64;
    std::uint16_t bitsPerSample = 8;
    std::uint16_t samplesPerPixel = 1;
    std::uint16_t photometric = 1; // black is zero
    std::uint16_t compression = 1; // none; 7 is JPEG, 8 deflate
    std::uint16_t planar = 1;      // 2: a plane a sample, strips plane after plane
    std::uint32_t rowsPerStrip = 16;
    std::vector<Bytes> strips;
    std::vector<std::uint32_t> byteCounts;
    std::vector<Entry> more;

    Bytes Write() const {
        constexpr std::uint16_t Short = 3, Long = 4;
        const auto n = static_cast<std::uint32_t>(strips.size());
        const auto entries = static_cast<std::uint32_t>(10 + more.size());
        const std::uint32_t offsets = 8 + 2 + 12 * entries + 4; // arrays after the directory
        const std::uint32_t counts = offsets + 4 * n;
        const std::uint32_t bits = counts + 4 * n;
        const std::uint32_t first = bits + 2u * samplesPerPixel; // the first strip
        // Values of four bytes or fewer stand in the entry itself.
        std::vector<Entry> all = {
            {256, Long, 1, width},
            {257, Long, 1, height},
            {258, Short, samplesPerPixel,
             samplesPerPixel == 1   ? bitsPerSample
             : samplesPerPixel == 2 ? bitsPerSample | std::uint32_t{bitsPerSample} << 16
                                    : bits},
            {259, Short, 1, compression},
            {262, Short, 1, photometric},
            {273, Long, n, n == 1 ? first : offsets},
            {277, Short, 1, samplesPerPixel},
            {278, Long, 1, rowsPerStrip},
            {279, Long, n, n == 1 ? Count(0) : counts},
            {284, Short, 1, planar},
        };
        all.insert(all.end(), more.begin(), more.end());
        std::sort(all.begin(), all.end(),
                  [](const Entry &a, const Entry &b) { return a.tag < b.tag; });
        Bytes out = {'I', 'I', 42, 0};
        Put(out, 8, 4, false);
        Put(out, entries, 2, false);
        for (const Entry &e : all) {
            Put(out, e.tag, 2, false);
            Put(out, e.type, 2, false);
            Put(out, e.count, 4, false);
            Put(out, e.value, 4, false);
        }
        Put(out, 0, 4, false);
        std::uint32_t at = first;
        for (const Bytes &strip : strips) {
            Put(out, at, 4, false);
            at += static_cast<std::uint32_t>(strip.size());
        }
        for (std::uint32_t i = 0; i < n; ++i)
            Put(out, Count(i), 4, false);
        for (int i = 0; i < samplesPerPixel; ++i)
            Put(out, bitsPerSample, 2, false);
        for (const Bytes &strip : strips)
            out.insert(out.end(), strip.begin(), strip.end());
        return out;
    }

  private:
    std::uint32_t Count(std::uint32_t i) const {
        return i < byteCounts.size() ? byteCounts[i] : static_cast<std::uint32_t>(strips[i].size());
    }
};

// How far a read may raise the peak resident memory, in kB. Under
// AddressSanitizer freed blocks wait in its quarantine and still count as
// resident, so the peak there measures the sanitizer more than the reader:
// it is only held to the gigabytes a faulty reader would take.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr long PeakAllowanceKilobytes = 512 * 1024;
#else
inline constexpr long PeakAllowanceKilobytes = 32 * 1024;
#endif

// Peak resident memory: reset to what is resident now, then read in kB.
inline void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}
inline long StatusKilobytes(const char *field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(line.find(':') + 1));
    return -1;
}

} // namespace hostile
