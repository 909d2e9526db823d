// Saving the recorded points (Ctrl+S): asks for a file and a format with the
// export dialog, turns the series into the format's bytes in the core and
// hands them to WriteFileSafely. Remembers the file saved to last in this
// run, offered again by the next save, and the points as that save wrote
// them, so that the close question knows whether any would be lost.
#pragma once

#include "digitize/record/Series.h"

#include <QString>

#include <vector>

class QWidget;
class RecordedPoints;

class PointsExport {
  public:
    explicit PointsExport(const RecordedPoints &points) : points_(points) {}

    // True when the points were written. Without points it says there is
    // nothing to save and asks nothing; a file that cannot be written is
    // reported in the error box and the points stay unsaved.
    bool Save(QWidget *parent);

    // Whether there are points and they differ from those the last
    // successful save wrote (in whatever format): closing would lose some.
    bool Unsaved() const;

  private:
    const RecordedPoints &points_;
    QString lastPath_;
    std::vector<digitize::Series> saved_;
};
