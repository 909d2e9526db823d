#include "PointsExport.h"

#include "ErrorBox.h"
#include "ExportDialog.h"
#include "RecordedPoints.h"
#include "SafeSave.h"
#include "digitize/record/ExportText.h"

#include <QMessageBox>

bool PointsExport::Save(QWidget *parent) {
    if (!digitize::HasPoints(points_.Series())) {
        QMessageBox::information(parent, ApplicationTitle,
                                 QStringLiteral("There are no recorded points to save."));
        return false;
    }
    const std::optional<ExportRequest> request = ExportDialog::Ask(parent, lastPath_);
    if (!request)
        return false;
    lastPath_ = request->Path;
    const std::vector<digitize::Series> writing = points_.Series();
    const QByteArray bytes =
        QByteArray::fromStdString(digitize::ExportText(writing, request->Format, request->Style));
    if (const QString why = WriteFileSafely(request->Path, bytes); !why.isEmpty()) {
        ShowErrorBox(QStringLiteral("Cannot save ") + request->Path + QStringLiteral(": ") + why);
        return false;
    }
    saved_ = writing;
    return true;
}

bool PointsExport::Unsaved() const {
    const auto &now = points_.Series();
    return digitize::HasPoints(now) && !digitize::SamePoints(now, saved_);
}
