#include "componentconversions.h"
#include <tovrell/interfaces.h>

#include <QTest>

#include <cstddef>
#include <cstring>

class TestComponentTypes : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void guidText_data();
    void guidText();
    void bstrHasItsLengthBeforeIt();
    void variantRoundTrip_data();
    void variantRoundTrip();
    void variantsWithoutAQtForm();
    void byReferenceVariants();
    void copyAndClearOwnTheirStrings();
};

void TestComponentTypes::layout()
{
    QCOMPARE(sizeof(GUID), std::size_t(16));
    QCOMPARE(sizeof(VARIANT), std::size_t(16));
    QCOMPARE(offsetof(VARIANT, vt), std::size_t(0));
    QCOMPARE(offsetof(VARIANT, lVal), std::size_t(8));
    QCOMPARE(offsetof(DISPPARAMS, cArgs), std::size_t(16));
    QCOMPARE(sizeof(DISPPARAMS), std::size_t(24));
    QCOMPARE(offsetof(EXCEPINFO, bstrSource), std::size_t(8));
    QCOMPARE(offsetof(EXCEPINFO, scode), std::size_t(56));
    QCOMPARE(sizeof(VARIANT_BOOL), std::size_t(2));
}

void TestComponentTypes::guidText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("canonical");

    QTest::newRow("IDispatch") << "{00020400-0000-0000-C000-000000000046}" << true
                               << "{00020400-0000-0000-C000-000000000046}";
    QTest::newRow("lower case, no braces")
        << "0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9" << true << "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";
    QTest::newRow("too short") << "{00020400-0000-0000-C000-00000000004}" << false << "";
    QTest::newRow("not hex") << "{0002040G-0000-0000-C000-000000000046}" << false << "";
    QTest::newRow("dashes misplaced") << "{000204000-000-0000-C000-000000000046}" << false << "";
    QTest::newRow("a sign in a group") << "{+0020400-0000-0000-C000-000000000046}" << false << "";
    QTest::newRow("a blank in a group") << "{00020400-000 -0000-C000-000000000046}" << false << "";
    QTest::newRow("empty") << "" << false << "";
}

void TestComponentTypes::guidText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, canonical);
    const auto guid = guidFromString(text);
    QCOMPARE(guid.has_value(), valid);
    if (valid)
        QCOMPARE(guidToString(*guid), canonical);
    QVERIFY(*guidFromString(guidToString(IID_IDispatch)) == IID_IDispatch);
}

void TestComponentTypes::bstrHasItsLengthBeforeIt()
{
    const QString text = QString::fromUtf16(u"a\0b\u00e9", 4);
    BSTR string = bstrFromString(text);
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<unsigned char *>(string) - 4, 4);
    QCOMPARE(bytes, 8u);
    QCOMPARE(SysStringLen(string), 4u);
    QCOMPARE(string[4], u'\0');
    QCOMPARE(stringFromBstr(string), text);
    SysFreeString(string);
    SysFreeString(nullptr);
    QCOMPARE(SysStringLen(nullptr), 0u);
    QCOMPARE(stringFromBstr(nullptr), QString());
}

void TestComponentTypes::variantRoundTrip_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("type");

    QTest::newRow("empty") << QVariant() << int(VT_EMPTY);
    QTest::newRow("Null") << QVariant::fromValue(nullptr) << int(VT_NULL);
    QTest::newRow("byte") << QVariant::fromValue<quint8>(200) << int(VT_UI1);
    QTest::newRow("16-bit") << QVariant::fromValue<qint16>(-5) << int(VT_I2);
    QTest::newRow("32-bit") << QVariant(100000) << int(VT_I4);
    QTest::newRow("single") << QVariant(2.5f) << int(VT_R4);
    QTest::newRow("double") << QVariant(1e300) << int(VT_R8);
    QTest::newRow("True") << QVariant(true) << int(VT_BOOL);
    QTest::newRow("text") << QVariant(QStringLiteral("Scroller \u00e9t\u00e9")) << int(VT_BSTR);
    QTest::newRow("empty text") << QVariant(QString()) << int(VT_BSTR);
    QTest::newRow("text led by U+FEFF") << QVariant(QStringLiteral("\uFEFFab")) << int(VT_BSTR);
    QTest::newRow("text led by U+FFFE") << QVariant(QStringLiteral("\uFFFEab")) << int(VT_BSTR);
}

void TestComponentTypes::variantRoundTrip()
{
    QFETCH(QVariant, value);
    QFETCH(int, type);
    VARIANT variant;
    QCOMPARE(variantFromQVariant(value, &variant), S_OK);
    QCOMPARE(int(variant.vt), type);
    const QVariant back = qvariantFromVariant(variant).value();
    QCOMPARE(back.typeId(), value.typeId());
    QCOMPARE(back, value);
    QCOMPARE(VariantClear(&variant), S_OK);
    QCOMPARE(int(variant.vt), int(VT_EMPTY));

    QCOMPARE(variantFromQVariant(QVariant(QStringList{"no"}), &variant), DISP_E_TYPEMISMATCH);
    QCOMPARE(variantFromQVariant(value, nullptr), E_POINTER);
}

// Types kept as something else would change silently: none, and the
// numeric ones still give their value as a number.
void TestComponentTypes::variantsWithoutAQtForm()
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_CY;
    variant.cyVal.int64 = 125000;
    QVERIFY(!qvariantFromVariant(variant));
    QCOMPARE(numberFromVariant(variant), 12.5);
    variant.vt = VT_DATE;
    variant.date = 46000.5;
    QVERIFY(!qvariantFromVariant(variant));
    QVERIFY(!numberFromVariant(variant));
    variant.vt = VT_ERROR;
    QVERIFY(!qvariantFromVariant(variant));

    // A 64-bit value beyond 32 bits becomes a double, never a wrapped VT_I4.
    QCOMPARE(variantFromQVariant(QVariant::fromValue(~quint64(0) - 0x7FFFFFFF), &variant), S_OK);
    QCOMPARE(int(variant.vt), int(VT_R8));
    QCOMPARE(variantFromQVariant(QVariant::fromValue(quint64(0x7FFFFFFF)), &variant), S_OK);
    QCOMPARE(int(variant.vt), int(VT_I4));
}

void TestComponentTypes::byReferenceVariants()
{
    std::int16_t button = 1;
    float x = 150.0f;
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_I2 | VT_BYREF;
    byRef.piVal = &button;
    QCOMPARE(qvariantFromVariant(byRef), QVariant::fromValue<qint16>(1));
    button = 2;
    QCOMPARE(qvariantFromVariant(byRef), QVariant::fromValue<qint16>(2));
    byRef.vt = VT_R4 | VT_BYREF;
    byRef.pfltVal = &x;
    QCOMPARE(qvariantFromVariant(byRef), QVariant(150.0f));
    byRef.byref = nullptr;
    QVERIFY(!qvariantFromVariant(byRef));
}

void TestComponentTypes::copyAndClearOwnTheirStrings()
{
    VARIANT source, copy;
    VariantInit(&copy);
    QCOMPARE(variantFromQVariant(QStringLiteral("shared?"), &source), S_OK);
    QCOMPARE(VariantCopy(&copy, &source), S_OK);
    QVERIFY(copy.bstrVal != source.bstrVal);
    VariantClear(&source);
    QCOMPARE(qvariantFromVariant(copy)->toString(), QStringLiteral("shared?"));
    VariantClear(&copy);
    QCOMPARE(VariantCopy(nullptr, &copy), E_INVALIDARG);
}

QTEST_GUILESS_MAIN(TestComponentTypes)
#include "tst_componenttypes.moc"
