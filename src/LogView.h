// The log: the opening instructions, then every recorded point as its
// coordinate text, each series under its name once there are several. It
// shows the recorded points and is changed only through them (Ctrl+Z,
// Delete), so what is saved is what is shown; the user selects and copies
// its lines, and copies carry plain text only, so that a spreadsheet splits
// each pasted line at its commas.
#pragma once

#include <QPlainTextEdit>

class RecordedPoints;

class TLogView : public QPlainTextEdit {
    Q_OBJECT

  public:
    using QPlainTextEdit::QPlainTextEdit;

    // Shows the points below the text the log holds now, and follows them.
    void SetModel(const RecordedPoints *points);

  protected:
    QMimeData *createMimeDataFromSelection() const override;

  private:
    void Appended(int first, int count);
    void ShowAll();
    // Catches up with the points once control returns to the event loop,
    // however many were recorded before.
    void CatchUp();

    const RecordedPoints *points_ = nullptr;
    QString opening_;
    int shownPoints_ = 0; // points of the last series in the text
    bool rebuild_ = false;
    bool queued_ = false;
};
