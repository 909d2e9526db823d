#include "LogView.h"

#include "RecordedPoints.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextDocumentFragment>

QMimeData *TLogView::createMimeDataFromSelection() const {
    // An HTML or office-document version would be pasted as one cell a line.
    auto *mime = new QMimeData; // the clipboard or the drag takes it
    mime->setText(textCursor().selection().toPlainText());
    return mime;
}

void TLogView::SetModel(const RecordedPoints *points) {
    points_ = points;
    opening_ = toPlainText();
    // Read only, yet every line can be selected and copied, by keys too.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    connect(points, &RecordedPoints::Appended, this, &TLogView::Appended);
    connect(points, &RecordedPoints::Reset, this, [this] {
        rebuild_ = true;
        CatchUp();
    });
    ShowAll();
}

void TLogView::Appended(int, int) {
    CatchUp();
}

void TLogView::CatchUp() {
    if (queued_)
        return;
    queued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            queued_ = false;
            if (rebuild_) {
                ShowAll();
                return;
            }
            const auto &last = points_->Series().back().Points;
            QStringList lines;
            for (auto i = static_cast<std::size_t>(shownPoints_); i < last.size(); ++i)
                lines.append(QString::fromStdString(last[i].Text));
            shownPoints_ = static_cast<int>(last.size());
            if (!lines.isEmpty())
                appendPlainText(lines.join(QLatin1Char('\n')));
            verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        },
        Qt::QueuedConnection);
}

void TLogView::ShowAll() {
    rebuild_ = false;
    // Each point is a line appended below the opening text, as appendPlainText does.
    QString text = opening_;
    if (const QString lines = points_->LogText(); !lines.isEmpty())
        text += QLatin1Char('\n') + lines.chopped(1);
    setPlainText(text);
    shownPoints_ = static_cast<int>(points_->Series().back().Points.size());
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
