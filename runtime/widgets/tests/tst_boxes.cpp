#include "colour.h"
#include "formtesting.h"
#include "handlerguard.h"
#include "messagebox.h"
#include "picture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QTest>

#include <optional>

namespace {

QAbstractButton *buttonOf(QWidget *modal, QMessageBox::StandardButton which)
{
    auto *box = qobject_cast<QMessageBox *>(modal);
    return box ? box->button(which) : nullptr;
}

struct KeyStroke
{
    QEvent::Type type;
    Qt::Key key;
    quint64 timestamp;
    bool autoRepeat;
};
using KeyStrokes = QList<KeyStroke>;

// What Qt's accessibility bridge does while a screen reader listens: it
// takes each key event as it reaches a window and sends a copy without its
// time on to the window.
class AccessibilityBridge : public QObject
{
public:
    AccessibilityBridge() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) || !watched->isWindowType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->timestamp() == 0)
            return false;
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat());
        QApplication::sendEvent(watched, &copy);
        return true;
    }
};

} // namespace

class TestBoxes : public QObject
{
    Q_OBJECT

public:
    void reportInBox() { throw RuntimeError::overflow(); }

private slots:
    void messageBoxStyles_data();
    void messageBoxStyles();
    void messageBoxKeys_data();
    void messageBoxKeys();
    void inputBox_data();
    void inputBox();
    void guardReportsErrorsAndGoesOn();
    void colours_data();
    void colours();
    void systemColoursFollowThePalette();
    void pictureSizesTheImage();
};

void TestBoxes::messageBoxStyles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttonCount");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<int>("expected");

    QTest::newRow("64: information, OK") << 64 << int(QMessageBox::Information) << 1 << int(QMessageBox::Ok) << 1;
    QTest::newRow("16: critical") << 16 << int(QMessageBox::Critical) << 1 << int(QMessageBox::Ok) << 1;
    QTest::newRow("1+32: question, Cancel") << 33 << int(QMessageBox::Question) << 2 << int(QMessageBox::Cancel) << 2;
    QTest::newRow("2: Retry") << 2 << int(QMessageBox::NoIcon) << 3 << int(QMessageBox::Retry) << 4;
    QTest::newRow("3+48: warning, No") << 51 << int(QMessageBox::Warning) << 3 << int(QMessageBox::No) << 7;
    QTest::newRow("4: Yes") << 4 << int(QMessageBox::NoIcon) << 2 << int(QMessageBox::Yes) << 6;
}

void TestBoxes::messageBoxStyles()
{
    QFETCH(int, style);
    QFETCH(int, icon);
    QFETCH(int, buttonCount);
    QFETCH(int, pressed);
    QFETCH(int, expected);

    QString seenTitle, seenText;
    int seenIcon = -1;
    qsizetype seenButtons = -1;
    whenModalOpens([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        seenButtons = box->buttons().size();
        buttonOf(modal, QMessageBox::StandardButton(pressed))->click();
    });
    QCOMPARE(MsgBox(QStringLiteral("Try again."), style, QStringLiteral("Math Application")), expected);
    QCOMPARE(seenTitle, QStringLiteral("Math Application"));
    QCOMPARE(seenText, QStringLiteral("Try again."));
    QCOMPARE(seenIcon, icon);
    QCOMPARE(seenButtons, qsizetype(buttonCount));
}

void TestBoxes::messageBoxKeys_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<KeyStrokes>("strokes");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("screenReader");

    const auto press = [](Qt::Key key, quint64 time, bool repeat = false) {
        return KeyStroke{QEvent::KeyPress, key, time, repeat};
    };
    const auto release = [](Qt::Key key, quint64 time) { return KeyStroke{QEvent::KeyRelease, key, time, false}; };
    QTest::newRow("Escape on OK and Cancel is Cancel")
        << 1 << KeyStrokes{press(Qt::Key_Escape, 1000)} << true << 2 << false;
    QTest::newRow("Escape on OK alone is OK") << 0 << KeyStrokes{press(Qt::Key_Escape, 1000)} << true << 1 << false;
    // Yes and No, No the default: Escape and Return both answer No.
    QTest::newRow("Escape") << 260 << KeyStrokes{press(Qt::Key_Escape, 1000)} << true << 7 << false;
    QTest::newRow("Return") << 260 << KeyStrokes{press(Qt::Key_Return, 1000)} << true << 7 << false;
    // A key held down from before the box repeats into it without answering it.
    QTest::newRow("held, marked as repeats")
        << 260
        << KeyStrokes{press(Qt::Key_Return, 0, true), press(Qt::Key_Escape, 0, true), press(Qt::Key_Space, 0, true)}
        << false << 7 << false;
    QTest::newRow("held, a release and a press at one time")
        << 260 << KeyStrokes{release(Qt::Key_Return, 1000), press(Qt::Key_Return, 1000)} << false << 7 << false;
    QTest::newRow("released, pressed again")
        << 260 << KeyStrokes{release(Qt::Key_Return, 1000), press(Qt::Key_Return, 1100)} << true << 7 << false;
    QTest::newRow("held, a release and a press at one time, with a screen reader")
        << 260 << KeyStrokes{release(Qt::Key_Return, 1000), press(Qt::Key_Return, 1000)} << false << 7 << true;
    QTest::newRow("released, pressed again, with a screen reader")
        << 260 << KeyStrokes{release(Qt::Key_Return, 1000), press(Qt::Key_Return, 1100)} << true << 7 << true;
    QTest::newRow("Space, with a screen reader")
        << 260 << KeyStrokes{release(Qt::Key_Space, 1000), press(Qt::Key_Space, 1100), release(Qt::Key_Space, 1200)}
        << true << 7 << true;
}

void TestBoxes::messageBoxKeys()
{
    QFETCH(int, style);
    QFETCH(KeyStrokes, strokes);
    QFETCH(bool, answered);
    QFETCH(int, result);
    QFETCH(bool, screenReader);

    std::optional<AccessibilityBridge> bridge;
    if (screenReader)
        bridge.emplace();
    bool closed = false;
    whenModalOpens([&](QWidget *modal) {
        // Keys come as the window system sends them: to the box's window,
        // which hands them to the focus.
        for (const KeyStroke &stroke : strokes) {
            QKeyEvent event(stroke.type, stroke.key, Qt::NoModifier, QString(), stroke.autoRepeat);
            event.setTimestamp(stroke.timestamp);
            QApplication::sendEvent(modal->windowHandle(), &event);
        }
        closed = !modal->isVisible();
        if (!closed)
            QTest::keyClick(modal, Qt::Key_Escape);
    });
    QCOMPARE(MsgBox(QStringLiteral("Sure?"), style), result);
    QCOMPARE(closed, answered);
}

void TestBoxes::inputBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected");

    QTest::newRow("OK returns the text") << "needle" << true << "needle";
    QTest::newRow("Cancel returns empty") << "needle" << false << "";
    QTest::newRow("OK with nothing typed") << "" << true << "";
}

void TestBoxes::inputBox()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, expected);

    QString seenTitle, seenLabel;
    whenModalOpens([&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        seenTitle = dialog->windowTitle();
        seenLabel = dialog->labelText();
        auto *edit = dialog->findChild<QLineEdit *>();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    QCOMPARE(InputBox(QStringLiteral("Find what?"), QStringLiteral("Find")), expected);
    QCOMPARE(seenTitle, QStringLiteral("Find"));
    QCOMPARE(seenLabel, QStringLiteral("Find what?"));
}

void TestBoxes::guardReportsErrorsAndGoesOn()
{
    QString seenText;
    whenModalOpens([&](QWidget *modal) {
        seenText = qobject_cast<QMessageBox *>(modal)->text();
        buttonOf(modal, QMessageBox::Ok)->click();
    });
    QPushButton sender;
    connect(&sender, &QPushButton::clicked, this, guarded(this, &TestBoxes::reportInBox));
    sender.click();
    QVERIFY(seenText.contains(QStringLiteral("Overflow")));
    QVERIFY(seenText.contains(QStringLiteral("'6'")));
}

void TestBoxes::colours_data()
{
    QTest::addColumn<uint>("value");
    QTest::addColumn<QColor>("color");

    QTest::newRow("light grey") << 0x00E0E0E0u << QColor(224, 224, 224);
    QTest::newRow("red is the low byte") << 0x000000FFu << QColor(255, 0, 0);
    QTest::newRow("blue is the high byte") << 0x00FF0000u << QColor(0, 0, 255);
    QTest::newRow("mixed") << 0x00123456u << QColor(0x56, 0x34, 0x12);
}

void TestBoxes::colours()
{
    QFETCH(uint, value);
    QFETCH(QColor, color);
    QCOMPARE(colorFromValue(value), color);
    QCOMPARE(valueFromColor(color), quint32(value));
}

void TestBoxes::systemColoursFollowThePalette()
{
    const QPalette palette = QApplication::palette();
    QCOMPARE(colorFromValue(0x8000000F), palette.color(QPalette::Button));
    QCOMPARE(colorFromValue(0x80000012), palette.color(QPalette::ButtonText));
    QCOMPARE(colorFromValue(0x80000008), palette.color(QPalette::WindowText));
}

void TestBoxes::pictureSizesTheImage()
{
    QLabel image;
    image.resize(25, 33);
    QPixmap square(32, 32);
    square.fill(Qt::yellow);

    setPicture(&image, square);
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(picture(&image).size(), QSize(32, 32));

    setPicture(&image, QPixmap());
    QVERIFY(picture(&image).isNull());
    QCOMPARE(image.size(), QSize(32, 32));

    QLabel framed;
    framed.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setPicture(&framed, square);
    QCOMPARE(framed.size(), QSize(32 + 2 * framed.frameWidth(), 32 + 2 * framed.frameWidth()));
}

QTEST_MAIN(TestBoxes)
#include "tst_boxes.moc"
