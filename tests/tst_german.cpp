#include "formtesting.h"
#include "program.h"
#include "programwindows.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>

// The three programs as a German desktop starts them (LANG=de_DE.UTF-8):
// their windows, the runtime's boxes and Qt's dialog buttons all German,
// and every German caption fits its control.
class TestGerman : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowTexts_data();
    void windowTexts();
    void captionsFit_data();
    void captionsFit();
    void boxesAndTheirButtons();
};

namespace {

QString textOf(const QObject *object)
{
    if (auto *label = qobject_cast<const QLabel *>(object))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(object))
        return button->text();
    if (auto *group = qobject_cast<const QGroupBox *>(object))
        return group->title();
    if (auto *menu = qobject_cast<const QMenu *>(object))
        return menu->title();
    if (auto *action = qobject_cast<const QAction *>(object))
        return action->text();
    return object->property("windowTitle").toString();
}

} // namespace

void TestGerman::initTestCase()
{
    QCOMPARE(QLocale().language(), QLocale::German);
    // Each program installs its own catalog beside Qt's and the runtime's.
    setUpProgram("Math", "1.00", "org.formprograms.Math");
    setUpProgram("Month", "1.00", "org.formprograms.Month");
    setUpProgram("Edit", "1.00", "org.formprograms.Edit");
}

void TestGerman::windowTexts_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("text");
    QTest::newRow("Math title") << "Math"
                                << "frmMath"
                                << "Rechenübung";
    QTest::newRow("Math verify") << "Math"
                                 << "cmdVerify"
                                 << "Antwort &prüfen";
    QTest::newRow("Month title") << "Month"
                                 << "frmMthlyPay"
                                 << "Kreditratenrechner";
    QTest::newRow("Month term") << "Month"
                                << "optTerm_3"
                                << "&5 Jahre";
    QTest::newRow("Month colour menu") << "Month"
                                       << "mnuColor"
                                       << "&Farbe";
    QTest::newRow("Edit title") << "Edit"
                                << "frmEdit"
                                << "Dokument - Texteditor";
    QTest::newRow("Edit save as") << "Edit"
                                  << "mnuFileSaveAs"
                                  << "Speichern &unter...";
    QTest::newRow("Edit find next") << "Edit"
                                    << "mnuEditFindNext"
                                    << "&Weitersuchen";
}

void TestGerman::windowTexts()
{
    QFETCH(QString, program);
    QFETCH(QString, object);
    QFETCH(QString, text);
    const auto window = makeWindow(program);
    const QObject *found = window->objectName() == object ? window.get() : window->findChild<QObject *>(object);
    QVERIFY2(found, qPrintable(object));
    QCOMPARE(textOf(found), text);
}

void TestGerman::captionsFit_data()
{
    addProgramRows();
}

void TestGerman::captionsFit()
{
    QFETCH(QString, program);
    const auto window = makeWindow(program);
    window->show();
    const QString clipped = clippedCaption(window.get());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped));
}

void TestGerman::boxesAndTheirButtons()
{
    frmEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QStringList seen;
    std::function<void(QWidget *)> answer = [&seen, &answer](QWidget *modal) {
        for (const QAbstractButton *button : modal->findChildren<QAbstractButton *>())
            seen << button->text().remove(u'&');
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            seen << input->labelText() << input->windowTitle();
            QTest::keyClicks(input->findChild<QLineEdit *>(), QStringLiteral("nirgends"));
            whenModalOpens(answer);
            QTest::keyClick(input->findChild<QLineEdit *>(), Qt::Key_Return);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen << box->text();
            QTest::keyClick(box, Qt::Key_Return);
        }
    };
    whenModalOpens(answer);
    QTest::keySequence(window.findChild<QPlainTextEdit *>(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QVERIFY2(seen.contains(QStringLiteral("Wonach suchen?")), qPrintable(seen.join(u'|')));
    QVERIFY2(seen.contains(QStringLiteral("Suchen")), qPrintable(seen.join(u'|')));
    QVERIFY2(seen.contains(QStringLiteral("Abbrechen")), qPrintable(seen.join(u'|')));
    QVERIFY2(seen.contains(QStringLiteral("Der Suchtext wurde nicht gefunden.")), qPrintable(seen.join(u'|')));
}

QTEST_MAIN(TestGerman)
#include "tst_german.moc"
