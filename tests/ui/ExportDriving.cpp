#include "ExportDriving.h"

#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

void PickWithKeys(QComboBox *box, const QString &text) {
    const int target = box->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    box->setFocus(Qt::TabFocusReason);
    for (int guard = 0; box->currentIndex() != target && guard < 10; ++guard)
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

QString Spoken(QWidget *w) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface != nullptr ? iface->text(QAccessible::Name).trimmed() : QString();
}

void Operate(QFileDialog *files, const Answer &answer, Shown &shown) {
    auto *name = Control<QLineEdit>(files, "fileNameEdit");
    auto *types = Control<QComboBox>(files, "fileTypeCombo");
    auto *decimal = Control<QComboBox>(files, "DecimalMark");
    auto *separator = Control<QComboBox>(files, "FieldSeparator");
    shown.dialog = true;
    shown.over = files->parentWidget();
    shown.folder = files->directory().absolutePath();
    shown.file = name->text();
    shown.filter = files->selectedNameFilter();
    shown.decimal = decimal->currentText();
    shown.separator = separator->currentText();
    for (QWidget *w : files->findChildren<QWidget *>())
        if (w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(files) && Spoken(w).isEmpty())
            shown.unnamed << w->objectName() + QLatin1Char(' ') + w->metaObject()->className();
    if (answer.file.isEmpty()) {
        QTest::keyClick(name, Qt::Key_Escape);
        return;
    }
    if (!answer.folder.isEmpty())
        files->setDirectory(answer.folder); // as a user goes there with the mouse
    if (!answer.filter.isEmpty())
        PickWithKeys(types, answer.filter);
    shown.fileAfterPicks = name->text();
    shown.optionsEnabled = decimal->isEnabled() && separator->isEnabled();
    if (!answer.decimal.isEmpty())
        PickWithKeys(decimal, answer.decimal);
    if (!answer.separator.isEmpty())
        PickWithKeys(separator, answer.separator);
    name->setFocus(Qt::TabFocusReason);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, answer.file);
    QTest::keyClick(name, Qt::Key_Return);
}

} // namespace

Shown SaveWith(QWidget *window, const Answer &answer) {
    Shown shown;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            shown.message = box->text();
            box->button(QMessageBox::Ok)->click();
        } else if (auto *files = qobject_cast<QFileDialog *>(modal); files && !shown.dialog) {
            Operate(files, answer, shown);
        }
    });
    poll.start();
    FocusWindow(window);
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    return shown;
}

QStringList CloseAnswering(QMessageBox::StandardButton button, bool *closed) {
    QStringList asked;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked << box->text();
            box->button(button)->click();
        }
    });
    poll.start();
    Form1->show();
    *closed = Form1->close();
    FocusWindow(Form1);
    return asked;
}

QList<QStringList> ReadCsv(const QString &path, QChar separator) {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        qFatal("python3 is needed to read the CSV files back");
    QProcess reader;
    reader.start(python, {QStringLiteral("-c"),
                          QStringLiteral("import csv, json, sys\n"
                                         "with open(sys.argv[1], newline='', encoding='utf-8') "
                                         "as f:\n"
                                         "    print(json.dumps(list(csv.reader(f, "
                                         "delimiter=sys.argv[2], strict=True))))\n"),
                          path, QString(separator)});
    if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
        qWarning("csv reader: %s", reader.readAllStandardError().constData());
    QList<QStringList> rows;
    for (const QJsonValue row : QJsonDocument::fromJson(reader.readAllStandardOutput()).array())
        rows << row.toVariant().toStringList();
    return rows;
}

QByteArray Read(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
