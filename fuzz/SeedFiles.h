// Writing the seed files of the corpus (a file that cannot be written ends
// the program) and the samples of their pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>
#include <vector>

namespace seeds {

using Bytes = std::vector<std::uint8_t>;

inline void Write(const std::filesystem::path &file, const void *data, std::size_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char *>(data), static_cast<std::streamsize>(size));
    if (!out) {
        std::cerr << "fuzz_seeds: cannot write " << file << '\n';
        std::exit(1);
    }
}

inline void Write(const std::filesystem::path &file, const Bytes &bytes) {
    Write(file, bytes.data(), bytes.size());
}
inline void Write(const std::filesystem::path &file, std::string_view text) {
    Write(file, text.data(), text.size());
}

// A sample of the seed pictures: a gradient with a diagonal edge, both
// smooth areas and detail, so that compressed files carry AC coefficients.
inline std::uint8_t Sample(int x, int y, int channel) {
    const int edge = (x + y) % 7 == 0 ? 90 : 0;
    return static_cast<std::uint8_t>((x * 23 + y * 11 + channel * 67 + edge) & 0xFF);
}

} // namespace seeds
