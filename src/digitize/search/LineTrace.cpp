#include "digitize/search/LineTrace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace digitize {
namespace {

// A colour at the edge of the tolerance counts as this share of the reach
// farther away than a colour equal to the line's.
constexpr double ColourPull = 0.5;
// The line's slope and roughness are taken over this many columns behind the
// last run.
constexpr std::int64_t SlopeColumns = 24;
// A run not touching the last one must lie within this many rows of the
// expected row, and this widens by at least MinGrowth rows for each column
// since the last run, by half the line's mean change a column where it is
// steeper or jagged ...
constexpr double NearReach = 2.0;
constexpr double MinGrowth = 0.75;
constexpr double GrowthOfChange = 0.5;
// ... up to this many times the reach next to the line, and once more for
// each row a column that the line's mean change exceeds its slope by more
// than half a row (a jagged line): beyond, a line of the colour is something else
// (a legend's sample after the curve has ended).
constexpr double MaxReachFactor = 2.0;
// The line's slope carries it on across at most this many columns of a gap.
constexpr double SlopeCarry = 16.0;
// A run found across a gap must show the line's colour about as closely as
// the line did in the last columns: a pale anti-aliased edge of another line
// or of text, or a neighbouring series of a similar colour, matches the
// tolerance but not the line's own colour.
constexpr double ColourFactor = 1.5;
constexpr double ColourSlack = 12.0;
// How the line's own closeness to the colour follows the runs that carry it on.
constexpr double ColourFollow = 1.0 / 16;
// Runs whose rows come this close carry the line on: a steep JPEG line
// leaves a row out here and there.
constexpr std::int64_t TouchRows = 2;
// A run longer than this many box heights is a vertical line (an axis, a
// grid line), not the curve.
constexpr std::int64_t RunRowsInBoxes = 4;
// Where the line forks, a branch that ends within this many columns (the bar
// of a "+" marker, a tick) gives way to one that goes on.
constexpr int ForkLookahead = 4;

int ChannelDistance(Colour a, Colour b) {
    int most = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d =
            static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu);
        most = std::max(most, d < 0 ? -d : d);
    }
    return most;
}

// The runs of column c that have rows in [from, to], each read whole, up to
// maxRows long and inside [top, bottom]; a longer run, or one reaching top or
// bottom, is left out: a vertical line, or a run whose end is not seen.
std::vector<Run> ColumnRuns(const Surface &picture, std::int64_t c, std::int64_t from,
                            std::int64_t to, const TraceSettings &s, std::int64_t maxRows) {
    const auto distance = [&](std::int64_t r) {
        return ChannelDistance(picture.Pixel(c, r), s.LineColour);
    };
    std::vector<Run> runs;
    for (auto r = from; r <= to; ++r) {
        const int d = distance(r);
        if (d > s.Tolerance)
            continue;
        if (!runs.empty() && runs.back().Last == r - 1) {
            runs.back().Last = r;
            runs.back().Closest = std::min(runs.back().Closest, d);
        } else {
            runs.push_back({c, r, r, d});
        }
    }
    std::vector<Run> whole;
    for (Run run : runs) {
        const auto extend = [&](std::int64_t &end, std::int64_t step, std::int64_t limit) {
            while (end != limit && run.Last - run.First < maxRows) {
                const int d = distance(end + step);
                if (d > s.Tolerance)
                    break;
                end += step;
                run.Closest = std::min(run.Closest, d);
            }
        };
        if (run.First == from)
            extend(run.First, -1, s.Top);
        if (run.Last == to)
            extend(run.Last, +1, s.Bottom);
        if (run.First > s.Top && run.Last < s.Bottom && run.Last - run.First < maxRows)
            whole.push_back(run);
    }
    return whole;
}

// How far the run lies from a row: zero when the row is among its rows.
double Off(const Run &run, double row) {
    return std::max(
        {0.0, static_cast<double>(run.First) - row, row - static_cast<double>(run.Last)});
}

bool Touching(const Run &a, const Run &b) {
    return a.First <= b.Last + TouchRows && b.First <= a.Last + TouchRows;
}

} // namespace

int LineTrace::GoesOn(const Surface &picture, const Run &run, int dir, int depth) const {
    if (depth == 0)
        return 0;
    const auto top = std::max(settings_.Top, run.First - settings_.HalfH);
    const auto bottom = std::min(settings_.Bottom, run.Last + settings_.HalfH);
    int longest = 0;
    for (const Run &next :
         ColumnRuns(picture, run.Column + dir, top, bottom, settings_, MaxRunRows()))
        if (Touching(next, run))
            longest = std::max(longest, 1 + GoesOn(picture, next, dir, depth - 1));
    return longest;
}

std::int64_t LineTrace::MaxRunRows() const {
    return RunRowsInBoxes * (2 * settings_.HalfH + 1);
}

bool LineTrace::Start(const Surface &picture, std::int64_t at, double row, std::int64_t from,
                      std::int64_t to) {
    const double span = settings_.Reach + static_cast<double>(settings_.HalfH);
    if (!std::isfinite(row))
        return false;
    const auto top = std::max(settings_.Top, static_cast<std::int64_t>(std::floor(row - span)));
    const auto bottom =
        std::min(settings_.Bottom, static_cast<std::int64_t>(std::ceil(row + span)));
    const Run *best = nullptr;
    double bestCost = std::numeric_limits<double>::infinity();
    std::vector<Run> all;
    for (auto c = from; c <= to; ++c)
        for (const Run &run : ColumnRuns(picture, c, top, bottom, settings_, MaxRunRows()))
            all.push_back(run);
    for (const Run &run : all) {
        const double off = Off(run, row);
        if (off > settings_.Reach)
            continue;
        const double cost =
            off + static_cast<double>(std::abs(run.Column - at)) +
            ColourPull * settings_.Reach * run.Closest / std::max(settings_.Tolerance, 1);
        if (cost < bestCost) {
            bestCost = cost;
            best = &run;
        }
    }
    if (best == nullptr)
        return false;
    started_ = true;
    closeness_ = best->Closest;
    runs_ = {{best->Column, *best}};
    lo_ = hi_ = best->Column;
    return true;
}

void LineTrace::To(const Surface &picture, std::int64_t column) {
    if (!started_)
        return;
    while (hi_ < column)
        TraceColumn(picture, ++hi_, +1);
    while (lo_ > column)
        TraceColumn(picture, --lo_, -1);
}

std::vector<Run> LineTrace::RunsIn(std::int64_t from, std::int64_t to) const {
    std::vector<Run> out;
    for (auto it = runs_.lower_bound(from); it != runs_.end() && it->first <= to; ++it)
        out.push_back(it->second);
    return out;
}

const Run *LineTrace::Anchor(std::int64_t column, int dir) const {
    if (dir > 0) {
        auto it = runs_.upper_bound(column);
        return it == runs_.begin() ? nullptr : &std::prev(it)->second;
    }
    auto it = runs_.lower_bound(column);
    return it == runs_.end() ? nullptr : &it->second;
}

LineTrace::Course LineTrace::CourseBehind(const Run &anchor, int dir) const {
    // Least squares over the runs of the last columns behind the anchor, and
    // the mean change a column between them.
    const auto from = dir > 0 ? anchor.Column - SlopeColumns : anchor.Column;
    const auto to = dir > 0 ? anchor.Column : anchor.Column + SlopeColumns;
    double n = 0, su = 0, sr = 0, suu = 0, sur = 0;
    double change = 0, columns = 0;
    const Run *before = nullptr;
    for (auto it = runs_.lower_bound(from); it != runs_.end() && it->first <= to; ++it) {
        const double u = static_cast<double>(it->first - anchor.Column);
        const double r = it->second.Centre();
        n += 1;
        su += u;
        sr += r;
        suu += u * u;
        sur += u * r;
        if (before != nullptr) {
            change += std::fabs(r - before->Centre());
            columns += static_cast<double>(it->first - before->Column);
        }
        before = &it->second;
    }
    const double det = n * suu - su * su;
    return {n >= 2 && det > 0 ? (n * sur - su * sr) / det : 0.0,
            columns > 0 ? change / columns : 0.0};
}

Guide LineTrace::ExpectedFrom(const Run &anchor, std::int64_t column, int dir) const {
    const double gap = static_cast<double>(std::abs(column - anchor.Column));
    const Course course = CourseBehind(anchor, dir);
    const double growth = std::max(MinGrowth, GrowthOfChange * course.change);
    // Far from the last run its slope says little (a jagged line, a corner).
    const double carried = std::min(gap, SlopeCarry) * (column > anchor.Column ? 1 : -1);
    return {
        static_cast<double>(column), anchor.Centre() + course.slope * carried, course.slope,
        std::min(NearReach + growth * gap,
                 (MaxReachFactor + std::max(course.change - std::fabs(course.slope) - 0.5, 0.0)) *
                     settings_.Reach)};
}

Guide LineTrace::Expected(std::int64_t column) const {
    const Run *right = Anchor(column, +1);
    const Run *left = Anchor(column, -1);
    const Run *anchor = right;
    int dir = +1;
    if (left != nullptr && (right == nullptr || left->Column - column < column - right->Column)) {
        anchor = left;
        dir = -1;
    }
    if (anchor == nullptr)
        return {static_cast<double>(column), std::numeric_limits<double>::quiet_NaN(), 0, 0};
    return ExpectedFrom(*anchor, column, dir);
}

void LineTrace::TraceColumn(const Surface &picture, std::int64_t column, int dir) {
    const Run *anchor = Anchor(column - dir, dir);
    if (anchor == nullptr)
        return;
    const Guide guide = ExpectedFrom(*anchor, column, dir);
    const double span = guide.Reach + static_cast<double>(settings_.HalfH);
    if (!std::isfinite(guide.Row))
        return;
    const auto top =
        std::max(settings_.Top, static_cast<std::int64_t>(std::floor(guide.Row - span)));
    const auto bottom =
        std::min(settings_.Bottom, static_cast<std::int64_t>(std::ceil(guide.Row + span)));
    const bool adjacent = anchor->Column == column - dir;
    const auto before = branches_.find(column - dir);
    const double colourLimit = ColourFactor * closeness_ + ColourSlack;
    // How a run joins the line: touching the last run (2), touching a run that
    // touched the one before (1: the line turning at a marker or a corner),
    // or only near where the line is expected (0).
    const auto joins = [&](const Run &run) {
        if (adjacent && Touching(run, *anchor))
            return 2;
        if (adjacent && before != branches_.end())
            for (const Run &branch : before->second)
                if (Touching(run, branch))
                    return 1;
        return 0;
    };
    const std::vector<Run> runs = ColumnRuns(picture, column, top, bottom, settings_, MaxRunRows());
    std::vector<int> join(runs.size());
    std::vector<Run> branches;
    for (std::size_t i = 0; i < runs.size(); ++i)
        if ((join[i] = joins(runs[i])) == 2)
            branches.push_back(runs[i]);
    // At a fork, a branch that ends at once is not the line.
    if (branches.size() > 1) {
        std::vector<int> goesOn(runs.size(), 0);
        int longest = 0;
        for (std::size_t i = 0; i < runs.size(); ++i)
            if (join[i] == 2)
                longest =
                    std::max(longest, goesOn[i] = GoesOn(picture, runs[i], dir, ForkLookahead));
        for (std::size_t i = 0; i < runs.size(); ++i)
            if (join[i] == 2 && goesOn[i] < longest)
                join[i] = -1;
    }
    const Run *best = nullptr;
    int bestJoin = -1;
    double bestCost = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Run &run = runs[i];
        if (join[i] < 0)
            continue;
        const double off = Off(run, guide.Row);
        if (join[i] == 0 && (off > guide.Reach || run.Closest > colourLimit))
            continue;
        const double cost =
            off + ColourPull * settings_.Reach * run.Closest / std::max(settings_.Tolerance, 1);
        if (join[i] > bestJoin || (join[i] == bestJoin && cost < bestCost)) {
            best = &run;
            bestJoin = join[i];
            bestCost = cost;
        }
    }
    branches_.erase(column - dir);
    if (best == nullptr)
        return;
    std::erase_if(branches, [&](const Run &run) { return run.First == best->First; });
    if (!branches.empty())
        branches_[column] = std::move(branches);
    runs_[column] = *best;
    if (bestJoin > 0)
        closeness_ += ColourFollow * (best->Closest - closeness_);
}

} // namespace digitize
