#include "digitize/record/Series.h"

#include <array>

namespace digitize {

std::string DefaultSeriesName(std::size_t index) {
    return "Series " + std::to_string(index + 1);
}

Colour SeriesColour(std::size_t index) {
    // Okabe and Ito's hues, as 0x00BBGGRR, without their yellow, which
    // vanishes on white paper: vermillion, blue, bluish green, reddish
    // purple, orange, sky blue, black.
    constexpr std::array<Colour, 7> hues = {0x005ED5, 0xB27200, 0x739E00, 0xA779CC,
                                            0x009FE6, 0xE9B456, 0x000000};
    return hues[index % hues.size()];
}

bool ShowsSeriesNames(std::span<const Series> series) {
    return series.size() > 1 || (series.size() == 1 && series[0].Name != DefaultSeriesName(0));
}

std::string LogLines(std::span<const Series> series) {
    const bool names = ShowsSeriesNames(series);
    std::string text;
    for (const Series &s : series) {
        if (names)
            (text += s.Name) += '\n';
        for (const RecordedPoint &p : s.Points)
            (text += p.Text) += '\n';
    }
    return text;
}

std::pair<std::string, std::string> CoordCells(std::string_view text) {
    const auto trim = [](std::string_view s) {
        const auto first = s.find_first_not_of(' ');
        if (first == std::string_view::npos)
            return std::string();
        return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
    };
    const auto comma = text.find(" , ");
    if (comma == std::string_view::npos)
        return {trim(text), std::string()};
    return {trim(text.substr(0, comma)), trim(text.substr(comma + 3))};
}

} // namespace digitize
