// The reference decodes: libjpeg or libpng alone, the file straight into a
// scratch buffer in the same pixel layout the picture uses.
#pragma once

#include <string>

namespace bench {

// Decodes the file and answers its pixel count (so the work is not optimised away).
long long BareLibjpegDecode(const std::string &path);
// The same for an opaque PNG: libpng's stdio reader, B, G, R and a filler
// byte, as its manual shows it.
long long BareLibpngDecode(const std::string &path);

} // namespace bench
