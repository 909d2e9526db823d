#include "digitize/calibration/LogText.h"

#include <algorithm>
#include <vector>

namespace digitize {
namespace {

bool Blank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

} // namespace

std::string RecordedText(std::string_view log) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= log.size();) {
        const auto end = std::min(log.find('\n', start), log.size());
        lines.push_back(log.substr(start, end - start));
        start = end + 1;
    }
    while (lines.size() > OpeningLines && Blank(lines.back()))
        lines.pop_back();
    std::string text;
    for (std::size_t i = OpeningLines; i < lines.size(); ++i)
        (text += lines[i]) += '\n';
    return text;
}

} // namespace digitize
