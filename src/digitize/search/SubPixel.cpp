#include "digitize/search/SubPixel.h"

#include "digitize/calibration/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

namespace digitize {
namespace {

// Coverage below this is the background's own noise (JPEG ringing, dither).
constexpr double NoiseCoverage = 0.08;
// A run is the line when it peaks at least this high and covers at least
// MinMass pixels in all (a one-pixel line covers one in every column).
constexpr double MinPeak = 0.3;
constexpr double MinMass = 0.5;
// A dip in a column's coverage below this share of the peaks on both sides
// parts two lines.
constexpr double MaxDip = 0.5;
// Line and background closer than this (squared channel distance) cannot be told apart.
constexpr double MinContrast = 24.0 * 24.0;
// A quadratic is fitted when its bend across the fitted columns reaches this
// many pixels; below it a straight line reads the noise less.
constexpr double MeasurableBend = 0.05;
// A column whose centre lies this far off the fit (and well beyond the spread
// of the rest) belongs to something else: a grid line, a marker, another curve.
constexpr double OutlierPixels = 0.5;

struct Rgb {
    double R = 0;
    double G = 0;
    double B = 0;
};

Rgb Channels(Colour c) {
    return {static_cast<double>(c & 0xFFu), static_cast<double>((c >> 8) & 0xFFu),
            static_cast<double>((c >> 16) & 0xFFu)};
}

// The per-channel median of the box: the background wherever the line
// covers less than half the box.
Rgb MedianColour(const Surface &picture, std::int64_t left, std::int64_t top, std::int64_t columns,
                 std::int64_t rows) {
    std::array<std::array<std::int64_t, 256>, 3> counts{};
    for (std::int64_t c = 0; c < columns; ++c)
        for (std::int64_t r = 0; r < rows; ++r) {
            const Colour p = picture.Pixel(left + c, top + r);
            ++counts[0][p & 0xFFu];
            ++counts[1][(p >> 8) & 0xFFu];
            ++counts[2][(p >> 16) & 0xFFu];
        }
    const std::int64_t half = columns * rows / 2;
    std::array<double, 3> median{};
    for (std::size_t channel = 0; channel < 3; ++channel) {
        std::int64_t seen = 0;
        std::size_t level = 0;
        while (level < 255 && (seen += counts[channel][level]) <= half)
            ++level;
        median[channel] = static_cast<double>(level);
    }
    return {median[0], median[1], median[2]};
}

// One pixel as the line sees it: how much of it the line covers (where its
// colour lies on the way from background to line, 0 to 1, by projection),
// and whether its colour is that of such a mix.
struct Sample {
    double Cover = 0;
    bool Matches = false;
};

class Coverage {
  public:
    Coverage(Rgb background, Rgb line, int tolerance) : b_(background), tolerance_(tolerance) {
        d_ = {line.R - b_.R, line.G - b_.G, line.B - b_.B};
        dd_ = d_.R * d_.R + d_.G * d_.G + d_.B * d_.B;
    }

    bool Distinct() const { return dd_ >= MinContrast; }

    Sample Of(Colour pixel) const {
        const Rgb p = Channels(pixel);
        const Rgb pb{p.R - b_.R, p.G - b_.G, p.B - b_.B};
        const double a = std::clamp((pb.R * d_.R + pb.G * d_.G + pb.B * d_.B) / dd_, 0.0, 1.0);
        if (a < NoiseCoverage)
            return {};
        const double off = std::max(
            {std::fabs(pb.R - a * d_.R), std::fabs(pb.G - a * d_.G), std::fabs(pb.B - a * d_.B)});
        // A curve pixel of the box average matches; so does a mix whose
        // channels lie near the mix, the nearer the paler the pixel: JPEG
        // pales a thin line's colour, while a grey or tinted grid line is a
        // pale pixel well off the way to the line colour.
        const bool matches = off <= static_cast<double>(tolerance_) * std::min(1.0, a + 0.25);
        return {a, matches};
    }

  private:
    Rgb b_;
    int tolerance_;
    Rgb d_;
    double dd_ = 0;
};

struct ColumnCentre {
    double U = 0; // column minus x
    double Row = 0;
};

// Stretches [First, End) of covered rows in one column.
struct Stretch {
    std::size_t First = 0;
    std::size_t End = 0;
};

// Splits a stretch where its coverage dips below half the peaks on both
// sides: two lines touching (the curve on an axis), not one. The pixel at
// the dip is an edge of both.
void SplitAtDips(const std::vector<Sample> &column, Stretch s, std::vector<Stretch> &out) {
    std::size_t dip = s.First;
    double deepest = MaxDip;
    for (std::size_t m = s.First + 1; m + 1 < s.End; ++m) {
        double before = 0;
        double after = 0;
        for (std::size_t i = s.First; i < m; ++i)
            before = std::max(before, column[i].Cover);
        for (std::size_t i = m + 1; i < s.End; ++i)
            after = std::max(after, column[i].Cover);
        const double depth = column[m].Cover / std::min(before, after);
        if (depth < deepest) {
            deepest = depth;
            dip = m;
        }
    }
    if (dip == s.First) {
        out.push_back(s);
        return;
    }
    SplitAtDips(column, {s.First, dip + 1}, out);
    SplitAtDips(column, {dip, s.End}, out);
}

// The centre of the line's run in one column (rows from `top` down), the run
// nearest the expected row and within reach of it. A run is a stretch of covered pixels, split
// where two lines touch, with its unmatched ends trimmed off (a grid line touching it); unmatched
// pixels inside it stay, as JPEG pales a thin line's core more than its edges.
std::optional<double> RunCentre(const std::vector<Sample> &column, std::int64_t top,
                                double expected, double reach) {
    std::vector<Stretch> runs;
    const auto rows = column.size();
    for (std::size_t r = 0; r < rows;) {
        if (column[r].Cover <= 0) {
            ++r;
            continue;
        }
        const std::size_t first = r;
        while (r < rows && column[r].Cover > 0)
            ++r;
        SplitAtDips(column, {first, r}, runs);
    }
    std::optional<double> best;
    for (Stretch run : runs) {
        while (run.First < run.End && !column[run.First].Matches)
            ++run.First;
        while (run.End > run.First && !column[run.End - 1].Matches)
            --run.End;
        double mass = 0;
        double moment = 0;
        double peak = 0;
        for (std::size_t i = run.First; i < run.End; ++i) {
            mass += column[i].Cover;
            moment += column[i].Cover * static_cast<double>(i);
            if (column[i].Matches)
                peak = std::max(peak, column[i].Cover);
        }
        if (peak < MinPeak || mass < MinMass)
            continue;
        const double centre = static_cast<double>(top) + moment / mass;
        const auto off = [expected](double row) { return std::fabs(row - expected); };
        if (off(centre) > reach || (best && off(*best) <= off(centre)))
            continue;
        // A run cut off by the box's edge has its centre pulled inwards.
        best = run.First == 0 || run.End == rows ? std::optional<double>() : centre;
    }
    return best;
}

// A polynomial in u of degree 0 to 2; Valid when the columns determined it.
struct Fit {
    std::array<double, 3> A{};
    bool Valid = false;
    double At(double u) const { return A[0] + u * (A[1] + u * A[2]); }
};

double Determinant3(const std::array<std::array<double, 3>, 3> &m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

// Least squares of the centres in powers of u up to `degree`, by Cramer's
// rule on the normal equations (unused powers get a unit diagonal). u spans
// the box only, so they are well conditioned whenever the columns allow it.
Fit FitCentres(const std::vector<ColumnCentre> &centres, int degree) {
    std::array<double, 5> s{};
    std::array<double, 3> t{};
    for (const ColumnCentre &c : centres) {
        double p = 1;
        for (std::size_t k = 0; k < 5; ++k, p *= c.U) {
            s[k] += p;
            if (k < 3)
                t[k] += p * c.Row;
        }
    }
    const auto n = static_cast<std::size_t>(degree) + 1;
    std::array<std::array<double, 3>, 3> m{};
    std::array<double, 3> rhs{};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j)
            m[i][j] = i < n && j < n ? s[i + j] : i == j ? 1 : 0;
        rhs[i] = i < n ? t[i] : 0;
    }
    Fit fit;
    const double det = Determinant3(m);
    // Against the product of the diagonal (Hadamard's bound): near zero when
    // too few distinct columns determine the degree.
    double diagonal = 1;
    for (std::size_t i = 0; i < n; ++i)
        diagonal *= s[2 * i];
    fit.Valid = diagonal > 0 && std::fabs(det) > 1e-9 * diagonal;
    if (!fit.Valid)
        return fit;
    for (std::size_t k = 0; k < n; ++k) {
        auto mk = m;
        for (std::size_t i = 0; i < 3; ++i)
            mk[i][k] = rhs[i];
        fit.A[k] = Determinant3(mk) / det;
    }
    return fit;
}

// A quadratic when the centres bend measurably across the columns and x lies
// among them, else a straight line, else the mean row.
Fit BestFit(const std::vector<ColumnCentre> &centres) {
    double lo = centres.front().U;
    double hi = lo;
    for (const ColumnCentre &c : centres) {
        lo = std::min(lo, c.U);
        hi = std::max(hi, c.U);
    }
    if (centres.size() >= 5 && lo <= 0 && hi >= 0) {
        const Fit quadratic = FitCentres(centres, 2);
        const double half = (hi - lo) / 2;
        if (quadratic.Valid && std::fabs(quadratic.A[2]) * half * half >= MeasurableBend)
            return quadratic;
    }
    if (centres.size() >= 2) {
        const Fit line = FitCentres(centres, 1);
        if (line.Valid)
            return line;
    }
    return FitCentres(centres, 0);
}

// The fit read at u = 0, refitted once without the columns far off it.
std::optional<double> ReadFit(std::vector<ColumnCentre> centres) {
    if (centres.empty())
        return std::nullopt;
    const Fit first = BestFit(centres);
    std::vector<double> off;
    off.reserve(centres.size());
    for (const ColumnCentre &c : centres)
        off.push_back(std::fabs(c.Row - first.At(c.U)));
    std::vector<double> sorted = off;
    std::nth_element(sorted.begin(),
                     sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2), sorted.end());
    // Four robust standard deviations (1.4826 x the median deviation).
    const double limit = std::max(OutlierPixels, 4 * 1.4826 * sorted[sorted.size() / 2]);
    std::vector<ColumnCentre> kept;
    for (std::size_t i = 0; i < centres.size(); ++i)
        if (off[i] <= limit)
            kept.push_back(centres[i]);
    if (kept.size() == centres.size() || kept.empty())
        return first.A[0];
    return BestFit(kept).A[0];
}

} // namespace

std::optional<double> SubPixelRow(const Surface &picture, double x, std::int64_t cy, Box box,
                                  Colour lineColour, int tolerance) {
    return SubPixelRow(
        picture, x, cy, box, lineColour, tolerance,
        Guide{x, static_cast<double>(cy), 0, std::numeric_limits<double>::infinity()});
}

std::optional<double> SubPixelRow(const Surface &picture, double x, std::int64_t cy, Box box,
                                  Colour lineColour, int tolerance, const Guide &guide) {
    const std::int64_t halfW = std::abs(box.HalfW);
    const std::int64_t halfH = box.HalfH;
    if (halfH < 0 || !std::isfinite(x))
        return std::nullopt;
    const std::int64_t cx = Round(x);
    const std::int64_t left = cx - halfW;
    const std::int64_t top = cy - halfH;
    const std::int64_t columns = 2 * halfW + 1;
    const std::int64_t rows = 2 * halfH + 1;

    const Coverage coverage(MedianColour(picture, left, top, columns, rows), Channels(lineColour),
                            tolerance);
    if (!coverage.Distinct())
        return std::nullopt;

    std::vector<ColumnCentre> centres;
    std::vector<Sample> column(static_cast<std::size_t>(rows));
    for (std::int64_t c = left; c < left + columns; ++c) {
        for (std::int64_t r = 0; r < rows; ++r)
            column[static_cast<std::size_t>(r)] = coverage.Of(picture.Pixel(c, top + r));
        if (const auto centre =
                RunCentre(column, top, guide.At(static_cast<double>(c)), guide.Reach))
            centres.push_back({static_cast<double>(c) - x, *centre});
    }
    return ReadFit(std::move(centres));
}

} // namespace digitize
