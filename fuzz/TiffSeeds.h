// The TIFF part of the seed corpus (make_seeds.cpp writes the rest).
#pragma once

#include <filesystem>

// Small TIFF files of the layouts and compressions libtiff reads, written
// with libtiff itself into dir.
void TiffSeeds(const std::filesystem::path &dir);
