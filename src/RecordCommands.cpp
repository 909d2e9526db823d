#include "RecordCommands.h"

RecordPointsCommand::RecordPointsCommand(RecordedPoints &points,
                                         std::vector<digitize::RecordedPoint> recorded,
                                         const QString &text)
    : QUndoCommand(text), points_(points), recorded_(std::move(recorded)) {}

void RecordPointsCommand::redo() {
    points_.Append(recorded_);
}

void RecordPointsCommand::undo() {
    points_.RemoveLast(static_cast<int>(recorded_.size()));
}

DeletePointCommand::DeletePointCommand(RecordedPoints &points, PointRef at)
    : QUndoCommand(QStringLiteral("Delete point")), points_(points), at_(at) {}

void DeletePointCommand::redo() {
    deleted_ = points_.Remove(at_);
}

void DeletePointCommand::undo() {
    points_.Insert(at_, deleted_);
}

NewSeriesCommand::NewSeriesCommand(RecordedPoints &points)
    : QUndoCommand(QStringLiteral("New series")), points_(points) {}

void NewSeriesCommand::redo() {
    points_.AddSeries();
}

void NewSeriesCommand::undo() {
    points_.RemoveLastSeries();
}

RenameSeriesCommand::RenameSeriesCommand(RecordedPoints &points, int series, const QString &name)
    : QUndoCommand(QStringLiteral("Rename series")), points_(points), series_(series),
      before_(QString::fromStdString(points.Series().at(static_cast<std::size_t>(series)).Name)),
      after_(name) {}

void RenameSeriesCommand::redo() {
    points_.Rename(series_, after_);
}

void RenameSeriesCommand::undo() {
    points_.Rename(series_, before_);
}

int RenameSeriesCommand::id() const {
    return 1;
}

bool RenameSeriesCommand::mergeWith(const QUndoCommand *other) {
    const auto *rename = static_cast<const RenameSeriesCommand *>(other);
    if (rename->series_ != series_)
        return false;
    after_ = rename->after_;
    return true;
}

LockCommand::LockCommand(ReferencePoint which, const LockState &after)
    : QUndoCommand(which == ReferencePoint::Zero ? QStringLiteral("Lock Zero")
                                                 : QStringLiteral("Lock Max")),
      which_(which), before_(CurrentLock(which)), after_(after) {}

void LockCommand::redo() {
    RestoreLock(which_, after_);
}

void LockCommand::undo() {
    RestoreLock(which_, before_);
}

ThirdLockCommand::ThirdLockCommand(const ThirdLockState &after)
    : QUndoCommand(after.Pixel ? QStringLiteral("Lock the third point")
                               : QStringLiteral("Unlock the third point")),
      before_(CurrentThirdLock()), after_(after) {}

void ThirdLockCommand::redo() {
    RestoreThirdLock(after_);
}

void ThirdLockCommand::undo() {
    RestoreThirdLock(before_);
}
