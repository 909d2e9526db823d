#include "RecordedPoints.h"

#include <cassert>

RecordedPoints::RecordedPoints() {
    AddSeries();
}

const digitize::RecordedPoint &RecordedPoints::At(PointRef ref) const {
    return series_.at(static_cast<std::size_t>(ref.Series))
        .Points.at(static_cast<std::size_t>(ref.Index));
}

int RecordedPoints::PointCount() const {
    std::size_t count = 0;
    for (const digitize::Series &s : series_)
        count += s.Points.size();
    return static_cast<int>(count);
}

QString RecordedPoints::LogText() const {
    return QString::fromStdString(digitize::LogLines(series_));
}

void RecordedPoints::Append(std::span<const digitize::RecordedPoint> points) {
    if (points.empty())
        return;
    auto &target = series_.back().Points;
    const auto first = static_cast<int>(target.size());
    target.insert(target.end(), points.begin(), points.end());
    emit Appended(first, static_cast<int>(points.size()));
}

void RecordedPoints::RemoveLast(int count) {
    auto &target = series_.back().Points;
    assert(count >= 0 && static_cast<std::size_t>(count) <= target.size());
    target.resize(target.size() - static_cast<std::size_t>(count));
    emit Reset();
}

void RecordedPoints::Insert(PointRef at, digitize::RecordedPoint point) {
    auto &target = series_.at(static_cast<std::size_t>(at.Series)).Points;
    target.insert(target.begin() + at.Index, std::move(point));
    emit Reset();
}

digitize::RecordedPoint RecordedPoints::Remove(PointRef at) {
    auto &target = series_.at(static_cast<std::size_t>(at.Series)).Points;
    const auto where = target.begin() + at.Index;
    digitize::RecordedPoint point = std::move(*where);
    target.erase(where);
    emit Reset();
    return point;
}

void RecordedPoints::AddSeries() {
    const std::size_t index = series_.size();
    series_.push_back({digitize::DefaultSeriesName(index), digitize::SeriesColour(index), {}});
    emit Reset();
}

void RecordedPoints::RemoveLastSeries() {
    assert(series_.size() > 1 && series_.back().Points.empty());
    series_.pop_back();
    emit Reset();
}

void RecordedPoints::Rename(int series, const QString &name) {
    series_.at(static_cast<std::size_t>(series)).Name = name.toStdString();
    emit Reset();
}
