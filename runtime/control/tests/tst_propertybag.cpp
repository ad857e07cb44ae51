#include "propertybag.h"

#include <QFont>
#include <QTest>

class TestPropertyBag : public QObject
{
    Q_OBJECT

private slots:
    void storesOnlyWhatDiffersFromItsDefault_data();
    void storesOnlyWhatDiffersFromItsDefault();
    void readsTheDefaultWhenNothingIsStored();
};

void TestPropertyBag::storesOnlyWhatDiffersFromItsDefault_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<bool>("stored");

    QTest::newRow("same number") << QVariant(100) << QVariant(100) << false;
    QTest::newRow("same number, other width") << QVariant(qint16(100)) << QVariant(qint32(100)) << false;
    QTest::newRow("other number") << QVariant(101) << QVariant(100) << true;
    QTest::newRow("same text") << QVariant(QStringLiteral("Scroller")) << QVariant(QStringLiteral("Scroller")) << false;
    QTest::newRow("text differs in case")
        << QVariant(QStringLiteral("scroller")) << QVariant(QStringLiteral("Scroller")) << true;
    QTest::newRow("42 is not the text 42") << QVariant(42) << QVariant(QStringLiteral("42")) << true;
    QTest::newRow("the text 42 is not 42") << QVariant(QStringLiteral("42")) << QVariant(42) << true;
    QTest::newRow("same Boolean") << QVariant(true) << QVariant(true) << false;
    QTest::newRow("other Boolean") << QVariant(false) << QVariant(true) << true;
    QTest::newRow("Null against text") << QVariant::fromValue(nullptr) << QVariant(QStringLiteral("Scroller")) << true;
    QTest::newRow("same font") << QVariant::fromValue(QFont(QStringLiteral("Liberation Sans"), 8))
                               << QVariant::fromValue(QFont(QStringLiteral("Liberation Sans"), 8)) << false;
    QTest::newRow("larger font") << QVariant::fromValue(QFont(QStringLiteral("Liberation Sans"), 12))
                                 << QVariant::fromValue(QFont(QStringLiteral("Liberation Sans"), 8)) << true;
}

void TestPropertyBag::storesOnlyWhatDiffersFromItsDefault()
{
    QFETCH(QVariant, value);
    QFETCH(QVariant, defaultValue);
    QFETCH(bool, stored);

    MemoryPropertyBag bag;
    bag.WriteProperty(QStringLiteral("Name"), value, defaultValue);
    QCOMPARE(bag.keys().size(), stored ? 1 : 0);
    if (stored)
        QCOMPARE(bag.values().value(QStringLiteral("Name")), value);
}

void TestPropertyBag::readsTheDefaultWhenNothingIsStored()
{
    MemoryPropertyBag bag;
    QCOMPARE(bag.ReadProperty(QStringLiteral("Interval"), 100), QVariant(100));
    bag.WriteProperty(QStringLiteral("Interval"), 0, 100);
    QCOMPARE(bag.ReadProperty(QStringLiteral("Interval"), 100), QVariant(0));
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("A"), QStringLiteral("Scroller"));
    QCOMPARE(bag.keys(), (QStringList{QStringLiteral("Interval"), QStringLiteral("Caption")}));
}

QTEST_MAIN(TestPropertyBag)
#include "tst_propertybag.moc"
