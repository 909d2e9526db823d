// The recorded points: the series in the order they were started, each with
// its name, its marks' colour and its points in the order recorded. Points
// are always added to the last series, the one being recorded. The log, the
// marks on the picture, the undo commands and the export read it; only its
// own functions change it, and each change is announced.
#pragma once

#include "digitize/record/Series.h"

#include <QObject>
#include <QString>

#include <span>
#include <vector>

// A point by its series and its place in that series.
struct PointRef {
    int Series = 0;
    int Index = 0;
    friend bool operator==(PointRef, PointRef) = default;
};

class RecordedPoints : public QObject {
    Q_OBJECT

  public:
    // One series, "Series 1", without points.
    RecordedPoints();

    const std::vector<digitize::Series> &Series() const { return series_; }
    int Last() const { return static_cast<int>(series_.size()) - 1; }
    const digitize::RecordedPoint &At(PointRef ref) const;
    int PointCount() const;

    // The log's lines of every series, each ending with "\n".
    QString LogText() const;

    // Adds points at the end of the last series.
    void Append(std::span<const digitize::RecordedPoint> points);
    // Removes the last count points of the last series.
    void RemoveLast(int count);
    void Insert(PointRef at, digitize::RecordedPoint point);
    digitize::RecordedPoint Remove(PointRef at);

    // Starts a series after the others, with its default name and colour.
    void AddSeries();
    // Takes back the last series, which must hold no points.
    void RemoveLastSeries();
    void Rename(int series, const QString &name);

  signals:
    // Points were added at the end of the last series.
    void Appended(int first, int count);
    // Anything else changed: whoever shows the points shows them afresh.
    void Reset();

  private:
    std::vector<digitize::Series> series_;
};
