// The save dialog of the recorded points: the standard file dialog, whose
// file types choose the format (CSV one row a point, CSV one column pair a
// series, the log's text), with two rows below them for a CSV file's decimal
// mark and field separator. It opens in the folder saved to last with the
// format chosen last (QSettings). The decimal mark follows the regional
// settings and the separator the decimal mark, unless the user chose others,
// which are then remembered.
#pragma once

#include "digitize/record/ExportText.h"

#include <QFileDialog>

#include <optional>

class QComboBox;

struct ExportRequest {
    QString Path;
    digitize::ExportFormat Format = digitize::ExportFormat::CsvLong;
    digitize::CsvStyle Style;
};

class ExportDialog : public QFileDialog {
    Q_OBJECT

  public:
    // proposed: the file saved to last in this run, or empty for a file
    // named "points" in the folder remembered from earlier runs.
    ExportDialog(QWidget *parent, const QString &proposed);

    // Runs the dialog; what the user chose, remembered for the next time,
    // or nothing when the user cancels.
    static std::optional<ExportRequest> Ask(QWidget *parent, const QString &proposed);

    digitize::ExportFormat Format() const;
    digitize::CsvStyle Style() const;

  private:
    void AddOptionRows();
    void FormatChosen();
    void DecimalChosen();
    void Remember(const ExportRequest &request) const;

    QComboBox *decimal_ = nullptr;
    QComboBox *separator_ = nullptr;
    QList<QWidget *> options_; // the two boxes and their labels
    char shownDecimal_ = '.';  // the mark the separator was last matched to
};
