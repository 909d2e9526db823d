#include "digitize/search/GuidedLine.h"

#include <algorithm>
#include <cmath>

namespace digitize {
namespace {

// A column whose centre lies this far off the fit through the others (and
// well beyond their spread) is where something crosses the line.
constexpr double OutlierRows = 1.5;

struct Line {
    double row = 0;
    double slope = 0;
    double At(double u) const { return row + slope * u; }
};

// Least squares through the runs' centres, u = column - x.
Line FitRuns(const std::vector<Run> &runs, double x, double slopeIfOne) {
    double n = 0, su = 0, sr = 0, suu = 0, sur = 0;
    for (const Run &run : runs) {
        const double u = static_cast<double>(run.Column) - x;
        const double r = run.Centre();
        n += 1;
        su += u;
        sr += r;
        suu += u * u;
        sur += u * r;
    }
    const double det = n * suu - su * su;
    if (n < 2 || std::fabs(det) < 1e-9)
        return {sr / n - slopeIfOne * su / n, slopeIfOne};
    const double slope = (n * sur - su * sr) / det;
    return {(sr - slope * su) / n, slope};
}

std::vector<double> Offsets(const std::vector<Run> &runs, const Line &fit, double x) {
    std::vector<double> off;
    off.reserve(runs.size());
    for (const Run &run : runs)
        off.push_back(std::fabs(run.Centre() - fit.At(static_cast<double>(run.Column) - x)));
    return off;
}

} // namespace

bool LineSeen::Holds(std::int64_t rx) const {
    bool left = false;
    bool right = false;
    for (const Run &run : Runs) {
        if (run.Column >= rx - 1 && run.Column <= rx + 1)
            return true;
        (run.Column < rx ? left : right) = true;
    }
    return left && right;
}

std::optional<double> LineSeen::AverageRow(std::int64_t cx, std::int64_t cy, Box box) const {
    // Columns in pairs either side of cx, so that a line ending or broken
    // inside the box does not tilt the average along its slope.
    const auto runAt = [this](std::int64_t column) -> const Run * {
        for (const Run &run : Runs)
            if (run.Column == column)
                return &run;
        return nullptr;
    };
    double s = 0;
    double w = 0;
    const auto add = [&](const Run &run) {
        const auto from = std::max(run.First, cy - box.HalfH);
        const auto to = std::min(run.Last, cy + box.HalfH);
        for (auto r = from; r <= to; ++r) {
            const auto k = static_cast<double>(BoxWeight(cx, cy, run.Column, r, box.HalfW));
            s += static_cast<double>(r) * k;
            w += k;
        }
    };
    for (std::int64_t d = 0; d <= box.HalfW; ++d) {
        const Run *left = runAt(cx - d);
        const Run *right = runAt(cx + d);
        if (left == nullptr || right == nullptr)
            continue;
        add(*left);
        if (d > 0)
            add(*right);
    }
    if (w > 0)
        return s / w;
    return std::nullopt;
}

LineSeen SeeLine(std::vector<Run> runs, double x, double slopeIfOne) {
    LineSeen seen;
    seen.Runs = std::move(runs);
    if (seen.Runs.empty())
        return seen;
    Line fit = FitRuns(seen.Runs, x, slopeIfOne);
    std::vector<double> off = Offsets(seen.Runs, fit, x);
    std::vector<double> sorted = off;
    const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    // Four robust standard deviations (1.4826 x the median deviation).
    const double limit = std::max(OutlierRows, 4 * 1.4826 * *middle);
    std::vector<Run> kept;
    for (std::size_t i = 0; i < seen.Runs.size(); ++i)
        if (off[i] <= limit)
            kept.push_back(seen.Runs[i]);
    if (!kept.empty() && kept.size() < seen.Runs.size()) {
        seen.Runs = std::move(kept);
        fit = FitRuns(seen.Runs, x, slopeIfOne);
        off = Offsets(seen.Runs, fit, x);
    }
    seen.Row = fit.row;
    seen.Slope = fit.slope;
    seen.Spread = *std::max_element(off.begin(), off.end());
    return seen;
}

} // namespace digitize
