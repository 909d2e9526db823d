#include <QTest>

class TestBitmapFile : public QObject {
    Q_OBJECT
};

QTEST_MAIN(TestBitmapFile)
#include "tst_bitmapfile.moc"
