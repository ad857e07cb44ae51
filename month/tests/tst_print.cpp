// Prints the real window on the default printer, a CUPS queue that writes
// PDF files, and checks the page that arrives. scripts/test.sh sets the queue
// up where it runs as root; elsewhere this test says so and skips.

#include "colour.h"
#include "frmmthlypay.h"
#include "program.h"

#include <QDir>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QDir pdfFolder()
{
    const QByteArray folder = qgetenv("PRINT_TEST_PDF_DIR");
    return QDir(folder.isEmpty() ? QDir::homePath() + QStringLiteral("/PDF") : QString::fromLocal8Bit(folder));
}

QStringList pdfs()
{
    return pdfFolder().entryList({QStringLiteral("*.pdf")}, QDir::Files);
}

// Pixels within a small tolerance of colour: the PDF renderer may shade them.
int countNear(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAbs(qRed(p) - qRed(colour)) <= 4 && qAbs(qGreen(p) - qGreen(colour)) <= 4
                && qAbs(qBlue(p) - qBlue(colour)) <= 4)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

private slots:
    void printsOnePageWithTheWindow();
};

void TestPrint::printsOnePageWithTheWindow()
{
    if (QPrinterInfo::defaultPrinter().isNull()) {
        // CI sets up the print server, so there the test must run.
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("no default printer, but CI must print");
        QSKIP("no print server with a default printer runs here (scripts/test.sh sets one up as root)");
    }

    for (const QString &old : pdfs())
        pdfFolder().remove(old);

    frmMthlyPay window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *principal = window.findChild<QLineEdit *>(QStringLiteral("txtPrincipal"));
    principal->setText(QStringLiteral("10000"));
    QTest::keyClick(principal, Qt::Key_Return);
    QTest::keySequence(principal, QKeySequence(QStringLiteral("Ctrl+P")));

    // The job is done when the queue is empty and the file is complete.
    QTRY_VERIFY_WITH_TIMEOUT(
        run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty() && pdfs().size() == 1, 120000);
    const QString pdf = pdfFolder().filePath(pdfs().front());
    QTRY_VERIFY_WITH_TIMEOUT(
        [&pdf] {
            QFile file(pdf);
            return file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("%%EOF");
        }(),
        30000);

    QVERIFY(run(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    QTemporaryDir scratch;
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
         scratch.filePath(QStringLiteral("page"))});
    const QImage page(scratch.filePath(QStringLiteral("page.png")));
    QVERIFY(!page.isNull());

    // At 96 dpi the window's image keeps its size: the light grey client
    // area, the grey information box and its term buttons are there.
    const QSize client = window.findChild<QWidget *>(QStringLiteral("clientArea"))->size();
    const int area = client.width() * client.height();
    QVERIFY2(countNear(page, qRgb(224, 224, 224)) > area / 10, "no client-area grey on the page");
    QVERIFY2(countNear(page, qRgb(192, 192, 192)) > 4 * 81 * 33, "no frame grey on the page");
    // The white payment box sits inside the light grey area, under the frame.
    const int payment = countNear(page, qRgb(255, 255, 255));
    QVERIFY(payment > 0);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpProgram("Month", "1.00", "org.formprograms.Month");
    TestPrint test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_print.moc"
