#include "ExportDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QSettings>

#include <array>

using digitize::ExportFormat;

namespace {

// Settings keys; the Ctrl+O dialog keeps its own folder.
const QString FolderKey = QStringLiteral("export/folder");
const QString FormatKey = QStringLiteral("export/format");
const QString DecimalKey = QStringLiteral("export/decimal");
const QString SeparatorKey = QStringLiteral("export/separator");

struct FormatRow {
    ExportFormat format;
    const char *filter;
    const char *suffix;
    const char *setting;
};
constexpr std::array<FormatRow, 3> Formats = {{
    {ExportFormat::CsvLong, "CSV, one row a point (*.csv)", "csv", "csv-long"},
    {ExportFormat::CsvWide, "CSV, one column pair a series (*.csv)", "csv", "csv-wide"},
    {ExportFormat::LogText, "Log text (*.txt)", "txt", "log-text"},
}};

const FormatRow &Row(ExportFormat format) {
    for (const FormatRow &row : Formats)
        if (row.format == format)
            return row;
    return Formats[0];
}

// A choice of a combo box: the character written, its name in the
// settings, its text in the box.
struct Choice {
    char mark;
    const char *setting;
    const char *text;
};
constexpr std::array<Choice, 2> Decimals = {
    {{'.', "point", "Point (3.14)"}, {',', "comma", "Comma (3,14)"}}};
constexpr std::array<Choice, 3> Separators = {
    {{',', "comma", "Comma (,)"}, {';', "semicolon", "Semicolon (;)"}, {'\t', "tab", "Tab"}}};

template <std::size_t N>
char Stored(const QSettings &settings, const QString &key, const std::array<Choice, N> &choices,
            char fallback) {
    const QString stored = settings.value(key).toString();
    for (const Choice &c : choices)
        if (stored == QLatin1String(c.setting))
            return c.mark;
    return fallback;
}

// Stores a choice only where it differs from what the regional settings
// give, so that the default keeps following them.
template <std::size_t N>
void Store(QSettings &settings, const QString &key, const std::array<Choice, N> &choices,
           char chosen, char regional) {
    if (chosen == regional) {
        settings.remove(key);
        return;
    }
    for (const Choice &c : choices)
        if (c.mark == chosen)
            settings.setValue(key, QLatin1String(c.setting));
}

char RegionalDecimal() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

template <std::size_t N>
QComboBox *ChoiceBox(QWidget *parent, const std::array<Choice, N> &choices, const char *name,
                     const QString &accessibleName) {
    auto *box = new QComboBox(parent); // the dialog owns it
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    for (const Choice &c : choices)
        box->addItem(QLatin1String(c.text), static_cast<int>(c.mark));
    return box;
}

char Chosen(const QComboBox *box) {
    return static_cast<char>(box->currentData().toInt());
}

void Choose(QComboBox *box, char mark) {
    box->setCurrentIndex(box->findData(static_cast<int>(mark)));
}

// The file proposed: with the format's suffix in place of the other
// format's, or added when it has none; any other suffix is the user's.
QString WithSuffix(const QString &path, const QString &suffix) {
    const QFileInfo file(path);
    const QString old = file.suffix().toLower();
    if (old.isEmpty())
        return path + QLatin1Char('.') + suffix;
    if (old != QLatin1String("csv") && old != QLatin1String("txt"))
        return path;
    return path.left(path.size() - old.size()) + suffix;
}

} // namespace

ExportDialog::ExportDialog(QWidget *parent, const QString &proposed)
    : QFileDialog(parent, QStringLiteral("Save Recorded Points")) {
    setObjectName(QStringLiteral("ExportDialog"));
    setAccessibleName(windowTitle());
    // The platform's own dialog cannot take the two rows of options.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const FormatRow &row : Formats)
        filters << QLatin1String(row.filter);
    setNameFilters(filters);
    AddOptionRows();

    const QSettings settings;
    ExportFormat format = ExportFormat::CsvLong;
    const QString storedFormat = settings.value(FormatKey).toString();
    for (const FormatRow &row : Formats)
        if (storedFormat == QLatin1String(row.setting))
            format = row.format;
    selectNameFilter(QLatin1String(Row(format).filter));
    const char decimal = Stored(settings, DecimalKey, Decimals, RegionalDecimal());
    Choose(decimal_, decimal);
    Choose(separator_, Stored(settings, SeparatorKey, Separators, digitize::SeparatorFor(decimal)));
    shownDecimal_ = decimal;

    QString start = proposed;
    if (start.isEmpty()) {
        QString folder = settings.value(FolderKey).toString();
        if (folder.isEmpty() || !QDir(folder).exists())
            folder = QDir::homePath();
        start = QDir(folder).filePath(QStringLiteral("points"));
    }
    const QFileInfo file(WithSuffix(start, QLatin1String(Row(format).suffix)));
    setDirectory(file.absolutePath());
    selectFile(file.fileName());
    FormatChosen();
    // The toolkit's default leaves the file list's columns cut; room for
    // them, within the screen.
    const QSize roomy(780, 520);
    resize(screen() != nullptr ? roomy.boundedTo(screen()->availableSize()) : roomy);

    connect(this, &QFileDialog::filterSelected, this, &ExportDialog::FormatChosen);
    connect(decimal_, &QComboBox::activated, this, &ExportDialog::DecimalChosen);
}

void ExportDialog::AddOptionRows() {
    decimal_ = ChoiceBox(this, Decimals, "DecimalMark", QStringLiteral("Decimal mark"));
    decimal_->setToolTip(QStringLiteral("The decimal mark of the numbers in a CSV file"));
    separator_ = ChoiceBox(this, Separators, "FieldSeparator", QStringLiteral("Field separator"));
    separator_->setToolTip(QStringLiteral("What stands between the fields of a CSV file"));
    options_ = {decimal_, separator_};
    auto *grid = qobject_cast<QGridLayout *>(layout());
    if (grid == nullptr) { // never with the toolkit's own dialog
        decimal_->hide();
        separator_->hide();
        return;
    }
    // Below the file types, in the columns of their label and box.
    int row = grid->rowCount();
    for (const auto &[text, box] : {std::pair{QStringLiteral("&Decimal mark:"), decimal_},
                                    std::pair{QStringLiteral("Field se&parator:"), separator_}}) {
        auto *label = new QLabel(text, this); // the dialog owns it
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        options_.push_back(label);
        ++row;
    }
}

ExportFormat ExportDialog::Format() const {
    const QString filter = selectedNameFilter();
    for (const FormatRow &row : Formats)
        if (filter == QLatin1String(row.filter))
            return row.format;
    return ExportFormat::CsvLong;
}

digitize::CsvStyle ExportDialog::Style() const {
    return {Chosen(decimal_), Chosen(separator_)};
}

void ExportDialog::FormatChosen() {
    // The dialog itself swaps the suffix of a typed name for the new type's;
    // a name typed without one gets it.
    setDefaultSuffix(QLatin1String(Row(Format()).suffix));
    const bool csv = Format() != ExportFormat::LogText;
    for (QWidget *option : options_)
        option->setEnabled(csv);
}

void ExportDialog::DecimalChosen() {
    const char decimal = Chosen(decimal_);
    // The separator that went with the old mark, or that the new mark would
    // need quotes beside, follows the mark.
    const char separator = Chosen(separator_);
    if (separator == digitize::SeparatorFor(shownDecimal_) || separator == decimal)
        Choose(separator_, digitize::SeparatorFor(decimal));
    shownDecimal_ = decimal;
}

void ExportDialog::Remember(const ExportRequest &request) const {
    QSettings settings;
    settings.setValue(FolderKey, QFileInfo(request.Path).absolutePath());
    settings.setValue(FormatKey, QLatin1String(Row(request.Format).setting));
    Store(settings, DecimalKey, Decimals, request.Style.DecimalMark, RegionalDecimal());
    Store(settings, SeparatorKey, Separators, request.Style.Separator,
          digitize::SeparatorFor(request.Style.DecimalMark));
}

std::optional<ExportRequest> ExportDialog::Ask(QWidget *parent, const QString &proposed) {
    ExportDialog dialog(parent, proposed);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty() || QFileInfo(path).isDir())
        return std::nullopt;
    ExportRequest request{path, dialog.Format(), dialog.Style()};
    dialog.Remember(request);
    return request;
}
