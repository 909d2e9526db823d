// Driving the advanced cursor window with real clicks and keys: its
// controls, a calibration of years along X, and a picture of black bands to
// step along and search.
#pragma once

#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

class CursorDriving {
  protected:
    std::unique_ptr<WindowFixture> fixture;
    QTemporaryDir dir;

    QCheckBox *Box(const char *name) { return Control<QCheckBox>(Form4, name); }
    QPushButton *Button(const char *name) { return Control<QPushButton>(Form4, name); }
    QLineEdit *Steps() { return Control<QLineEdit>(Form4, "MaskEdit1"); }
    QLineEdit *Tolerance() { return Control<QLineEdit>(Form4, "Edit1"); }
    QString Readout() { return Control<QLabel>(Form1, "Label3")->text(); }
    QString StepsLabel() { return Control<QLabel>(Form4, "Label2")->text(); }
    QStringList Recorded() { return Lines(Control<QPlainTextEdit>(Form1, "Memo1")).mid(10); }

    void Tick(QCheckBox *box) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Form2, key, mods);
    }
    void Click(int x, int y) {
        QTest::mouseClick(Control<QWidget>(Form2, "Image1"), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, y));
    }
    void SetField(const char *name, const char *text) {
        Control<QLineEdit>(Form1, name)->setText(QString::fromLatin1(text));
    }
    void TypeSteps(const char *digits) {
        FocusWindow(Form4, Steps());
        Steps()->setCursorPosition(0);
        QTest::keyClicks(Steps(), QString::fromLatin1(digits));
    }
    // X years 1950..1980 at pixels 100..400, Y 0..10 at rows 500..100.
    void Calibrate() {
        SetField("Edit1", "1950");
        SetField("Edit2", "1980");
        SetField("Edit3", "0");
        SetField("Edit4", "10");
        FocusWindow(Form2);
        Click(400, 100);
        QTest::keyClick(Form2, 'a');
        Click(100, 500);
        QTest::keyClick(Form2, 'z');
    }
    // The curve: a black band on rows 299..301, its colour sampled at (150, 300);
    // right of column 500 a second one on rows 649..651, near the picture's foot.
    void FollowTheBand() {
        Click(150, 300);
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);
        Tick(Box("CheckBox1"));
        Tick(Box("CheckBox4"));
        QVERIFY(FindYOn && Button("Button2")->isEnabled());
        FocusWindow(Form2);
    }

    // The pictures the tests load, written once.
    void MakePictures() {
        QLocale::setDefault(QLocale::c());
        QImage band = BandImage(600, 700);
        for (int y = 649; y <= 651; ++y)
            for (int x = 500; x < 600; ++x)
                band.setPixel(x, y, qRgb(0, 0, 0));
        QVERIFY(band.save(dir.filePath("band.bmp")));
        // A band on rows 199..201 that ends at column 134.
        QImage edge(300, 300, QImage::Format_RGB32);
        edge.fill(Qt::white);
        for (int y = 199; y <= 201; ++y)
            for (int x = 0; x <= 134; ++x)
                edge.setPixel(x, y, qRgb(0, 0, 0));
        QVERIFY(edge.save(dir.filePath("edge.bmp")));
    }
    void Start() {
        fixture = std::make_unique<WindowFixture>();
        Form2->LoadImage(dir.filePath("band.bmp"));
        Form4->show();
    }
};
