// Reads a program's version record from its file, without running it, the
// way README documents: readelf -p .verinfo <program>.

#include <QProcess>
#include <QTest>

class TestVersionRecord : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();

private:
    QMap<QString, QString> readRecord();
};

QMap<QString, QString> TestVersionRecord::readRecord()
{
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"),
                  {QStringLiteral("-p"), QStringLiteral(".verinfo"), QStringLiteral(PROGRAM)});
    if (!readelf.waitForFinished() || readelf.exitCode() != 0)
        return {};
    QMap<QString, QString> record;
    for (const QString &line : QString::fromUtf8(readelf.readAllStandardOutput()).split(u'\n')) {
        // Lines read "  [ offset]  Key=Value".
        const qsizetype bracket = line.indexOf(u']');
        const qsizetype equals = line.indexOf(u'=');
        if (bracket < 0 || equals < bracket)
            continue;
        record.insert(line.mid(bracket + 1, equals - bracket - 1).trimmed(), line.mid(equals + 1));
    }
    return record;
}

void TestVersionRecord::fields_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("fixed file version") << "FixedFileVersion"
                                        << "1.0.0.0";
    QTest::newRow("fixed product version") << "FixedProductVersion"
                                           << "1.0.0.0";
    QTest::newRow("US English, Unicode") << "Translation"
                                         << "0x0409 0x04B0";
    QTest::newRow("file version") << "FileVersion"
                                  << "1.00";
    QTest::newRow("product version") << "ProductVersion"
                                     << "1.00";
    QTest::newRow("internal name") << "InternalName" << INTERNAL_NAME;
    QTest::newRow("original file name") << "OriginalFilename" << ORIGINAL_FILENAME;
    QTest::newRow("product name") << "ProductName" << PRODUCT_NAME;
}

void TestVersionRecord::fields()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    static const QMap<QString, QString> record = readRecord();
    QVERIFY2(!record.isEmpty(), "no version record in " PROGRAM);
    QCOMPARE(record.value(key), value);
}

QTEST_GUILESS_MAIN(TestVersionRecord)
#include "tst_versionrecord.moc"
