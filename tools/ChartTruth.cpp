#include "ChartTruth.h"

#include <QFile>
#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace tools {
namespace {

// A marker spans this many columns either side of its sample.
constexpr double MarkerHalfWidth = 4.0;
// Samples farther apart than this many typical spacings are two branches.
constexpr double BranchGap = 3.0;

struct Sample {
    double x = 0;
    double y = 0;
};

double SegmentDistance(PicturePoint p, PicturePoint a, PicturePoint b) {
    const double dx = b.Col - a.Col;
    const double dy = b.Row - a.Row;
    const double len = dx * dx + dy * dy;
    double t = len > 0 ? ((p.Col - a.Col) * dx + (p.Row - a.Row) * dy) / len : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.Col - (a.Col + t * dx), p.Row - (a.Row + t * dy));
}

} // namespace

TrueCurve::TrueCurve(const QJsonObject &chart, const QString &csvPath, const QString &series) {
    markers_ = chart["between_samples"].toString().startsWith(QStringLiteral("markers"));
    const QJsonArray affine = chart["affine_points"].toArray();
    if (affine.size() == 3) {
        // col = a + b x + c y and row = d + e x + f y through three points.
        double m[3][3], col[3], row[3];
        for (int i = 0; i < 3; ++i) {
            const QJsonArray p = affine[i].toArray();
            m[i][0] = 1;
            m[i][1] = p[0].toDouble();
            m[i][2] = p[1].toDouble();
            col[i] = p[2].toDouble();
            row[i] = p[3].toDouble();
        }
        const auto det = [](double a[3][3]) {
            return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                   a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                   a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
        };
        const double d = det(m);
        for (const double *rhs : {col, row})
            for (int k = 0; k < 3; ++k) {
                double mk[3][3];
                for (int i = 0; i < 3; ++i)
                    for (int j = 0; j < 3; ++j)
                        mk[i][j] = j == k ? rhs[i] : m[i][j];
                affine_.push_back(det(mk) / d);
            }
    } else {
        const QJsonArray xr = chart["x_ref"].toArray();
        const QJsonArray yr = chart["y_ref"].toArray();
        const double x0 = xr[0]["value"].toDouble(), x1 = xr[1]["value"].toDouble();
        const double c0 = xr[0]["px"][0].toDouble(), c1 = xr[1]["px"][0].toDouble();
        const double y0 = yr[0]["value"].toDouble(), y1 = yr[1]["value"].toDouble();
        const double r0 = yr[0]["px"][1].toDouble(), r1 = yr[1]["px"][1].toDouble();
        const double b = (c1 - c0) / (x1 - x0);
        const double f = (r1 - r0) / (y1 - y0);
        affine_ = {c0 - b * x0, b, 0, r0 - f * y0, 0, f};
    }

    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + csvPath.toStdString());
    std::vector<std::vector<Sample>> pieces(1);
    file.readLine();
    while (!file.atEnd()) {
        const QStringList cells = QString::fromUtf8(file.readLine()).trimmed().split(u',');
        if (cells.size() != 3 || cells[0] != series)
            continue;
        const double y = cells[2].toDouble();
        if (cells[2] == QStringLiteral("nan") || !std::isfinite(y)) {
            pieces.emplace_back();
            continue;
        }
        pieces.back().push_back({cells[1].toDouble(), y});
    }
    std::vector<double> steps;
    for (const auto &piece : pieces)
        for (std::size_t i = 1; i < piece.size(); ++i)
            steps.push_back(piece[i].x - piece[i - 1].x);
    std::sort(steps.begin(), steps.end());
    const double typical = steps.empty() ? 0 : steps[steps.size() / 2];
    firstX_ = std::numeric_limits<double>::infinity();
    lastX_ = -firstX_;
    for (const auto &piece : pieces) {
        std::vector<PicturePoint> out;
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (i > 0 && !markers_ && piece[i].x - piece[i - 1].x > BranchGap * typical) {
                pieces_.push_back(std::move(out));
                out.clear();
            }
            out.push_back(ToPicture(piece[i].x, piece[i].y));
            firstX_ = std::min(firstX_, piece[i].x);
            lastX_ = std::max(lastX_, piece[i].x);
        }
        if (!out.empty())
            pieces_.push_back(std::move(out));
    }
    if (pieces_.empty())
        throw std::runtime_error("no samples of " + series.toStdString());
}

PicturePoint TrueCurve::ToPicture(double x, double y) const {
    return {affine_[0] + affine_[1] * x + affine_[2] * y,
            affine_[3] + affine_[4] * x + affine_[5] * y};
}

double TrueCurve::RowAtValue(double x) const {
    const double col = affine_[0] + affine_[1] * x;
    double best = std::numeric_limits<double>::infinity();
    double row = 0;
    for (const auto &piece : pieces_)
        for (const PicturePoint &p : piece)
            if (std::fabs(p.Col - col) < best) {
                best = std::fabs(p.Col - col);
                row = p.Row;
            }
    if (markers_)
        return row; // the nearest marker's
    // Refine on the segment that spans the column.
    for (const auto &piece : pieces_)
        for (std::size_t i = 1; i < piece.size(); ++i) {
            const PicturePoint a = piece[i - 1], b = piece[i];
            if (std::min(a.Col, b.Col) <= col && col <= std::max(a.Col, b.Col) && a.Col != b.Col)
                return a.Row + (col - a.Col) / (b.Col - a.Col) * (b.Row - a.Row);
        }
    return row;
}

std::optional<PointError> TrueCurve::ErrorOf(PicturePoint p) const {
    if (markers_) {
        std::optional<PointError> best;
        for (const auto &piece : pieces_)
            for (const PicturePoint &s : piece)
                if (std::fabs(s.Col - p.Col) <= MarkerHalfWidth) {
                    const double v = std::fabs(s.Row - p.Row);
                    if (!best || v < best->Vertical)
                        best = PointError{v, v};
                }
        return best;
    }
    bool covered = false;
    double vertical = std::numeric_limits<double>::infinity();
    double distance = std::numeric_limits<double>::infinity();
    for (const auto &piece : pieces_) {
        for (std::size_t i = 1; i < piece.size(); ++i) {
            const PicturePoint a = piece[i - 1], b = piece[i];
            distance = std::min(distance, SegmentDistance(p, a, b));
            if (std::min(a.Col, b.Col) <= p.Col && p.Col <= std::max(a.Col, b.Col)) {
                covered = true;
                const double row =
                    a.Col == b.Col ? p.Row
                                   : a.Row + (p.Col - a.Col) / (b.Col - a.Col) * (b.Row - a.Row);
                vertical = std::min(vertical, std::fabs(p.Row - row));
            }
        }
    }
    if (!covered)
        return std::nullopt;
    return PointError{vertical, distance};
}

} // namespace tools
