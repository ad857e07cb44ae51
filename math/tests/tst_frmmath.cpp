#include "formtesting.h"
#include "frmmath.h"
#include "program.h"
#include "twips.h"

#include <QMessageBox>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestMath : public FormTest<frmMath>
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void captionsFitAtTheDefaultFont();
    void picturesForTheScreen();
    void everyControlHasAnAccessibleName();
    void tabOrder();
    void accessKeys_data();
    void accessKeys();
    void startState();
    void levelsCoverTheirRanges_data();
    void levelsCoverTheirRanges();
    void subtractionPutsTheLargerFirst();
    void operationShowsItsSign();
    void answers_data();
    void answers();
    void correctAnswerFlow();
    void incorrectAnswerFlow();
    void summaryPanel();
    void tabIntoAnswerSelectsIt();
    void enterPressesVerifyFromOtherControls();
    void enterOnExitPressesExit();
    void escapeDoesNotClose();
    void countsGoPast16Bits();
    void badInput_data();
    void badInput();

private:
    // The answer to the problem the window shows, worked out as a child
    // works it out from the numbers and the operation shown.
    int expectedAnswer() const;
    // Types text into the answer box and presses Enter, answering a
    // "Try again." box if one opens; returns that box's text and title.
    QStringList answer(const QString &text);
};

void TestMath::initTestCase()
{
    setUpProgram("Math", "1.00", "org.formprograms.Math");
}

void TestMath::init()
{
    m_window = std::make_unique<frmMath>();
}

void TestMath::cleanup()
{
    m_window.reset();
}

int TestMath::expectedAnswer() const
{
    const int num1 = control<QLabel>("lblNum1")->text().toInt();
    const int num2 = control<QLabel>("lblNum2")->text().toInt();
    return control<QRadioButton>("optSub")->isChecked() ? num1 - num2 : num1 + num2;
}

QStringList TestMath::answer(const QString &text)
{
    QStringList seen;
    auto *box = control<QLineEdit>("txtAnswer");
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    box->insert(text);
    QPointer<QTimer> watch = whenModalOpens([&seen](QWidget *modal) {
        auto *message = qobject_cast<QMessageBox *>(modal);
        seen << message->text() << message->windowTitle() << QString::number(message->icon())
             << QString::number(message->buttons().size());
        QTest::keyClick(modal, Qt::Key_Return);
    });
    QTest::keyClick(box, Qt::Key_Return);
    delete watch; // no box came: stop waiting for one
    return seen;
}

void TestMath::layout_data()
{
    addPlacements({
        {"chkDisplay", "frmMath", 5400, 2400, 2415, 255},
        {"Frame3", "frmMath", 2400, 2400, 1575, 1575},
        {"optAdd", "Frame3", 120, 240, 1215, 495},
        {"optSub", "Frame3", 120, 840, 1215, 495},
        {"Frame2", "frmMath", 360, 2400, 1935, 1575},
        {"optLevel1", "Frame2", 120, 240, 1695, 495},
        {"optLevel2", "Frame2", 120, 840, 1695, 495},
        {"fraInfo", "frmMath", 5400, 2760, 2415, 1215},
        {"lblIncorrect", "fraInfo", 1440, 480, 735, 495},
        {"lblCorrect", "fraInfo", 120, 480, 735, 495},
        {"Label3", "fraInfo", 120, 240, 630, 195},
        {"Label4", "fraInfo", 1440, 240, 750, 240},
        {"Frame1", "frmMath", 360, 240, 7455, 1935},
        {"cmdVerify", "Frame1", 5640, 840, 1215, 495},
        {"txtAnswer", "Frame1", 3840, 840, 735, 495},
        {"imgIcon", "Frame1", 4800, 840, 615, 495},
        // An image takes the size of its picture: the plus sign shown at load.
        {"imgOperator", "Frame1", 1560, 840, 480, 480},
        {"lblNum1", "Frame1", 600, 840, 735, 495},
        {"lblNum2", "Frame1", 2160, 840, 735, 495},
        {"imgEqual", "Frame1", 3120, 840, 480, 480},
        {"cmdExit", "frmMath", 6600, 4320, 1215, 495},
        {"imgMinus", "frmMath", 1560, 4440, 480, 480},
        {"imgPlus", "frmMath", 960, 4440, 480, 480},
        {"imgHappy", "frmMath", 360, 4440, 480, 480},
    });
}

void TestMath::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);

    QCOMPARE(m_window->objectName(), QStringLiteral("frmMath"));
    QCOMPARE(m_window->size(), QSize(8190 / twipsPerPixel, 5100 / twipsPerPixel));
    verifyPlacement(name, container, twips);
}

void TestMath::captionsFitAtTheDefaultFont()
{
    showWindow();
    for (auto *button : m_window->findChildren<QAbstractButton *>())
        QVERIFY2(button->sizeHint().width() <= button->width()
                     || button->fontMetrics().horizontalAdvance(button->text().remove(u'&')) + 8 <= button->width(),
                 qPrintable(button->objectName()));
    for (auto *label : m_window->findChildren<QLabel *>()) {
        const QString text = label->text();
        QVERIFY2(label->fontMetrics().horizontalAdvance(text) <= label->width()
                     && label->fontMetrics().height() <= label->height(),
                 qPrintable(label->objectName()));
    }
    for (auto *frame : m_window->findChildren<QGroupBox *>())
        QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) + 16 <= frame->width(),
                 qPrintable(frame->objectName()));
    // The summary counts keep fitting well past 16 bits.
    QVERIFY(control<QLabel>("lblCorrect")->fontMetrics().horizontalAdvance(QStringLiteral("32768"))
            <= 735 / twipsPerPixel);
}

// The pictures and the window icon as the screen's pixel density asks: at
// 100 % exactly the icon files' images, at 200 % (QT_SCALE_FACTOR=2, the
// test tst_frmmath_at_200_percent) the files' @2x drawings, at the same size.
void TestMath::picturesForTheScreen()
{
    const qreal ratio = m_window->devicePixelRatioF();
    QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    const QString density = ratio >= 2.0 ? QStringLiteral("@2x") : QString();
    const auto imageOf = [](const QString &file) { return QImage(file).convertToFormat(QImage::Format_ARGB32); };
    for (const auto &[store, file] : {std::pair{"imgPlus", "plus"}, std::pair{"imgMinus", "minus"},
                                      std::pair{"imgHappy", "happy"}, std::pair{"imgEqual", "equal"}}) {
        const QPixmap shown = control<QLabel>(store)->pixmap();
        QCOMPARE(shown.devicePixelRatio(), ratio);
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(shown.toImage().convertToFormat(QImage::Format_ARGB32),
                 imageOf(QStringLiteral(":/pictures/%1%2.ico").arg(QLatin1String(file), density)));
    }
    const QPixmap icon = QApplication::windowIcon().pixmap(QSize(32, 32), ratio);
    QCOMPARE(icon.toImage().convertToFormat(QImage::Format_ARGB32),
             imageOf(QStringLiteral(":/icons/program%1.ico").arg(density)));
}

void TestMath::everyControlHasAnAccessibleName()
{
    for (auto *widget : m_window->findChildren<QWidget *>()) {
        // Qt's own parts, and the notice, which is named by its news.
        if (widget->objectName().startsWith(u"qt_") || widget->inherits("Notice"))
            continue;
        QString name = widget->accessibleName();
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            name += button->text();
        if (auto *label = qobject_cast<QLabel *>(widget))
            name += label->text();
        if (auto *frame = qobject_cast<QGroupBox *>(widget))
            name += frame->title();
        QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName()));
    }
    QCOMPARE(control("lblNum1")->accessibleDescription(), QStringLiteral("First number"));
    QCOMPARE(control("imgOperator")->accessibleName(), QStringLiteral("plus"));
    QCOMPARE(control("imgIcon")->accessibleName(), QStringLiteral("Feedback"));
}

void TestMath::tabOrder()
{
    // The focus chain, as the layout orders it.
    const QStringList expected = {"txtAnswer", "cmdVerify", "optLevel1",  "optLevel2",
                                  "optAdd",    "optSub",    "chkDisplay", "cmdExit"};
    QStringList chain;
    QWidget *widget = control("txtAnswer");
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != control("txtAnswer"));
    QCOMPARE(chain, expected);

    // The Tab key visits one option button of each group, the selected one.
    showWindow();
    const QStringList visited = {"txtAnswer", "cmdVerify", "optLevel1", "optAdd", "chkDisplay", "cmdExit", "txtAnswer"};
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < visited.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, visited);
}

void TestMath::accessKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("target");

    QTest::newRow("Alt+2 level 2") << int(Qt::Key_2) << "optLevel2";
    QTest::newRow("Alt+1 level 1") << int(Qt::Key_1) << "optLevel1";
    QTest::newRow("Alt+S subtraction") << int(Qt::Key_S) << "optSub";
    QTest::newRow("Alt+A addition") << int(Qt::Key_A) << "optAdd";
    QTest::newRow("Alt+D display") << int(Qt::Key_D) << "chkDisplay";
    QTest::newRow("Alt+V verify") << int(Qt::Key_V) << "cmdVerify";
    QTest::newRow("Alt+X exit") << int(Qt::Key_X) << "cmdExit";
}

void TestMath::accessKeys()
{
    QFETCH(int, key);
    QFETCH(QString, target);

    showWindow();
    auto *button = m_window->findChild<QAbstractButton *>(target);
    QVERIFY(button);
    if (target == u"optLevel1" || target == u"optAdd") {
        // Move away first so that the key has something to select.
        m_window->findChild<QAbstractButton *>(target == u"optAdd" ? "optSub" : "optLevel2")->click();
    }
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QPointer<QTimer> watch = whenModalOpens([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Return); });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
    QTRY_COMPARE(clicked.size(), 1);
    delete watch;
    if (button->isCheckable())
        QVERIFY(button->isChecked());
    if (target == u"cmdExit") {
        QVERIFY(!m_window->isVisible());
        forgetQuitRequest();
    }
}

void TestMath::startState()
{
    showWindow();
    QVERIFY(control<QRadioButton>("optLevel1")->isChecked());
    QVERIFY(control<QRadioButton>("optAdd")->isChecked());
    QVERIFY(!control<QRadioButton>("optLevel2")->isChecked());
    QVERIFY(!control<QRadioButton>("optSub")->isChecked());
    for (const char *name : {"lblNum1", "lblNum2"}) {
        const int value = control<QLabel>(name)->text().toInt();
        QVERIFY2(value >= 1 && value <= 10, name);
    }
    QCOMPARE(control<QLabel>("imgOperator")->pixmap().toImage(), control<QLabel>("imgPlus")->pixmap().toImage());
    QVERIFY(control<QLabel>("imgIcon")->pixmap().isNull());
    QVERIFY(control<QLineEdit>("txtAnswer")->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), control("txtAnswer"));
    QCOMPARE(control<QCheckBox>("chkDisplay")->checkState(), Qt::Unchecked);
    QVERIFY(!control("fraInfo")->isVisible());
    QVERIFY(control<QLabel>("lblCorrect")->text().isEmpty());
    QVERIFY(control<QLabel>("lblIncorrect")->text().isEmpty());
    for (const char *store : {"imgMinus", "imgPlus", "imgHappy"}) {
        QVERIFY(!control(store)->isVisible());
        QCOMPARE(control<QLabel>(store)->pixmap().size(), QSize(32, 32));
    }

    // Centred on the screen by the window's outer size, in twips.
    QVERIFY(centredOnScreen(m_window.get()));
}

void TestMath::levelsCoverTheirRanges_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::addColumn<int>("problems");

    QTest::newRow("level 1: 1 to 10") << "optLevel1" << 1 << 10 << 300;
    QTest::newRow("level 2: 10 to 100") << "optLevel2" << 10 << 100 << 1500;
}

void TestMath::levelsCoverTheirRanges()
{
    QFETCH(QString, level);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QFETCH(int, problems);

    showWindow();
    control<QAbstractButton>(qPrintable(level))->click();
    QSet<int> seen;
    for (int i = 0; i < problems; ++i) {
        // Each change of operation makes a new problem at the chosen level.
        QTest::mouseClick(control(i % 2 ? "optAdd" : "optSub"), Qt::LeftButton);
        for (const char *name : {"lblNum1", "lblNum2"}) {
            const int value = control<QLabel>(name)->text().toInt();
            QVERIFY2(value >= lowest && value <= highest, qPrintable(QString::number(value)));
            seen << value;
        }
    }
    if (highest == 10)
        QCOMPARE(seen.size(), 10);
    QVERIFY(seen.contains(lowest));
    QVERIFY(seen.contains(highest));
}

void TestMath::subtractionPutsTheLargerFirst()
{
    showWindow();
    control<QAbstractButton>("optSub")->click();
    bool smallerFirstInAddition = false;
    for (int i = 0; i < 200; ++i) {
        QTest::mouseClick(control(i % 2 ? "optLevel1" : "optLevel2"), Qt::LeftButton);
        QVERIFY(control<QLabel>("lblNum1")->text().toInt() >= control<QLabel>("lblNum2")->text().toInt());
    }
    control<QAbstractButton>("optAdd")->click();
    for (int i = 0; i < 200 && !smallerFirstInAddition; ++i) {
        QTest::mouseClick(control(i % 2 ? "optLevel1" : "optLevel2"), Qt::LeftButton);
        smallerFirstInAddition =
            control<QLabel>("lblNum1")->text().toInt() < control<QLabel>("lblNum2")->text().toInt();
    }
    QVERIFY(smallerFirstInAddition);
}

void TestMath::operationShowsItsSign()
{
    showWindow();
    auto *answerBox = control<QLineEdit>("txtAnswer");
    QTest::keyClicks(answerBox, QStringLiteral("12"));
    control<QAbstractButton>("optSub")->click();
    QCOMPARE(control<QLabel>("imgOperator")->pixmap().toImage(), control<QLabel>("imgMinus")->pixmap().toImage());
    control<QAbstractButton>("optLevel2")->click();
    QVERIFY(control<QLabel>("lblNum1")->text().toInt() >= 10);
    control<QAbstractButton>("optAdd")->click();
    QCOMPARE(control<QLabel>("imgOperator")->pixmap().toImage(), control<QLabel>("imgPlus")->pixmap().toImage());
    QCOMPARE(answerBox->text(), QStringLiteral("12"));
    QVERIFY(control<QLabel>("lblCorrect")->text().isEmpty());
}

// What the window makes of a typed answer; how text reads as a number, and
// how a number rounds, are the runtime's (runtime/core/tests).
void TestMath::answers_data()
{
    QTest::addColumn<bool>("subtraction");
    QTest::addColumn<QString>("typed"); // %1: the answer, %2: one more
    QTest::addColumn<bool>("correct");

    QTest::newRow("the sum") << false << "%1" << true;
    QTest::newRow("one more than the sum") << false << "%2" << false;
    QTest::newRow("the difference") << true << "%1" << true;
    QTest::newRow("a decimal rounds to the answer") << false << "%1.4" << true;
    QTest::newRow("empty is 0, which no sum is") << false << "" << false;
    QTest::newRow("32768 cannot be held") << false << "32768" << false;
    QTest::newRow("-40000 cannot be held") << true << "-40000" << false;
    QTest::newRow("1e400 is beyond double") << false << "1e400" << false;
    QTest::newRow("a thousand nines") << false << QString(1000, u'9') << false;
}

void TestMath::answers()
{
    QFETCH(bool, subtraction);
    QFETCH(QString, typed);
    QFETCH(bool, correct);

    showWindow();
    control<QAbstractButton>(subtraction ? "optSub" : "optAdd")->click();
    const int expected = expectedAnswer();
    const QStringList box = answer(QString(typed)
                                       .replace(QStringLiteral("%1"), QString::number(expected))
                                       .replace(QStringLiteral("%2"), QString::number(expected + 1)));
    QCOMPARE(box.isEmpty(), correct);
    QCOMPARE(control<QLabel>("lblCorrect")->text(), correct ? "1" : "0");
    QCOMPARE(control<QLabel>("lblIncorrect")->text(), correct ? "0" : "1");
}

void TestMath::correctAnswerFlow()
{
    showWindow();
    for (int round = 1; round <= 3; ++round) {
        QVERIFY(answer(QString::number(expectedAnswer())).isEmpty());
        QCOMPARE(control<QLabel>("imgIcon")->pixmap().toImage(), control<QLabel>("imgHappy")->pixmap().toImage());
        QVERIFY(control<QLineEdit>("txtAnswer")->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), control("txtAnswer"));
        QCOMPARE(control<QLabel>("lblCorrect")->text(), QString::number(round));
        QCOMPARE(control<QLabel>("lblIncorrect")->text(), QStringLiteral("0"));
        const int num1 = control<QLabel>("lblNum1")->text().toInt();
        QVERIFY(num1 >= 1 && num1 <= 10);
    }
    // The face stays through changes of level and operation.
    control<QAbstractButton>("optLevel2")->click();
    control<QAbstractButton>("optSub")->click();
    QCOMPARE(control<QLabel>("imgIcon")->pixmap().toImage(), control<QLabel>("imgHappy")->pixmap().toImage());
    QCOMPARE(control("imgIcon")->accessibleDescription(), QStringLiteral("Smiling face"));
}

void TestMath::incorrectAnswerFlow()
{
    showWindow();
    QVERIFY(answer(QString::number(expectedAnswer())).isEmpty());
    const QString num1 = control<QLabel>("lblNum1")->text();
    const QString num2 = control<QLabel>("lblNum2")->text();
    const QString wrong = QString::number(expectedAnswer() + 1);

    const QStringList box = answer(wrong);
    QCOMPARE(box, (QStringList{"Try again.", "Math Application", QString::number(QMessageBox::Information), "1"}));
    auto *answerBox = control<QLineEdit>("txtAnswer");
    QCOMPARE(answerBox->text(), wrong);
    QCOMPARE(answerBox->selectedText(), wrong);
    QCOMPARE(m_window->focusWidget(), answerBox);
    QVERIFY(control<QLabel>("imgIcon")->pixmap().isNull());
    // The same problem stands.
    QCOMPARE(control<QLabel>("lblNum1")->text(), num1);
    QCOMPARE(control<QLabel>("lblNum2")->text(), num2);
    QCOMPARE(control<QLabel>("lblCorrect")->text(), QStringLiteral("1"));
    QCOMPARE(control<QLabel>("lblIncorrect")->text(), QStringLiteral("1"));

    // Typing replaces the selected wrong answer.
    QTest::keyClicks(answerBox, QStringLiteral("7"));
    QCOMPARE(answerBox->text(), QStringLiteral("7"));
}

void TestMath::summaryPanel()
{
    showWindow();
    auto *display = control<QCheckBox>("chkDisplay");
    QTest::mouseClick(display, Qt::LeftButton, {}, QPoint(6, display->height() / 2));
    QVERIFY(control("fraInfo")->isVisible());
    QVERIFY(control("Label3")->isVisible());
    QVERIFY(control<QLabel>("lblCorrect")->text().isEmpty());

    answer(QString::number(expectedAnswer() + 1));
    QCOMPARE(control<QLabel>("lblCorrect")->text(), QStringLiteral("0"));
    QCOMPARE(control<QLabel>("lblIncorrect")->text(), QStringLiteral("1"));

    display->setFocus();
    QTest::keyClick(display, Qt::Key_Space);
    QVERIFY(!control("fraInfo")->isVisible());
    answer(QString::number(expectedAnswer()));
    display->setCheckState(Qt::PartiallyChecked);
    QVERIFY(!control("fraInfo")->isVisible());
    display->setCheckState(Qt::Checked);
    QVERIFY(control("fraInfo")->isVisible());
    QCOMPARE(control<QLabel>("lblCorrect")->text(), QStringLiteral("1"));
}

void TestMath::tabIntoAnswerSelectsIt()
{
    showWindow();
    auto *answerBox = control<QLineEdit>("txtAnswer");
    QTest::keyClicks(answerBox, QStringLiteral("12"));
    QTest::keyClick(answerBox, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control("cmdVerify"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), answerBox);
    QCOMPARE(answerBox->selectedText(), QStringLiteral("12"));
    QTest::keyClicks(answerBox, QStringLiteral("7"));
    QCOMPARE(answerBox->text(), QStringLiteral("7"));

    // A click into the box selects it too, before the click places the caret.
    control("cmdVerify")->setFocus();
    answerBox->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(answerBox->selectedText(), QStringLiteral("7"));
}

void TestMath::enterPressesVerifyFromOtherControls()
{
    showWindow();
    control("optLevel1")->setFocus();
    bool boxSeen = false;
    whenModalOpens([&boxSeen](QWidget *modal) {
        boxSeen = true;
        QTest::keyClick(modal, Qt::Key_Return);
    });
    QTest::keyClick(control("optLevel1"), Qt::Key_Return);
    QVERIFY(boxSeen);
    QCOMPARE(control<QLabel>("lblIncorrect")->text(), QStringLiteral("1"));
    QCOMPARE(m_window->focusWidget(), control("txtAnswer"));
}

void TestMath::enterOnExitPressesExit()
{
    showWindow();
    control("cmdExit")->setFocus();
    QTest::keyClick(control("cmdExit"), Qt::Key_Return);
    QVERIFY(!m_window->isVisible());
    forgetQuitRequest();
    QVERIFY(control<QLabel>("lblIncorrect")->text().isEmpty());
}

void TestMath::escapeDoesNotClose()
{
    showWindow();
    QTest::keyClick(control("txtAnswer"), Qt::Key_Escape);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
}

// 32768 correct answers, typed and verified with Enter as a child would.
void TestMath::countsGoPast16Bits()
{
    showWindow();
    auto *box = control<QLineEdit>("txtAnswer");
    for (int i = 0; i < 32768; ++i) {
        box->setText(QString::number(expectedAnswer()));
        QTest::keyClick(box, Qt::Key_Return);
    }
    QCOMPARE(control<QLabel>("lblCorrect")->text(), QStringLiteral("32768"));
    QVERIFY(!answer(QString::number(expectedAnswer() + 1)).isEmpty());
    QCOMPARE(control<QLabel>("lblCorrect")->text(), QStringLiteral("32768"));
}

void TestMath::badInput_data()
{
    QTest::addColumn<QString>("typed");

    QTest::newRow("a megabyte of digits") << QString(1 << 20, u'7');
    QTest::newRow("a megabyte of blanks") << QString(1 << 20, u' ');
    QTest::newRow("right-to-left digits") << QString::fromUtf8("\u0663\u0664");
    QTest::newRow("emoji") << QString::fromUtf8("\U0001F600\U0001F600");
    QTest::newRow("combining marks") << QString::fromUtf8("7\u0301\u0301");
    QTest::newRow("control characters") << QString::fromUtf8("\x01\x02\x7f");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800));
    QTest::newRow("signs and points") << "+-.e&H&O";
    QTest::newRow("huge hex") << "&HFFFFFFFFFFFFFFFFFFFF";
}

void TestMath::badInput()
{
    QFETCH(QString, typed);

    showWindow();
    answer(typed);
    QCOMPARE(control<QLabel>("lblCorrect")->text().toInt() + control<QLabel>("lblIncorrect")->text().toInt(), 1);
    QVERIFY(m_window->isVisible());
}

QTEST_MAIN(TestMath)
#include "tst_frmmath.moc"
