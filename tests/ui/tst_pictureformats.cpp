// The picture formats beyond the decoders of the core: GIF and WebP through
// Qt's image plugins, SVG drawings and PDF pages rendered at a chosen size,
// each by drop, paste and the command line, damaged ones refused with the
// picture left as it was; and the page chooser.
#include "ErrorBox.h"
#include "PageChooser.h"
#include "PdfPages.h"
#include "PictureFile.h"
#include "SvgDrawing.h"
#include "TestPattern.h"
#include "UiTestSupport.h"
#include "digitize/Errors.h"
#include "digitize/picture/RenderSize.h"

#include <QClipboard>
#include <QFile>
#include <QImageWriter>
#include <QLabel>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSpinBox>
#include <QTemporaryDir>

#include <zlib.h>

namespace {

// The colour a rendered picture shows at a point, as 0x00BBGGRR.
digitize::Colour At(const QImage &image, int x, int y) {
    const QRgb c = image.pixel(x, y);
    return testpattern::Rgb(static_cast<unsigned>(qRed(c)), static_cast<unsigned>(qGreen(c)),
                            static_cast<unsigned>(qBlue(c)));
}

constexpr digitize::Colour Red = testpattern::Rgb(255, 0, 0);
constexpr digitize::Colour Blue = testpattern::Rgb(0, 0, 255);
constexpr digitize::Colour Green = testpattern::Rgb(0, 255, 0);
constexpr digitize::Colour White = testpattern::Rgb(255, 255, 255);

// A drawing 400 x 200 units: its left half red, its right half blue, on a
// transparent page.
const char *const TwoHalvesSvg =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="400" height="200" viewBox="0 0 400 200">)"
    R"(<rect x="0" y="0" width="200" height="200" fill="#ff0000"/>)"
    R"(<rect x="200" y="50" width="200" height="150" fill="#0000ff"/></svg>)";

// A two-page document whose first page is drawn smaller than asked at any
// resolution and whose second cannot be drawn.
class Shrinking : public DrawnPicture {
  public:
    int Pages() const override { return 2; }
    bool PerInch() const override { return true; }
    int DefaultResolution() const override { return 300; }
    Rendering Render(int page, int resolution) const override {
        if (page != 1)
            throw digitize::Error("The document has no page 2");
        return {digitize::Surface::Blank(4, 4), LoweredNote(81.9, resolution, true)};
    }
};

} // namespace

class TestPictureFormats : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowFixture> fixture;
    std::unique_ptr<QTemporaryDir> dir;

    QString Write(const QString &name, const QByteArray &bytes) {
        const QString path = dir->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QByteArray Fixture(const char *name) {
        QFile file(QStringLiteral(TEST_DATA_DIR "/") + QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("no fixture %s", name);
        return file.readAll();
    }

    QString Gzipped(const QString &name, const QByteArray &bytes) {
        const QString path = dir->filePath(name);
        gzFile out = gzopen(QFile::encodeName(path).constData(), "wb");
        if (out == nullptr ||
            gzwrite(out, bytes.constData(), static_cast<unsigned>(bytes.size())) != bytes.size() ||
            gzclose(out) != Z_OK)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // A PDF of 4 x 3 inch pages: page 1 red on its left half and blue on
    // its right, page 2 green, page 3 white.
    QString Pdf(const QString &name, QSizeF points = QSizeF(288, 216)) {
        const QString path = dir->filePath(name);
        QPdfWriter writer(path);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(points, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        const QRectF page(QPointF(0, 0), points);
        painter.fillRect(QRectF(0, 0, page.width() / 2, page.height()), Qt::red);
        painter.fillRect(QRectF(page.width() / 2, 0, page.width() / 2, page.height()), Qt::blue);
        writer.newPage();
        painter.fillRect(page, Qt::green);
        writer.newPage();
        painter.end();
        return path;
    }

    // A PDF whose standard security handler wants a password none knows.
    QString LockedPdf(const QString &name) {
        QByteArray pdf("%PDF-1.4\n");
        QList<qsizetype> offsets;
        const auto object = [&](const QByteArray &body) {
            offsets << pdf.size();
            pdf += QByteArray::number(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
        };
        const QByteArray key32(32, '\x5a');
        object("<< /Type /Catalog /Pages 2 0 R >>");
        object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
        object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] >>");
        object("<< /Filter /Standard /V 1 /R 2 /O <" + key32.toHex() + "> /U <" +
               QByteArray(32, '\x33').toHex() + "> /P -4 >>");
        const qsizetype xref = pdf.size();
        pdf += "xref\n0 " + QByteArray::number(offsets.size() + 1) + "\n0000000000 65535 f \n";
        for (const qsizetype at : offsets)
            pdf += QByteArray::number(at).rightJustified(10, '0') + " 00000 n \n";
        pdf += "trailer\n<< /Size " + QByteArray::number(offsets.size() + 1) +
               " /Root 1 0 R /Encrypt 4 0 R /ID [<" + QByteArray(16, '\x11').toHex() + "> <" +
               QByteArray(16, '\x11').toHex() + ">] >>\nstartxref\n" + QByteArray::number(xref) +
               "\n%%EOF\n";
        return Write(name, pdf);
    }

    QString WebP(const QString &name, const QImage &image) {
        const QString path = dir->filePath(name);
        QImageWriter writer(path, "webp");
        writer.setQuality(100); // lossless
        if (!writer.write(image))
            qFatal("cannot write %s: %s", qPrintable(path), qPrintable(writer.errorString()));
        return path;
    }

    void Load(const QString &route, const QString &path) {
        if (route == QLatin1String("drop")) {
            Form2->wmDropFiles({QUrl::fromLocalFile(path)});
        } else if (route == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(path);
            Form2->PasteImage();
        } else {
            fixture->Windows().OpenAtStart(path);
            QTRY_COMPARE(PathShown(), path);
        }
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() {
        fixture = std::make_unique<WindowFixture>();
        dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        fixture.reset();
        dir.reset();
    }

    void eachFormatLoadsByDropPasteAndCommandLine_data() {
        QTest::addColumn<QString>("route");
        for (const char *route : {"drop", "paste", "command line"})
            QTest::newRow(route) << route;
    }
    void eachFormatLoadsByDropPasteAndCommandLine() {
        QFETCH(QString, route);
        struct Case {
            QString what;
            QString path;
            QSize size;
            QList<std::pair<QPoint, digitize::Colour>> colours;
        };
        QList<std::pair<QPoint, digitize::Colour>> pattern;
        for (int y = 0; y < testpattern::Height; ++y)
            for (int x = 0; x < testpattern::Width; ++x)
                pattern.append({QPoint(x, y), testpattern::Colour(testpattern::Rows[y][x])});
        const QImage wide = PatternImage(64, 48);
        QImage halfClear(64, 48, QImage::Format_ARGB32);
        halfClear.fill(Qt::transparent);
        QPainter(&halfClear).fillRect(0, 0, 32, 48, Qt::red);
        const QList<std::pair<QPoint, digitize::Colour>> halves = {
            {{10, 10}, Red},
            {{990, 990}, Red},
            {{1010, 400}, Blue},
            {{1990, 990}, Blue},
            {{1500, 100}, White}}; // transparent: the white page
        const QList<std::pair<QPoint, digitize::Colour>> page1 = {
            {{5, 5}, Red}, {{590, 890}, Red}, {{610, 5}, Blue}, {{1195, 895}, Blue}};
        const Case cases[] = {
            {"GIF", Write("pattern.gif", Fixture("pattern.gif")), {8, 4}, pattern},
            {"GIF animation, first frame",
             Write("animated.GIF", Fixture("pattern-animated.gif")),
             {8, 4},
             pattern},
            {"WebP with transparency, over white",
             WebP("see-through.webp", halfClear),
             {64, 48},
             {{{5, 5}, Red}, {{60, 40}, White}}},
            {"WebP",
             WebP("chart.webp", wide),
             {64, 48},
             {{{0, 0}, At(wide, 0, 0)},
              {{63, 47}, At(wide, 63, 47)},
              {{17, 29}, At(wide, 17, 29)}}},
            {"SVG at 2000 pixels", Write("halves.svg", TwoHalvesSvg), {2000, 1000}, halves},
            {"compressed SVG", Gzipped("halves.svgz", TwoHalvesSvg), {2000, 1000}, halves},
            {"PDF page 1 at 300 dpi", Pdf("chart.pdf"), {1200, 900}, page1},
        };
        for (const Case &c : cases) {
            Load(route, c.path);
            QCOMPARE(PathShown(), c.path);
            const QImage picture = PictureNow();
            QVERIFY2(picture.size() == c.size, qPrintable(c.what));
            for (const auto &[at, colour] : c.colours)
                QVERIFY2(At(picture, at.x(), at.y()) == colour,
                         qPrintable(QStringLiteral("%1 at (%2, %3): %4")
                                        .arg(c.what)
                                        .arg(at.x())
                                        .arg(at.y())
                                        .arg(At(picture, at.x(), at.y()), 6, 16)));
        }
    }

    void damagedFilesAreRefusedAndThePictureStays() {
        const QByteArray gif = Fixture("pattern.gif");
        const QString pdf = Pdf("good.pdf");
        QFile good(pdf);
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray pdfBytes = good.readAll();
        struct Case {
            QString what;
            QString path;
            QString message; // the start of the error box's text
        };
        const QString svgCut = Write("cut.svg", QByteArray(TwoHalvesSvg).left(120));
        const QString locked = LockedPdf("locked.pdf");
        const QString gifCut = Write("cut.gif", gif.left(gif.size() - 5));
        const QString webp =
            Write("bad.webp", "RIFF\x20\0\0\0WEBPVP8 \x14\0\0\0not a picture at all");
        const QString pdfCut = Write("cut.pdf", pdfBytes.left(40));
        const QString pdfText = Write("text.pdf", "just some words");
        const QString svgText = Write("words.svg", "just some words");
        const Case cases[] = {
            {"GIF cut short", gifCut,
             "Cannot read " + gifCut + ": the GIF file ends inside its first image."},
            {"WebP with bad data", webp, "Cannot read " + webp + ": "},
            {"SVG cut short", svgCut, "Cannot read " + svgCut + ": SVG drawing is not valid."},
            {"SVG that is text", svgText, "Cannot read " + svgText + ": SVG drawing is not valid."},
            {"PDF cut short", pdfCut, "Cannot read " + pdfCut + ": "},
            {"PDF that is text", pdfText, "Cannot read " + pdfText + ": "},
            {"PDF locked by a password", locked, locked + " is protected by a password."},
        };
        Form2->LoadImage(pdf);
        const QImage before = PictureNow();
        for (const Case &c : cases) {
            const ErrorBoxSeen seen =
                CatchErrorBox([&] { Guard([&] { Form2->LoadImage(c.path); }); });
            QVERIFY2(seen.shown && seen.critical, qPrintable(c.what));
            QVERIFY2(seen.text.startsWith(c.message),
                     qPrintable(c.what + QStringLiteral(": ") + seen.text));
            QVERIFY2(seen.text.size() > c.message.size() || c.message.endsWith(QLatin1Char('.')),
                     qPrintable(c.what + QStringLiteral(" gives no reason: ") + seen.text));
            QVERIFY2(PictureNow() == before, qPrintable(c.what));
            QCOMPARE(PathShown(), pdf);
        }
    }

    void theOpenDialogsFiltersNameEveryKindRead() {
        const QStringList filters = PictureFileFilters();
        QCOMPARE(filters.size(), 10);
        QVERIFY(filters.first().startsWith(QStringLiteral("Pictures (*.jpg *.JPG *.jpeg")));
        for (const char *pattern : {"*.gif", "*.webp", "*.svg", "*.svgz", "*.PDF", "*.tiff"})
            QVERIFY2(filters.first().contains(QLatin1String(pattern)), pattern);
        QCOMPARE(filters.at(8), QStringLiteral("PDF (*.pdf *.PDF)"));
        QCOMPARE(filters.last(), QStringLiteral("All files (*)"));
    }

    void thePageChooserRendersTheChosenPageAndResolution() {
        PageChooser chooser;
        QList<QImage> received;
        chooser.SetReceiver([&](digitize::Surface picture) {
            received << QImage(reinterpret_cast<const uchar *>(picture.Bits()), picture.Width(),
                               picture.Height(), picture.Width() * 4, QImage::Format_RGB32)
                            .copy();
        });
        auto *page = Control<QSpinBox>(&chooser, "SpinEdit1");
        auto *resolution = Control<QSpinBox>(&chooser, "SpinEdit2");
        chooser.Offer(std::make_unique<PdfPages>(Pdf("three.pdf")));
        QVERIFY(chooser.isVisible());
        QCOMPARE(page->value(), 1);
        QCOMPARE(page->maximum(), 3);
        QCOMPARE(Control<QLabel>(&chooser, "Label6")->text(), QStringLiteral("of 3"));
        QCOMPARE(resolution->value(), 300);
        QCOMPARE(resolution->minimum(), 72);
        QCOMPARE(resolution->maximum(), 1200);
        QVERIFY(received.isEmpty()); // the first page is already shown

        FocusWindow(&chooser, page);
        QTest::keyClick(page, Qt::Key_Up);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.last().size(), QSize(1200, 900));
        QCOMPARE(At(received.last(), 600, 450), Green);

        // 1200 dpi: 4800 x 3600 pixels, drawn in two strips.
        resolution->setValue(1200);
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.last().size(), QSize(4800, 3600));
        for (const int y : {0, 1800, 3495, 3496, 3599})
            QVERIFY2(At(received.last(), 10, y) == Green && At(received.last(), 4790, y) == Green,
                     qPrintable(QString::number(y)));
        received.removeLast();

        resolution->selectAll();
        QTest::keyClicks(resolution, QStringLiteral("150"));
        QCOMPARE(received.size(), 1); // nothing while typing
        QTest::keyClick(resolution, Qt::Key_Return);
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.last().size(), QSize(600, 450));
        QCOMPARE(At(received.last(), 300, 225), Green);

        // A rendering smaller than asked says so; one that fails keeps the choice.
        chooser.Offer(std::make_unique<Shrinking>());
        QCOMPARE(resolution->value(), 300);
        resolution->setValue(1200);
        QCOMPARE(received.size(), 3);
        QCOMPARE(Control<QLabel>(&chooser, "Label8")->text(), LoweredNote(81.9, 1200, true));
        QCOMPARE(LoweredNote(81.9, 1200, true),
                 QStringLiteral("Shown at 81 dpi: 1200 dpi would exceed the limit of 268435456 "
                                "pixels"));
        const ErrorBoxSeen seen = CatchErrorBox([&] { page->setValue(2); });
        QCOMPARE(seen.text, QStringLiteral("The document has no page 2."));
        QCOMPARE(page->value(), 1);
        QCOMPARE(resolution->value(), 1200);
        QCOMPARE(received.size(), 3);
        received.clear();

        // An SVG is sized by its long side.
        chooser.Offer(std::make_unique<SvgDrawing>(Write("h.svg", TwoHalvesSvg)));
        QVERIFY(!page->isEnabled());
        QCOMPARE(resolution->value(), 2000);
        QCOMPARE(resolution->suffix(), QStringLiteral(" px"));
        QVERIFY(Control<QLabel>(&chooser, "Label8")->text().isEmpty());
        resolution->setValue(500);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.last().size(), QSize(500, 250));

        // Without a document it hides.
        chooser.Offer(nullptr);
        QVERIFY(!chooser.isVisible());
        QVERIFY(!chooser.HasDocument());
    }
};

QTEST_MAIN(TestPictureFormats)
#include "tst_pictureformats.moc"
