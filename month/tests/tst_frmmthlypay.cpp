#include "colour.h"
#include "formtesting.h"
#include "frmmthlypay.h"
#include "program.h"
#include "twips.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include <cstdlib>
#include <memory>

class TestMonth : public FormTest<frmMthlyPay>
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void fontsAndColours();
    void ratesComeFromASinglePrecisionCounter();
    void startState();
    void keyboard();
    void accessKeys_data();
    void accessKeys();
    void changesBlankThePayment_data();
    void changesBlankThePayment();
    void payments_data();
    void payments();
    void rateReadsBackInTheLocaleThatWroteIt_data();
    void rateReadsBackInTheLocaleThatWroteIt();
    void principalBeyondSinglePrecision_data();
    void principalBeyondSinglePrecision();
    void calculateByMouseSelectsThePrincipal();
    void backgroundColour_data();
    void backgroundColour();
    void informationBoxColour_data();
    void informationBoxColour();
    void printWithoutPrinterSaysSo();
    void exitUnloads();

private:
    void calculate(const QString &principal, int rateRow, int termIndex);
    // Answers the colour dialog with colour (or Cancel when invalid);
    // returns the colour it opened on.
    QColor answerColourDialog(QAction *command, const QColor &colour);

    QString payment() { return control<QLabel>("lblPayment")->text(); }
    // The payment on 10,000 at 9.00% over term years.
    static QString paymentFor(int term)
    {
        return QStringList{"$456.85", "$318.00", "$248.85", "$207.58"}.value(term - 2);
    }
};

void TestMonth::initTestCase()
{
    setUpProgram("Month", "1.00", "org.formprograms.Month");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestMonth::init()
{
    m_window = std::make_unique<frmMthlyPay>();
}

void TestMonth::cleanup()
{
    m_window.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestMonth::calculate(const QString &principal, int rateRow, int termIndex)
{
    control<QLineEdit>("txtPrincipal")->setText(principal);
    control<QListWidget>("lstInterest")->setCurrentRow(rateRow);
    control<QRadioButton>(QStringLiteral("optTerm_%1").arg(termIndex))->setChecked(true);
    QTest::keyClick(control("txtPrincipal"), Qt::Key_Return);
}

void TestMonth::layout_data()
{
    addPlacements({
        {"fraInfo", "clientArea", 360, 360, 6855, 3375},
        {"optTerm_3", "fraInfo", 5040, 2640, 1215, 495},
        {"optTerm_2", "fraInfo", 5040, 2040, 1215, 495},
        {"optTerm_1", "fraInfo", 5040, 1440, 1215, 495},
        {"optTerm_0", "fraInfo", 5040, 840, 1215, 495},
        {"txtPrincipal", "fraInfo", 480, 960, 1215, 420},
        {"lstInterest", "fraInfo", 2760, 960, 1215, 1560},
        {"Label1", "fraInfo", 480, 600, 1335, 300},
        {"Label2", "fraInfo", 2760, 600, 1365, 300},
        {"Label3", "fraInfo", 5040, 600, 1095, 300},
        {"cmdCalc", "clientArea", 5880, 4320, 1215, 495},
        {"lblPayment", "clientArea", 2640, 4320, 2895, 615},
        {"Label4", "clientArea", 360, 4320, 2055, 285},
    });
}

void TestMonth::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);

    showWindow();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Monthly Payment Calculator"));
    QCOMPARE(control("clientArea")->size(), QSize(7590 / twipsPerPixel, 5415 / twipsPerPixel));
    verifyPlacement(name, container, twips);
}

void TestMonth::fontsAndColours()
{
    showWindow();
    for (const char *name : {"optTerm_0", "optTerm_3", "Label1", "Label2", "Label3"}) {
        const QFontInfo font(control(name)->font());
        QCOMPARE(font.family(), QStringLiteral("Liberation Sans")); // what Arial resolves to
        QCOMPARE(font.pointSize(), 12);
    }
    QCOMPARE(QFontInfo(control("lblPayment")->font()).pointSize(), 18);
    QVERIFY(control("Label4")->font().bold());
    QCOMPARE(control("cmdCalc")->font().pointSizeF(), 9.75);
    QCOMPARE(control("txtPrincipal")->font().pointSize(), 12);

    QCOMPARE(backColor(control("clientArea")), 0x00E0E0E0u);
    QCOMPARE(backColor(control("fraInfo")), 0x00C0C0C0u);
    for (const char *name : {"optTerm_0", "optTerm_1", "optTerm_2", "optTerm_3"})
        QCOMPARE(backColor(control(name)), 0x00C0C0C0u);
    QCOMPARE(backColor(control("lblPayment")), 0x00FFFFFFu);
    QCOMPARE(valueFromColor(control("optTerm_0")->palette().color(QPalette::WindowText)), 0u);
    QCOMPARE(valueFromColor(control("Label4")->palette().color(QPalette::WindowText)), 0u);
    // Transparent labels show their container's colour.
    for (const char *name : {"Label1", "Label2", "Label3", "Label4"})
        QVERIFY2(!control(name)->autoFillBackground(), name);
    QCOMPARE(control("lblPayment")->accessibleName(), QStringLiteral("Monthly payment"));
}

void TestMonth::ratesComeFromASinglePrecisionCounter()
{
    auto *list = control<QListWidget>("lstInterest");
    QCOMPARE(list->count(), 21);
    for (int row = 0; row < list->count(); ++row)
        QCOMPARE(list->item(row)->text(), QStringLiteral("%1%").arg(7.0 + 0.25 * row, 0, 'f', 2));

    // The same loop in double precision passes 0.12 a step early.
    int entries = 0;
    for (double counter = double(0.07f); counter <= double(0.12f); counter += double(0.0025f))
        ++entries;
    QCOMPARE(entries, 20);
}

void TestMonth::startState()
{
    showWindow();
    QCOMPARE(control<QListWidget>("lstInterest")->currentRow(), 8);
    QCOMPARE(control<QListWidget>("lstInterest")->currentItem()->text(), QStringLiteral("9.00%"));
    QVERIFY(control<QRadioButton>("optTerm_3")->isChecked());
    auto *principal = control<QLineEdit>("txtPrincipal");
    QCOMPARE(principal->text(), QStringLiteral("0"));
    QTRY_COMPARE(principal->selectedText(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), principal);
    QVERIFY(payment().isEmpty());
    for (int id = 0; id < 4; ++id)
        QCOMPARE(m_window->findChild<QButtonGroup *>(QStringLiteral("optTerm"))->button(id)->objectName(),
                 QStringLiteral("optTerm_%1").arg(id));
    QVERIFY(centredOnScreen(m_window.get()));
    // The term is five years.
    principal->setText(QStringLiteral("10000"));
    QTest::keyClick(principal, Qt::Key_Return);
    QCOMPARE(payment(), paymentFor(5));
}

void TestMonth::keyboard()
{
    // The focus chain, as the layout orders it.
    const QStringList expected = {"txtPrincipal", "lstInterest", "optTerm_0", "optTerm_1",
                                  "optTerm_2",    "optTerm_3",   "cmdCalc"};
    QStringList chain;
    QWidget *widget = control("txtPrincipal");
    do {
        if (widget->focusPolicy() != Qt::NoFocus && !widget->objectName().isEmpty()
            && widget->window() == m_window.get())
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != control("txtPrincipal"));
    QCOMPARE(chain, expected);
    // Tab enters the term group at the checked term, from the start.
    showWindow();
    control("lstInterest")->setFocus();
    QTest::keyClick(control("lstInterest"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control("optTerm_3"));
    QTest::keyClick(control("optTerm_3"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control("cmdCalc"));

    QCOMPARE(m_window->findChild<QAction *>(QStringLiteral("mnuFilePrint"))->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+P")));
    QVERIFY(control<QPushButton>("cmdCalc")->isDefault());
}

void TestMonth::accessKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("term");

    QTest::newRow("Alt+I to the list") << int(Qt::Key_I) << "lstInterest" << 5;
    QTest::newRow("Alt+P to the principal") << int(Qt::Key_P) << "txtPrincipal" << 5;
    QTest::newRow("Alt+2") << int(Qt::Key_2) << "" << 2;
    QTest::newRow("Alt+3") << int(Qt::Key_3) << "" << 3;
    QTest::newRow("Alt+4") << int(Qt::Key_4) << "" << 4;
}

void TestMonth::accessKeys()
{
    QFETCH(int, key);
    QFETCH(QString, focus);
    QFETCH(int, term);

    showWindow();
    control("cmdCalc")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
    // A button's access key clicks it the way a mouse would, a moment later.
    if (!focus.isEmpty())
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QTRY_VERIFY(control<QRadioButton>(QStringLiteral("optTerm_%1").arg(term - 2))->isChecked());

    // Alt+C calculates, over the term chosen.
    control<QLineEdit>("txtPrincipal")->setText(QStringLiteral("10000"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(payment(), paymentFor(term));
}

void TestMonth::changesBlankThePayment_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("typing a character") << "type";
    QTest::newRow("arrow key in the list") << "list";
    QTest::newRow("2 years") << "0";
    QTest::newRow("3 years") << "1";
    QTest::newRow("4 years") << "2";
}

void TestMonth::changesBlankThePayment()
{
    QFETCH(QString, change);
    showWindow();
    calculate(QStringLiteral("10000"), 8, 3);
    QCOMPARE(payment(), QStringLiteral("$207.58"));
    if (change == u"type") {
        QTest::keyClick(control("txtPrincipal"), Qt::Key_5);
    } else if (change == u"list") {
        control("lstInterest")->setFocus();
        QTest::keyClick(control("lstInterest"), Qt::Key_Down);
        QCOMPARE(control<QListWidget>("lstInterest")->currentRow(), 9);
    } else {
        QTest::mouseClick(control(qPrintable(QStringLiteral("optTerm_") + change)), Qt::LeftButton, {}, QPoint(8, 16));
        QVERIFY(payment().isEmpty());
        // The next payment is over the term clicked.
        QTest::keyClick(control("txtPrincipal"), Qt::Key_Return);
        QCOMPARE(payment(), paymentFor(change.toInt() + 2));
        return;
    }
    QVERIFY(payment().isEmpty());
}

void TestMonth::payments_data()
{
    QTest::addColumn<QString>("principal");
    QTest::addColumn<int>("rateRow");
    QTest::addColumn<int>("term");
    QTest::addColumn<QString>("expected");

    QTest::newRow("10000 9.00% 5 years") << "10000" << 8 << 3 << "$207.58";
    QTest::newRow("10000 7.00% 2 years") << "10000" << 0 << 0 << "$447.73";
    QTest::newRow("10000 12.00% 5 years") << "10000" << 20 << 3 << "$222.44";
    QTest::newRow("1000 7.25% 3 years") << "1000" << 1 << 1 << "$30.99";
    QTest::newRow("250000 12.00% 5 years") << "250000" << 20 << 3 << "$5,561.11";
    QTest::newRow("0") << "0" << 8 << 3 << "$0.00";
    QTest::newRow("empty") << "" << 8 << 3 << "$0.00";
    QTest::newRow("letters") << "abc" << 8 << 3 << "$0.00";
    QTest::newRow("lone sign") << "-" << 8 << 3 << "$0.00";
    QTest::newRow("lone point") << "." << 8 << 3 << "$0.00";
    QTest::newRow("non-Latin digits") << QString::fromUtf8("\u0661\u0662") << 8 << 3 << "$0.00";
    QTest::newRow("negative: -5000") << "-5000" << 8 << 3 << "($103.79)";
    QTest::newRow("10,000 reads 10") << "10,000" << 8 << 3 << "$0.21";
    QTest::newRow("4 years") << "10000" << 8 << 2 << "$248.85";
}

void TestMonth::payments()
{
    QFETCH(QString, principal);
    QFETCH(int, rateRow);
    QFETCH(int, term);
    QFETCH(QString, expected);

    showWindow();
    calculate(principal, rateRow, term);
    QCOMPARE(payment(), expected);
    // Enter in the principal box leaves the focus and the text as they were.
    QCOMPARE(QApplication::focusWidget(), control("txtPrincipal"));
    QCOMPARE(control<QLineEdit>("txtPrincipal")->text(), principal);
}

void TestMonth::rateReadsBackInTheLocaleThatWroteIt_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("expected");

    QTest::newRow("German") << "de_DE" << QString::fromUtf8("7,25%") << QString::fromUtf8("30,99\u00A0€");
    QTest::newRow("French") << "fr_FR" << QString::fromUtf8("7,25%") << QString::fromUtf8("30,99\u00A0€");
    QTest::newRow("C falls back to US currency") << "C"
                                                 << "7.25%"
                                                 << "$30.99";
}

void TestMonth::rateReadsBackInTheLocaleThatWroteIt()
{
    QFETCH(QString, locale);
    QFETCH(QString, rate);
    QFETCH(QString, expected);

    QLocale::setDefault(QLocale(locale));
    m_window = std::make_unique<frmMthlyPay>();
    showWindow();
    QCOMPARE(control<QListWidget>("lstInterest")->item(1)->text(), rate);
    calculate(QStringLiteral("1000"), 1, 1);
    QCOMPARE(payment(), expected);
}

void TestMonth::principalBeyondSinglePrecision_data()
{
    QTest::addColumn<QString>("principal");
    QTest::newRow("1e39") << "1e39";
    QTest::newRow("-1e39") << "-1e39";
    QTest::newRow("beyond double") << "1e400";
    QTest::newRow("a thousand digits") << QString(1000, u'9');
}

void TestMonth::principalBeyondSinglePrecision()
{
    QFETCH(QString, principal);
    showWindow();
    calculate(QStringLiteral("10000"), 8, 3);
    QString seen;
    QPointer<QTimer> watch = whenModalOpens([&seen](QWidget *modal) {
        seen = qobject_cast<QMessageBox *>(modal)->text();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    calculate(principal, 8, 3);
    delete watch;
    QVERIFY(seen.contains(QStringLiteral("too large")));
    QVERIFY(payment().isEmpty());
}

void TestMonth::calculateByMouseSelectsThePrincipal()
{
    showWindow();
    control<QLineEdit>("txtPrincipal")->setText(QStringLiteral("10000"));
    QTest::mouseClick(control("cmdCalc"), Qt::LeftButton);
    QCOMPARE(payment(), QStringLiteral("$207.58"));
    QCOMPARE(QApplication::focusWidget(), control("txtPrincipal"));
    QTRY_COMPARE(control<QLineEdit>("txtPrincipal")->selectedText(), QStringLiteral("10000"));
}

QColor TestMonth::answerColourDialog(QAction *command, const QColor &colour)
{
    QColor opened;
    QPointer<QTimer> watch = whenModalOpens([&opened, colour](QWidget *modal) {
        auto *dialog = qobject_cast<QColorDialog *>(modal);
        if (!dialog)
            return;
        opened = dialog->currentColor();
        if (colour.isValid()) {
            dialog->setCurrentColor(colour);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    command->trigger();
    delete watch;
    return opened;
}

void TestMonth::backgroundColour_data()
{
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<uint>("expected");
    QTest::newRow("red") << QColor(255, 0, 0) << 0x000000FFu;
    QTest::newRow("cancel") << QColor() << 0x00E0E0E0u;
}

void TestMonth::backgroundColour()
{
    QFETCH(QColor, chosen);
    QFETCH(uint, expected);
    showWindow();
    auto *command = m_window->findChild<QAction *>(QStringLiteral("mnuColorBackground"));
    QCOMPARE(answerColourDialog(command, chosen), QColor(224, 224, 224));
    QCOMPARE(backColor(control("clientArea")), quint32(expected));
    QCOMPARE(backColor(control("fraInfo")), 0x00C0C0C0u);
    QCOMPARE(backColor(control("lblPayment")), 0x00FFFFFFu);
    // The label on the window shows the new colour behind it.
    const QImage image = control("Label4")->grab().toImage();
    QCOMPARE(valueFromColor(image.pixelColor(image.width() - 2, image.height() - 2)), quint32(expected));
}

void TestMonth::informationBoxColour_data()
{
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<uint>("expected");
    QTest::newRow("blue") << QColor(0, 0, 255) << 0x00FF0000u;
    QTest::newRow("cancel") << QColor() << 0x00C0C0C0u;
}

void TestMonth::informationBoxColour()
{
    QFETCH(QColor, chosen);
    QFETCH(uint, expected);
    showWindow();
    auto *command = m_window->findChild<QAction *>(QStringLiteral("mnuColorInfo"));
    QCOMPARE(answerColourDialog(command, chosen), QColor(192, 192, 192));
    QCOMPARE(backColor(control("fraInfo")), quint32(expected));
    for (const char *name : {"optTerm_0", "optTerm_1", "optTerm_2", "optTerm_3"})
        QCOMPARE(backColor(control(name)), quint32(expected));
    QCOMPARE(backColor(control("clientArea")), 0x00E0E0E0u);
    QCOMPARE(control("txtPrincipal")->palette().color(QPalette::Base), QColor(Qt::white));
    const QImage image = control("Label3")->grab().toImage();
    QCOMPARE(valueFromColor(image.pixelColor(image.width() - 2, image.height() - 2)), quint32(expected));
}

void TestMonth::printWithoutPrinterSaysSo()
{
    // main() points this process at a print server that does not exist.
    showWindow();
    control<QLineEdit>("txtPrincipal")->setText(QStringLiteral("10000"));
    QString seen;
    QPointer<QTimer> watch = whenModalOpens([&seen](QWidget *modal) {
        seen = qobject_cast<QMessageBox *>(modal)->text();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    QTest::keySequence(control("txtPrincipal"), QKeySequence(QStringLiteral("Ctrl+P")));
    delete watch;
    QVERIFY(seen.contains(QStringLiteral("No printer")));
    QCOMPARE(control<QLineEdit>("txtPrincipal")->text(), QStringLiteral("10000"));
}

void TestMonth::exitUnloads()
{
    showWindow();
    m_window->findChild<QAction *>(QStringLiteral("mnuFileExit"))->trigger();
    QVERIFY(!m_window->isVisible());
    forgetQuitRequest();
}

int main(int argc, char *argv[])
{
    // No print server: the print command must say so.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    QApplication app(argc, argv);
    TestMonth test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmmthlypay.moc"
