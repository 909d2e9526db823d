// The axis fields keep what the user typed and give the number meant: texts
// typed with keys into a field, the field left with Tab, then the value used
// by the readout; a text that says no one number stays as typed, is marked
// with the reason, and stops whatever needs its value with the error box.
#include "UiTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cmath>

class TestFieldTexts : public QObject {
    Q_OBJECT

  private:
    QLineEdit *Edit(const char *name) { return Control<QLineEdit>(Form1, name); }
    QColor Background(QLineEdit *edit) { return edit->palette().color(QPalette::Base); }
    // The readout's Y at the mouse over pixel (25, 50): half the Y Max value
    // with the start calibration (Y 0 at row 0, Y Max at row 100).
    double ReadoutY() {
        // A move to where the mouse already is moves nothing.
        MoveMouse(Control<QWidget>(Form2, "Image1"), QPoint(1, 1));
        MoveMouse(Control<QWidget>(Form2, "Image1"), QPoint(25, 50));
        return Control<QLabel>(Form1, "Label3")
            ->text()
            .section(QStringLiteral(" , "), 1)
            .toDouble();
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void aFieldKeepsItsTextAndGivesTheNumberMeant_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value"); // NaN: says no one number
        QTest::addColumn<QString>("reason");
        const double none = std::nan("");
        QTest::newRow("decimal comma") << "1,5" << 1.5 << QString();
        QTest::newRow("decimal comma, small") << "0,001" << 0.001 << QString();
        QTest::newRow("exponent") << "1e3" << 1000.0 << QString();
        QTest::newRow("negative exponent") << "2.5E-4" << 2.5e-4 << QString();
        QTest::newRow("unit word") << "1950 yrs" << 1950.0 << QString();
        QTest::newRow("sign and blanks") << "  -12.5 " << -12.5 << QString();
        QTest::newRow("twenty digits")
            << "12345678901234567890" << 1.2345678901234567e19 << QString();
        QTest::newRow("thousands and a point") << "1,234.5" << 1234.5 << QString();
        QTest::newRow("thousands or a decimal comma")
            << "1,950" << none << "'1,950' could be 1950 or 1.950";
        QTest::newRow("three points") << "5.5.5" << none << "'5.5.5' is not one number";
        QTest::newRow("two numbers") << "1 2" << none << "'1 2' is not one number";
        QTest::newRow("no number") << "abc" << none << "'abc' holds no number";
    }

    void aFieldKeepsItsTextAndGivesTheNumberMeant() {
        QFETCH(QString, typed);
        QFETCH(double, value);
        QFETCH(QString, reason);
        WindowFixture fixture;
        TypeField("Edit4", typed);
        QCOMPARE(Edit("Edit4")->text(), typed);
        if (!std::isnan(value)) {
            QCOMPARE(Background(Edit("Edit4")), QColor(0xFF, 0xFF, 0xCC));
            const double y = ReadoutY();
            QVERIFY2(std::fabs(y - value / 2) <= std::fabs(value) * 1e-6,
                     qPrintable(QString::number(y, 'g', 17)));
            return;
        }
        QCOMPARE(Background(Edit("Edit4")), QColor(0xFF, 0x99, 0x99));
        QCOMPARE(Edit("Edit4")->toolTip(), reason);
        QCOMPARE(Edit("Edit4")->accessibleDescription(), QStringLiteral("Not a number: ") + reason);
        QCOMPARE(Control<QLabel>(Form2, "Label2")->text(), reason);
        const ErrorBoxSeen seen = CatchErrorBox([&] { ReadoutY(); });
        QCOMPARE(seen.text, QStringLiteral("'%1' is not a valid floating point value.").arg(typed));
    }

    void aPointOrACommaReadsOnEverySystem() {
        WindowFixture fixture;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QEvent change(QEvent::LocaleChange);
        QApplication::sendEvent(Form1, &change);
        TypeField("Edit4", QStringLiteral("12.5"));
        QCOMPARE(ReadoutY(), 6.25);
        TypeField("Edit4", QStringLiteral("12,5"));
        QCOMPARE(ReadoutY(), 6.25);
        QLocale::setDefault(QLocale::c());
        QApplication::sendEvent(Form1, &change);
    }

    void anAxisWhoseTwoValuesAreTheSameIsRefusedWhenUsed() {
        WindowFixture fixture;
        TypeField("Edit1", QStringLiteral("5"));
        TypeField("Edit2", QStringLiteral("5.0"));
        const ErrorBoxSeen seen = CatchErrorBox([&] { ReadoutY(); });
        QCOMPARE(
            seen.text,
            QStringLiteral("X Zero and X Max are both 5: an axis needs two different values."));
        TypeField("Edit2", QStringLiteral("6"));
        TypeField("Edit3", QStringLiteral("100"));
        QCOMPARE(CatchErrorBox([&] { ReadoutY(); }).text,
                 QStringLiteral("Y Zero and Y Max are both 100: an axis needs two different "
                                "values."));
    }
};

QTEST_MAIN(TestFieldTexts)
#include "tst_fieldtexts.moc"
