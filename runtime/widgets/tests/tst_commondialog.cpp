#include "commondialog.h"
#include "formtesting.h"
#include "runtimeerror.h"

#include <QColorDialog>
#include <QTest>

class TestCommonDialog : public QObject
{
    Q_OBJECT

private slots:
    void propertiesByDispatchIdentifier();
    void showColor_data();
    void showColor();
    void dispatchErrors_data();
    void dispatchErrors();
};

void TestCommonDialog::propertiesByDispatchIdentifier()
{
    CommonDialog dialog;
    dialog.invoke(7, Invoke::PropertyPut, {1});
    QCOMPARE(dialog.Flags(), 1);
    QCOMPARE(dialog.invoke(7, Invoke::PropertyGet).toInt(), 1);
    dialog.invoke(6, Invoke::PropertyPut, {qint32(0x00E0E0E0)});
    QCOMPARE(dialog.Color(), 0x00E0E0E0u);
    QCOMPARE(dialog.invoke(6, Invoke::PropertyGet).toInt(), 0x00E0E0E0);
    // A numeric text converts, as variants do.
    dialog.invoke(6, Invoke::PropertyPut, {QStringLiteral("255")});
    QCOMPARE(dialog.Color(), 0x000000FFu);
}

void TestCommonDialog::showColor_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<bool>("opensOnColor");
    QTest::addColumn<uint>("expected");

    QTest::newRow("flag 1, OK on red") << 1 << QColor(Qt::red) << true << 0x000000FFu;
    QTest::newRow("flag 1, Cancel keeps the colour") << 1 << QColor() << true << 0x00123456u;
    QTest::newRow("no flag, OK on green") << 0 << QColor(0, 255, 0) << false << 0x0000FF00u;
}

void TestCommonDialog::showColor()
{
    QFETCH(int, flags);
    QFETCH(QColor, chosen);
    QFETCH(bool, opensOnColor);
    QFETCH(uint, expected);

    CommonDialog dialog;
    dialog.invoke(CommonDialog::FlagsId, Invoke::PropertyPut, {flags});
    dialog.invoke(CommonDialog::ColorId, Invoke::PropertyPut, {0x00123456});
    QColor opened;
    whenModalOpens([&opened, chosen](QWidget *modal) {
        auto *colors = qobject_cast<QColorDialog *>(modal);
        opened = colors->currentColor();
        if (chosen.isValid()) {
            colors->setCurrentColor(chosen);
            colors->accept();
        } else {
            colors->reject();
        }
    });
    dialog.invoke(CommonDialog::ShowColorId, Invoke::Method);
    QCOMPARE(opened == QColor(0x56, 0x34, 0x12), opensOnColor);
    QCOMPARE(quint32(dialog.invoke(CommonDialog::ColorId, Invoke::PropertyGet).toInt()), quint32(expected));
}

void TestCommonDialog::dispatchErrors_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<int>("error");

    QTest::newRow("unknown identifier") << 99 << int(Invoke::PropertyGet) << QVariantList{} << 438;
    QTest::newRow("identifier 0") << 0 << int(Invoke::Method) << QVariantList{} << 438;
    QTest::newRow("ShowColor as a property") << 32 << int(Invoke::PropertyGet) << QVariantList{} << 438;
    QTest::newRow("Color called as a method") << 6 << int(Invoke::Method) << QVariantList{} << 438;
    QTest::newRow("ShowColor with an argument") << 32 << int(Invoke::Method) << QVariantList{1} << 438;
    QTest::newRow("Color put without a value") << 6 << int(Invoke::PropertyPut) << QVariantList{} << 5;
    QTest::newRow("Flags put with two values") << 7 << int(Invoke::PropertyPut) << QVariantList{1, 2} << 5;
    QTest::newRow("Color put with text") << 6 << int(Invoke::PropertyPut) << QVariantList{QStringLiteral("red")} << 13;
}

void TestCommonDialog::dispatchErrors()
{
    QFETCH(int, id);
    QFETCH(int, kind);
    QFETCH(QVariantList, arguments);
    QFETCH(int, error);

    CommonDialog dialog;
    dialog.invoke(6, Invoke::PropertyPut, {7});
    try {
        dialog.invoke(id, Invoke(kind), arguments);
        QFAIL("no error");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.number(), error);
    }
    QCOMPARE(dialog.Color(), 7u);
}

QTEST_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
