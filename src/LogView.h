// The log of recorded points: a plain text field whose copies carry plain
// text only, so that a spreadsheet splits each pasted line at its commas.
#pragma once

#include <QPlainTextEdit>

class TLogView : public QPlainTextEdit {
    Q_OBJECT

  public:
    using QPlainTextEdit::QPlainTextEdit;

  protected:
    QMimeData *createMimeDataFromSelection() const override;
};
