// Saving a file whole or not at all, against a real file-size limit in a
// child process: the write that fails may be the first or the final flush;
// and against a disk that cannot sync (fsync failing through a seccomp
// filter in the child).
#include "SafeSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Outcome {
    bool saved = false;
    QString message;
};

// From here on every fsync of this process fails with EIO, as on a failing disk.
bool FailEverySync() {
    sock_filter code[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_fsync, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(code)), code};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// Saves in a forked child whose files may grow to at most limit bytes, with
// SIGXFSZ ignored so that an oversized write fails with EFBIG as on a full
// disk, and whose fsync fails when asked.
Outcome SaveLimited(const QString &path, const QByteArray &bytes, rlim_t limit,
                    bool failSync = false) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        qFatal("no pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const rlimit size{limit, limit};
        setrlimit(RLIMIT_FSIZE, &size);
        std::signal(SIGXFSZ, SIG_IGN);
        if (failSync && !FailEverySync())
            _exit(3);
        const QByteArray why = WriteFileSafely(path, bytes).toUtf8();
        if (why.isEmpty())
            _exit(0);
        _exit(write(pipeEnds[1], why.constData(), static_cast<std::size_t>(why.size())) > 0 ? 1
                                                                                            : 2);
    }
    close(pipeEnds[1]);
    QByteArray message;
    char buffer[512];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, got);
    close(pipeEnds[0]);
    int status = -1;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, QString::fromUtf8(message)};
}

QByteArray Read(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestSafeSave : public QObject {
    Q_OBJECT

  private slots:
    void keepsTheEarlierFileUnlessTheNewOneIsWholeOnDisk_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("failSync");
        QTest::addColumn<QString>("reason"); // empty: saved
        QTest::newRow("within the limit") << 10000 << 20000 << false << QString();
        QTest::newRow("exactly the limit") << 10000 << 10000 << false << QString();
        // Below Qt's 16 KiB write buffer the write succeeds and the flush fails.
        QTest::newRow("over the limit at the flush") << 10000 << 4096 << false << "File too large";
        QTest::newRow("over the limit while writing")
            << 100000 << 4096 << false << "File too large";
        QTest::newRow("one byte over") << 4097 << 4096 << false << "File too large";
        QTest::newRow("a disk that cannot sync") << 100 << 4096 << true << "Input/output error";
    }

    void keepsTheEarlierFileUnlessTheNewOneIsWholeOnDisk() {
        QFETCH(int, size);
        QFETCH(int, limit);
        QFETCH(bool, failSync);
        QFETCH(QString, reason);
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("points.txt"));
        const QByteArray earlier("1.0 , 2.00\n3.0 , 4.00\n");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
        }
        QByteArray bytes(size, 'x');
        bytes[size - 1] = '\n';
        const Outcome outcome = SaveLimited(path, bytes, static_cast<rlim_t>(limit), failSync);
        if (reason.isEmpty()) {
            QVERIFY2(outcome.saved, qPrintable(outcome.message));
            QVERIFY(Read(path) == bytes);
        } else {
            QVERIFY2(!outcome.saved, "a save cut short was reported as done");
            QCOMPARE(outcome.message, reason);
            QVERIFY2(Read(path) == earlier, "the earlier file changed");
        }
        // No temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"points.txt"}));
    }

    // This save's own reason, not that of a call that failed before it.
    void namesTheReasonAFileCannotBeMade() {
        const QTemporaryDir dir;
        const struct {
            QString path;
            QString reason;
        } rows[] = {
            {dir.filePath(QStringLiteral("no/such/folder/p.txt")), "No such file or directory"},
            {dir.path(), "Filename refers to a directory"},
        };
        for (const auto &row : rows) {
            errno = EACCES;
            QCOMPARE(WriteFileSafely(row.path, "1 , 2\n"), row.reason);
        }
    }
};

QTEST_GUILESS_MAIN(TestSafeSave)
#include "tst_safesave.moc"
