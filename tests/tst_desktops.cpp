#include "colour.h"
#include "formtesting.h"
#include "program.h"
#include "programwindows.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

// The programs on desktops other than the default one: a dark colour
// scheme (as qt6ct's "darker" or Breeze Dark give) and a large desktop font.
class TestDesktops : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void resultsAreReadable_data();
    void resultsAreReadable();
    void captionsFitUnderADesktopFont_data();
    void captionsFitUnderADesktopFont();
};

namespace {

QPalette darkScheme()
{
    QPalette dark;
    const QColor window(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a), text(0xf0, 0xf0, 0xf0);
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase})
        dark.setColor(role, window);
    dark.setColor(QPalette::Base, base);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::BrightText})
        dark.setColor(role, text);
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

// Where a control draws its text.
QRect textArea(const QWidget *control)
{
    if (auto *radio = qobject_cast<const QRadioButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(radio);
        option.text = radio->text();
        return radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
    }
    if (auto *edit = qobject_cast<const QPlainTextEdit *>(control))
        return edit->viewport()->geometry();
    return control->contentsRect();
}

// The contrast of a control's text with its background, as drawn: the
// background is the commonest colour of the text area, the text the colour
// that contrasts most with it.
double drawnContrast(QWidget *control)
{
    const QImage image = control->grab(textArea(control)).toImage();
    QMap<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb background = counts.firstKey();
    for (auto count = counts.cbegin(); count != counts.cend(); ++count) {
        if (count.value() > counts.value(background))
            background = count.key();
    }
    double most = 1.0;
    for (auto count = counts.cbegin(); count != counts.cend(); ++count)
        most = std::max(most, contrastRatio(QColor(count.key()), QColor(background)));
    return most;
}

// Puts a result in the window, as a user would: an answer to count, a
// payment, a line of text.
void showResults(QWidget *window)
{
    if (auto *check = window->findChild<QCheckBox *>(QStringLiteral("chkDisplay"))) {
        check->setChecked(true);
        whenModalOpens([](QWidget *box) { QTest::keyClick(box, Qt::Key_Return); });
        window->findChild<QPushButton *>(QStringLiteral("cmdVerify"))->click();
    }
    if (auto *principal = window->findChild<QLineEdit *>(QStringLiteral("txtPrincipal"))) {
        QTest::keyClicks(principal, QStringLiteral("20000"));
        window->findChild<QPushButton *>(QStringLiteral("cmdCalc"))->click();
    }
    if (auto *text = window->findChild<QPlainTextEdit *>(QStringLiteral("txtEdit")))
        QTest::keyClicks(text, QStringLiteral("Every user can read this."));
}

} // namespace

void TestDesktops::initTestCase()
{
    setUpProgram("Math", "1.00", "org.formprograms.Math");
}

void TestDesktops::cleanup()
{
    QApplication::setPalette(QPalette());
    QApplication::setFont(QFont());
}

void TestDesktops::resultsAreReadable_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("scheme");
    const QList<std::pair<const char *, const char *>> results = {
        {"Math", "lblNum1"},     {"Math", "lblNum2"}, {"Math", "lblCorrect"}, {"Math", "lblIncorrect"},
        {"Month", "lblPayment"}, {"Month", "Label1"}, {"Month", "Label3"},    {"Month", "Label4"},
        {"Month", "optTerm_3"},  {"Edit", "txtEdit"},
    };
    // "dark later": the desktop turns dark while the program runs.
    for (const char *scheme : {"default", "dark", "dark later"}) {
        for (const auto &[program, control] : results)
            QTest::addRow("%s %s, %s", program, control, scheme) << program << control << scheme;
    }
}

void TestDesktops::resultsAreReadable()
{
    QFETCH(QString, program);
    QFETCH(QString, control);
    QFETCH(QString, scheme);
    if (scheme == QLatin1String("dark"))
        QApplication::setPalette(darkScheme());
    const auto window = makeWindow(program);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    showResults(window.get());
    if (scheme == QLatin1String("dark later")) {
        QApplication::setPalette(darkScheme());
    }
    QWidget *result = window->findChild<QWidget *>(control);
    QVERIFY(result);
    // A change of scheme reaches the window through its event loop.
    QTRY_VERIFY2(drawnContrast(result) >= 4.5,
                 qPrintable(QStringLiteral("contrast %1 : 1").arg(drawnContrast(result))));
}

void TestDesktops::captionsFitUnderADesktopFont_data()
{
    addProgramRows();
}

void TestDesktops::captionsFitUnderADesktopFont()
{
    QFETCH(QString, program);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Serif"), 14));
    const auto window = makeWindow(program);
    window->show();
    const QString clipped = clippedCaption(window.get());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped));
}

QTEST_MAIN(TestDesktops)
#include "tst_desktops.moc"
