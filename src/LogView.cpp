#include "LogView.h"

#include <QMimeData>
#include <QTextDocumentFragment>

QMimeData *TLogView::createMimeDataFromSelection() const {
    // An HTML or office-document version would be pasted as one cell a line.
    auto *mime = new QMimeData; // the clipboard or the drag takes it
    mime->setText(textCursor().selection().toPlainText());
    return mime;
}
