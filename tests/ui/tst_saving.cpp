// Saving the recorded points: Ctrl+S, the question on closing, and saves
// that fail, driven with real keys and dialogs.
#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>

#include <sys/resource.h>

class TestSaving : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;
    QString proposed; // the file the last file dialog offered

    // Answers each dialog the program opens while the action runs, in turn:
    // a question box with one of its buttons, a file dialog with a file name.
    struct Answer {
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        QString file;
    };
    QStringList Answering(const QList<Answer> &answers, const std::function<void()> &action) {
        QStringList asked; // each box's text, "file dialog" for a file dialog
        qsizetype next = 0;
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                asked << box->text();
                const auto button =
                    next < answers.size() ? answers[next++].button : QMessageBox::Ok;
                QTest::mouseClick(
                    box->button(button != QMessageBox::NoButton ? button : QMessageBox::Ok),
                    Qt::LeftButton);
            } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                asked << QStringLiteral("file dialog");
                proposed = files->selectedFiles().value(0);
                const QString name = next < answers.size() ? answers[next++].file : QString();
                if (name.isEmpty()) {
                    files->reject();
                } else {
                    // The file type chooses the format: a ".txt" file is the log's text.
                    if (name.endsWith(QStringLiteral(".txt")))
                        files->selectNameFilter(QStringLiteral("Log text (*.txt)"));
                    files->selectFile(name);
                    // As its Save button does, after this poll: accepting may
                    // ask whether to replace the file, which is answered too.
                    QTimer::singleShot(0, files,
                                       [files] { static_cast<QDialog *>(files)->accept(); });
                }
            }
        });
        poll.start();
        action();
        return asked;
    }
    static QByteArray Read(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    static void RecordAt(int x, int y) {
        FocusWindow(Form2);
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, {}, QPoint(x, y));
        QTest::keyClick(Form2, Qt::Key_Space);
    }
    // Closes the control window as the window manager does; true when it closed
    // (its closing ends the program, which closingTheControlWindowEndsTheProgram shows).
    static bool CloseControlWindow() {
        Form1->show();
        return Form1->close();
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { fixture = std::make_unique<WindowFixture>(); }
    void cleanup() { fixture.reset(); }

    void closingWithRecordedPointsAsksFirst() {
        // Without points it ends at once.
        QVERIFY(Answering({}, [] { QVERIFY(CloseControlWindow()); }).isEmpty());
        RecordAt(30, 40);
        RecordAt(31, 41);
        const QString saved = dir.filePath(QStringLiteral("points.txt"));
        QStringList asked =
            Answering({{QMessageBox::Cancel, {}}}, [] { QVERIFY(!CloseControlWindow()); });
        QCOMPARE(asked.size(), 1);
        QVERIFY(Form1->isVisible());
        // Save, but cancel the file dialog: still open.
        asked =
            Answering({{QMessageBox::Save, {}}, {{}, {}}}, [] { QVERIFY(!CloseControlWindow()); });
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked.at(1), QStringLiteral("file dialog"));
        // A file that cannot be written says why and stays open.
        const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/p.txt"));
        asked = Answering({{QMessageBox::Save, {}}, {{}, nowhere}},
                          [] { QVERIFY(!CloseControlWindow()); });
        QCOMPARE(asked.size(), 3);
        QVERIFY2(asked.at(2).startsWith(QStringLiteral("Cannot save ")) &&
                     asked.at(2).contains(QStringLiteral("no/such/folder/p.txt: ")),
                 qPrintable(asked.at(2)));
        // Saved: the lines exactly as logged, and the program ends.
        asked = Answering({{QMessageBox::Save, {}}, {{}, saved}},
                          [] { QVERIFY(CloseControlWindow()); });
        QCOMPARE(Read(saved), QByteArray("30.0 , 40.00\n31.0 , 41.00\n"));
        // Nothing new since the save: no question.
        QVERIFY(Answering({}, [] { QVERIFY(CloseControlWindow()); }).isEmpty());
        // Discarding ends it too.
        RecordAt(32, 42);
        asked = Answering({{QMessageBox::Discard, {}}}, [] { QVERIFY(CloseControlWindow()); });
        QCOMPARE(asked.size(), 1);
        QCOMPARE(Read(saved), QByteArray("30.0 , 40.00\n31.0 , 41.00\n"));
    }

    void ctrlSSavesTheRecordedLines() {
        RecordAt(5, 6);
        RecordAt(7, 8);
        const QString path = dir.filePath(QStringLiteral("ctrl-s.txt"));
        const QStringList asked = Answering({{{}, path}}, [] {
            FocusWindow(Form1);
            QTest::keyClick(Form1, Qt::Key_S, Qt::ControlModifier);
        });
        QCOMPARE(asked, QStringList({"file dialog"}));
        QCOMPARE(Read(path), QByteArray("5.0 ,  6.00\n7.0 ,  8.00\n"));
        // The next save offers the same file.
        const QStringList again = Answering({{}}, [] {
            FocusWindow(Form1);
            QTest::keyClick(Form1, Qt::Key_S, Qt::ControlModifier);
        });
        QCOMPARE(again, QStringList({"file dialog"}));
        QCOMPARE(proposed, path);
    }

    // The log only shows the recorded points: keys typed into it change
    // nothing that is saved, and a save with no points says so.
    void savesEveryRecordedPointWhateverIsTypedInTheLogAndNothingWhenThereIsNone() {
        const auto save = [] {
            FocusWindow(Form1);
            QTest::keyClick(Form1, Qt::Key_S, Qt::ControlModifier);
        };
        QCOMPARE(Answering({}, save), QStringList({"There are no recorded points to save."}));
        RecordAt(5, 6);
        RecordAt(7, 8);
        auto *memo = Control<QPlainTextEdit>(Form1, "Memo1");
        Settle(); // the log catches up once per turn of the event loop
        const QString shown = memo->toPlainText();
        QVERIFY(shown.endsWith(QStringLiteral("7.0 ,  8.00")));
        FocusWindow(Form1, memo);
        for (const auto key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_X})
            QTest::keyClick(memo, key);
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Delete);
        QCOMPARE(memo->toPlainText(), shown);
        const QString path = dir.filePath(QStringLiteral("typed.txt"));
        QCOMPARE(Answering({{{}, path}}, save), QStringList({"file dialog"}));
        QCOMPARE(Read(path), QByteArray("5.0 ,  6.00\n7.0 ,  8.00\n"));
        QVERIFY(Answering({}, [] { QVERIFY(CloseControlWindow()); }).isEmpty());
    }

    void aFailedSaveKeepsTheEarlierFileAndThePointsUnsaved() {
        RecordAt(30, 40);
        RecordAt(31, 41);
        const QString path = dir.filePath(QStringLiteral("full.txt"));
        const auto save = [] {
            FocusWindow(Form1);
            QTest::keyClick(Form1, Qt::Key_S, Qt::ControlModifier);
        };
        Answering({{{}, path}}, save);
        const QByteArray earlier = Read(path);
        QCOMPARE(earlier, QByteArray("30.0 , 40.00\n31.0 , 41.00\n"));
        RecordAt(32, 42);
        // Files may grow to 30 bytes, as on a disk that fills up: the new
        // file's 39 bytes fail at the final flush.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit full{30, saved.rlim_max};
        const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        const QStringList asked = Answering({{{}, path}, {QMessageBox::Yes, {}}}, save);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, ignored);
        QCOMPARE(asked.size(), 3); // the file dialog, replace the file?, the reason
        QCOMPARE(asked.last(), "Cannot save " + path + ": File too large.");
        QVERIFY2(Read(path) == earlier, "the earlier file changed");
        QCOMPARE(QDir(dir.path()).entryList({"full.txt*"}, QDir::Files), QStringList({"full.txt"}));
        // The points are still unsaved.
        QCOMPARE(
            Answering({{QMessageBox::Cancel, {}}}, [] { QVERIFY(!CloseControlWindow()); }).size(),
            1);
    }
};

QTEST_MAIN(TestSaving)
#include "tst_saving.moc"
