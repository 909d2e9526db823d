// Writes the damaged and hostile picture files a user might drop, made byte
// by byte, into a folder, for the session that pastes them into the running
// program.
//
//   write_hostile_files FOLDER
#include "HostileFiles.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

bool Write(const std::filesystem::path &file, const hostile::Bytes &bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// A grey TIFF of 64 x 64 pixels in one strip whose length says byteCount.
hostile::Bytes GreyTiff(std::size_t stored, std::uint32_t byteCount) {
    hostile::Tiff tiff;
    tiff.rowsPerStrip = 64;
    tiff.strips = {hostile::Bytes(stored, 9)};
    tiff.byteCounts = {byteCount};
    return tiff.Write();
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: write_hostile_files FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    hostile::Tiff inflating; // 16384 x 16384 RGB at 16 bits: 1.5 GiB from 4 KiB
    inflating.width = inflating.height = inflating.rowsPerStrip = 16384;
    inflating.samplesPerPixel = 3;
    inflating.bitsPerSample = 16;
    inflating.photometric = 2;
    inflating.compression = 8;
    inflating.strips = {hostile::Deflated(hostile::Bytes(4096))};
    const bool ok =
        Write(folder / "long-row.png", hostile::Png(268435456, 1, 16, 0, {0, 0, 0})) &&
        Write(folder / "wide.png", hostile::Png(70000, 2, 8, 0, hostile::Bytes(140002))) &&
        Write(folder / "widget-wide.png",
              hostile::Png(16777216, 1, 8, 0, hostile::Bytes(16777217))) &&
        Write(folder / "inflating.tif", inflating.Write()) &&
        Write(folder / "zero-count.tif", GreyTiff(64 * 64, 0)) &&
        Write(folder / "bogus-count.tif", GreyTiff(64 * 64, 4000000000u)) &&
        Write(folder / "short-strip.tif", GreyTiff(64 * 20, 64 * 64)) &&
        Write(folder / "empty.bmp", {}) && Write(folder / "headerless.bmp", hostile::Bytes(10));
    if (!ok) {
        std::cerr << "write_hostile_files: cannot write into " << folder << '\n';
        return 1;
    }
    return 0;
}
