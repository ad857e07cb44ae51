// A Scroller saved and loaded through a host's own property bag.

#include "componenthost.h"

class TestComponentPersistence : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void persistenceThroughAPropertyBag();
    void aTickBeforeLoadingKeepsTheNewCaption();

private:
    ComponentHost host;
};

void TestComponentPersistence::initTestCase()
{
    QVERIFY(host.load());
}

void TestComponentPersistence::persistenceThroughAPropertyBag()
{
    IDispatch *first = host.create();
    QVERIFY(first);
    IPersistPropertyBag *persist = nullptr;
    first->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
    QCOMPARE(persist->InitNew(), S_OK);
    QCOMPARE(put(first, DISPID_SCROLLER_CAPTION, 3.5), S_OK);
    QCOMPARE(put(first, DISPID_SCROLLER_BORDERSTYLE, 1), S_OK);
    HostBag bag;
    QCOMPARE(persist->Save(&bag, 1, 0), S_OK);
    QCOMPARE(bag.order, (QStringList{"BackColor", "ForeColor", "BorderStyle", "Caption"}));
    QCOMPARE(int(bag.values[QStringLiteral("BorderStyle")].vt), int(VT_I2));
    persist->Release();
    QCOMPARE(first->Release(), 0u);

    IDispatch *second = host.create();
    second->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
    QCOMPARE(persist->Load(&bag, nullptr), S_OK);
    QCOMPARE(get(second, DISPID_SCROLLER_CAPTION), QVariant(3.5));
    QCOMPARE(get(second, DISPID_SCROLLER_BORDERSTYLE).toInt(), 1);
    QCOMPARE(get(second, DISPID_SCROLLER_BACKCOLOR).toUInt(), 0x00FFFF00u);

    // Saved data of the wrong type stops loading with the runtime's error.
    HostBag wrong;
    VARIANT text = variantOf(QStringLiteral("not a number"));
    wrong.Write(u"Interval", &text);
    VariantClear(&text);
    QCOMPARE(persist->Load(&wrong, nullptr), HRESULT(0x800A000Du)); // type mismatch
    HostErrorLog log;
    QCOMPARE(persist->Load(&wrong, &log), HRESULT(0x800A000Du));
    QCOMPARE(log.errors, QStringList{"Interval: 800a000d Type mismatch (Tovrell)"});
    QCOMPARE(log.references, 1u);
    // An object is no caption, a font or none.
    HostFont font(12.0);
    for (IDispatch *object : {static_cast<IDispatch *>(&font), static_cast<IDispatch *>(nullptr)}) {
        HostBag objectCaption;
        VARIANT saved;
        VariantInit(&saved);
        saved.vt = VT_DISPATCH;
        saved.pdispVal = object;
        objectCaption.Write(u"Caption", &saved);
        QCOMPARE(persist->Load(&objectCaption, nullptr), HRESULT(0x800A000Du));
    }
    QCOMPARE(persist->Load(nullptr, nullptr), E_POINTER);
    CLSID saved{};
    QCOMPARE(persist->GetClassID(&saved), S_OK);
    QVERIFY(saved == host.classId);
    persist->Release();
    QCOMPARE(second->Release(), 0u);
}

// Ticks of the timer before InitNew or Load do not keep the banner on what
// they built: the new caption scrolls.
void TestComponentPersistence::aTickBeforeLoadingKeepsTheNewCaption()
{
    for (const bool load : {false, true}) {
        IDispatch *object = host.create();
        QVERIFY(object);
        QTest::qWait(250);
        IPersistPropertyBag *persist = nullptr;
        object->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void **>(&persist));
        HostBag bag;
        VARIANT caption = variantOf(QStringLiteral("Loaded"));
        bag.Write(u"Caption", &caption);
        VariantClear(&caption);
        QCOMPARE(load ? persist->Load(&bag, nullptr) : persist->InitNew(), S_OK);
        persist->Release();
        QTest::qWait(250);
        const QString shown = get(object, DISPID_SCROLLER_CAPTION).toString();
        QVERIFY2(shown.contains(load ? u'L' : u'S'), qPrintable(shown));
        QCOMPARE(object->Release(), 0u);
    }
}

QTEST_MAIN(TestComponentPersistence)
#include "tst_componentpersistence.moc"
