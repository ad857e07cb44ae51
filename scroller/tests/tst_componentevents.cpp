// What a host that loaded the library hears from a Scroller: its events
// from real mouse input, and its property changes, through connection
// points; and a host that ends the control from its own handler.

#include "componenthost.h"

#include <QPointer>

class TestComponentEvents : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eventsFromRealMouseInput();
    void propertyChangesReachTheHost();
    void theHostEndsTheControlInItsHandler_data();
    void theHostEndsTheControlInItsHandler();

private:
    ComponentHost host;
};

void TestComponentEvents::initTestCase()
{
    QVERIFY(host.load());
}

void TestComponentEvents::eventsFromRealMouseInput()
{
    IDispatch *object = host.create();
    QVERIFY(object);
    IConnectionPointContainer *container = nullptr;
    QCOMPARE(object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container)), S_OK);
    IConnectionPoint *point = nullptr;
    QCOMPARE(container->FindConnectionPoint(IID_IDispatch, &point), CONNECT_E_NOCONNECTION);
    QCOMPARE(container->FindConnectionPoint(DIID___Scroller, &point), S_OK);
    EventSink sink;
    DWORD cookie = 0;
    QCOMPARE(point->Advise(&sink, &cookie), S_OK);
    QVERIFY(cookie != 0);

    QWidget *control = host.window.childAt(20, 20);
    QVERIFY(control);
    QTest::mouseClick(control, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5));
    QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(2, 3));
    QTest::mousePress(control, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseMove(control, QPoint(6, 4));
    QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(6, 4));
    QTest::mouseMove(control, QPoint(8, 2)); // no button held

    QList<DISPID> ids;
    for (const auto &[id, arguments] : sink.events)
        ids << id;
    QVERIFY(ids.mid(0, 3) == (QList<DISPID>{3, 5, 1}));
    QVERIFY(ids.contains(2));
    QVERIFY(ids.contains(4));
    QCOMPARE(sink.events.front().second, (QList<double>{1, 1, 150, 75})); // Button, Shift, X, Y in twips
    QCOMPARE(sink.events.back().first, 4);
    QCOMPARE(sink.events.back().second, (QList<double>{0, 0, 120, 30}));

    QCOMPARE(point->Unadvise(cookie), S_OK);
    QCOMPARE(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    const std::size_t seen = sink.events.size();
    QTest::mouseClick(control, Qt::LeftButton);
    QCOMPARE(sink.events.size(), seen);
    QCOMPARE(sink.references, 1u);
    point->Release();
    container->Release();
    QCOMPARE(object->Release(), 0u);
}

void TestComponentEvents::propertyChangesReachTheHost()
{
    IDispatch *object = host.create();
    QVERIFY(object);
    IConnectionPointContainer *container = nullptr;
    QCOMPARE(object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container)), S_OK);
    IConnectionPoint *point = nullptr;
    QCOMPARE(container->FindConnectionPoint(IID_IPropertyNotifySink, &point), S_OK);
    IID outgoing{};
    QCOMPARE(point->GetConnectionInterface(&outgoing), S_OK);
    QVERIFY(outgoing == IID_IPropertyNotifySink);
    PropertyChangeSink sink;
    DWORD cookie = 0;
    QCOMPARE(point->Advise(&sink, &cookie), S_OK);
    EventSink notASink;
    DWORD none = 0;
    QCOMPARE(point->Advise(&notASink, &none), CONNECT_E_CANNOTCONNECT);

    _Scroller *scroller = nullptr;
    QCOMPARE(object->QueryInterface(IID__Scroller, reinterpret_cast<void **>(&scroller)), S_OK);
    QCOMPARE(put(object, DISPID_SCROLLER_CAPTION, QStringLiteral("news")), S_OK);
    QCOMPARE(scroller->put_Interval(50), S_OK);
    QCOMPARE(scroller->put_BorderStyle(7), HRESULT(0x800A017Cu)); // refused: no change
    QCOMPARE(sink.changed, (QList<DISPID>{DISPID_SCROLLER_CAPTION, DISPID_SCROLLER_INTERVAL}));

    QCOMPARE(point->Unadvise(cookie), S_OK);
    QCOMPARE(sink.references, 1u);
    scroller->Release();
    point->Release();
    container->Release();
    QCOMPARE(object->Release(), 0u);
}

// A host may release its last reference, or delete its host.window, from an
// event handler; the control's own handler must not touch what is gone
// (the sanitizer build sees any use after free).
void TestComponentEvents::theHostEndsTheControlInItsHandler_data()
{
    QTest::addColumn<DISPID>("event");
    QTest::addColumn<bool>("deleteWindow");
    QTest::newRow("release in MouseUp") << 5 << false;
    QTest::newRow("release in Click") << 1 << false;
    QTest::newRow("release in DblClick") << 2 << false;
    QTest::newRow("delete the host.window in MouseUp") << 5 << true;
    QTest::newRow("delete the host.window in DblClick") << 2 << true;
}

void TestComponentEvents::theHostEndsTheControlInItsHandler()
{
    QFETCH(DISPID, event);
    QFETCH(bool, deleteWindow);
    auto *ownWindow = new QWidget;
    ownWindow->resize(440, 80);
    ownWindow->show();
    IDispatch *object = host.create(ownWindow);
    QVERIFY(object);
    IConnectionPointContainer *container = nullptr;
    object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&container));
    IConnectionPoint *point = nullptr;
    container->FindConnectionPoint(DIID___Scroller, &point);
    EventSink sink;
    DWORD cookie = 0;
    QCOMPARE(point->Advise(&sink, &cookie), S_OK);
    point->Release();
    container->Release();
    QPointer<QWidget> control = ownWindow->childAt(20, 20);
    QVERIFY(control);
    bool ended = false;
    sink.onEvent = [&](DISPID id) {
        if (id != event || ended)
            return;
        ended = true;
        if (deleteWindow)
            delete ownWindow;
        else
            object->Release();
    };
    if (event == 2)
        QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(4, 4));
    else
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(ended);
    QVERIFY(!control);
    if (deleteWindow)
        QCOMPARE(object->Release(), 0u);
    else
        delete ownWindow;
    QCOMPARE(sink.references, 1u);
    QCOMPARE(host.canUnloadNow(), S_OK);
}

QTEST_MAIN(TestComponentEvents)
#include "tst_componentevents.moc"
