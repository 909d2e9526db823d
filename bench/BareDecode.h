// The reference decode: libjpeg alone, the file straight into a scratch
// buffer in the same pixel layout the picture uses.
#pragma once

#include <string>

namespace bench {

// Decodes the file and answers its pixel count (so the work is not optimised away).
long long BareLibjpegDecode(const std::string &path);

} // namespace bench
