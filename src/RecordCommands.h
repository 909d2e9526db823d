// The changes Ctrl+Z takes back and Ctrl+Shift+Z puts back: recording points
// (one Space, or one whole Auto Run), deleting a point, starting and naming
// a series, and locking a reference point or the third point.
#pragma once

#include "RecordedPoints.h"
#include "ReferenceLocks.h"

#include <QUndoCommand>

#include <vector>

class RecordPointsCommand : public QUndoCommand {
  public:
    RecordPointsCommand(RecordedPoints &points, std::vector<digitize::RecordedPoint> recorded,
                        const QString &text);
    void redo() override;
    void undo() override;

  private:
    RecordedPoints &points_;
    std::vector<digitize::RecordedPoint> recorded_;
};

class DeletePointCommand : public QUndoCommand {
  public:
    DeletePointCommand(RecordedPoints &points, PointRef at);
    void redo() override;
    void undo() override;

  private:
    RecordedPoints &points_;
    PointRef at_;
    digitize::RecordedPoint deleted_;
};

class NewSeriesCommand : public QUndoCommand {
  public:
    explicit NewSeriesCommand(RecordedPoints &points);
    void redo() override;
    void undo() override;

  private:
    RecordedPoints &points_;
};

// Renaming one series, keystroke after keystroke, is one step.
class RenameSeriesCommand : public QUndoCommand {
  public:
    RenameSeriesCommand(RecordedPoints &points, int series, const QString &name);
    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

  private:
    RecordedPoints &points_;
    int series_;
    QString before_;
    QString after_;
};

class LockCommand : public QUndoCommand {
  public:
    LockCommand(ReferencePoint which, const LockState &after);
    void redo() override;
    void undo() override;

  private:
    ReferencePoint which_;
    LockState before_;
    LockState after_;
};

class ThirdLockCommand : public QUndoCommand {
  public:
    explicit ThirdLockCommand(const ThirdLockState &after);
    void redo() override;
    void undo() override;

  private:
    ThirdLockState before_;
    ThirdLockState after_;
};
