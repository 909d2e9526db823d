// The Windows bitmap part of the seed corpus (make_seeds.cpp writes the rest).
#pragma once

#include <filesystem>

// Bitmaps of several depths and compressions: written by Qt, and by hand for
// the compressions Qt does not write.
void BitmapSeeds(const std::filesystem::path &dir);
