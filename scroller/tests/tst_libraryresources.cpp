// The library's resources, found in its file by (type, id) through the
// runtime, and the reader's answers for files that hold none.

#include "libraryresources.h"
#include <tovrell/tovrell.h>

#include <QTemporaryFile>
#include <QTest>

#include <cstring>

class TestLibraryResources : public QObject
{
    Q_OBJECT

private slots:
    void interfaceIdRecords_data();
    void interfaceIdRecords();
    void toolboxBitmap();
    void versionBlock();
    void missingOrMalformed_data();
    void missingOrMalformed();
};

void TestLibraryResources::interfaceIdRecords_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("guid");
    const auto bytes = [](const GUID &guid) { return QByteArray(reinterpret_cast<const char *>(&guid), sizeof guid); };
    QTest::newRow("_IID_SCROLLER") << "_IID_SCROLLER" << bytes(IID__Scroller);
    QTest::newRow("_SRCIID_SCROLLER") << "_SRCIID_SCROLLER" << bytes(DIID___Scroller);
}

void TestLibraryResources::interfaceIdRecords()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, guid);
    const auto record = findResource(QStringLiteral(TOVRELL_PATH), type, 1);
    QVERIFY(record.has_value());
    QCOMPARE(record->size(), 20);
    QCOMPARE(record->left(4), QByteArray("\x10\0\0\0", 4));
    QCOMPARE(record->mid(4), guid);
}

void TestLibraryResources::toolboxBitmap()
{
    const auto bitmap = findResource(QStringLiteral(TOVRELL_PATH), QStringLiteral("BITMAP"), 30000);
    QVERIFY(bitmap.has_value());
    std::int32_t header[3] = {};
    std::int16_t planesAndBits[2] = {};
    std::memcpy(header, bitmap->constData(), sizeof header);
    std::memcpy(planesAndBits, bitmap->constData() + 12, sizeof planesAndBits);
    QCOMPARE(header[0], 40); // a bitmap information header
    QCOMPARE(header[1], 16);
    QCOMPARE(header[2], 15);
    QCOMPARE(planesAndBits[1], 4);
    QCOMPARE(bitmap->size(), 40 + 16 * 4 + 8 * 15);
}

void TestLibraryResources::versionBlock()
{
    const auto block = findResource(QStringLiteral(TOVRELL_PATH), QStringLiteral("VERSION"), 1);
    QVERIFY(block.has_value());
    const QString text = QString::fromUtf8(*block);
    for (const char *line :
         {"FixedFileVersion=1.0.0.0", "ProductName=Tovrell", "InternalName=Tovrell", "FileVersion=1.00",
          "ProductVersion=1.00", "OriginalFilename=libtovrell.so.1", "SelfRegister=", "Translation=0x0409 1200"})
        QVERIFY2(text.contains(QLatin1String(line)), line);
}

void TestLibraryResources::missingOrMalformed_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("id");

    QTest::newRow("unknown id") << QStringLiteral(TOVRELL_PATH) << "BITMAP" << 1;
    QTest::newRow("unknown type") << QStringLiteral(TOVRELL_PATH) << "ICON" << 30000;
    QTest::newRow("no such file") << "/nonexistent/lib.so"
                                  << "BITMAP" << 30000;
    QTest::newRow("a library without resources") << QStringLiteral(QTCORE_PATH) << "BITMAP" << 30000;
    QTest::newRow("not an ELF file") << QStringLiteral(__FILE__) << "BITMAP" << 30000;
}

void TestLibraryResources::missingOrMalformed()
{
    QFETCH(QString, path);
    QFETCH(QString, type);
    QFETCH(int, id);
    QVERIFY(!findResource(path, type, std::uint32_t(id)).has_value());

    // A cut-off copy of the library (its section table stands at the end)
    // holds no resources, and is read without overrunning it.
    QFile library(QStringLiteral(TOVRELL_PATH));
    QVERIFY(library.open(QIODevice::ReadOnly));
    const QByteArray whole = library.readAll();
    for (const qsizetype size : {qsizetype(0), qsizetype(16), qsizetype(64), whole.size() / 2, whole.size() - 1}) {
        QTemporaryFile cut;
        QVERIFY(cut.open());
        cut.write(whole.left(size));
        cut.flush();
        QVERIFY(!findResource(cut.fileName(), QStringLiteral("VERSION"), 1).has_value());
    }
}

QTEST_GUILESS_MAIN(TestLibraryResources)
#include "tst_libraryresources.moc"
