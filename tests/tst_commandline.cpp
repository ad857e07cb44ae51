// The four commands as a shell runs them, with no display at all: --help
// and --version answer on standard output and end with 0, and Qt's own
// options still reach the application.

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
    void qtsOwnOptionsStillWork();
};

namespace {

// The environment of a shell on a machine with no display.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

} // namespace

void TestCommandLine::answersWithoutADisplay_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("output");
    // The programs give their version records' version; regcomponent, no
    // program of the form runtime's, its package's.
    const QList<std::tuple<const char *, const char *, const char *>> commands = {
        {MATH, "Math", "1\\.00"},
        {MONTH, "Month", "1\\.00"},
        {EDIT, "Edit", "1\\.00"},
        {REGCOMPONENT, "regcomponent", "1\\.0\\.0"}};
    for (const auto &[path, name, version] : commands) {
        const QString command = QString::fromUtf8(path);
        for (const char *option : {"--help", "-h"})
            QTest::addRow("%s %s", name, option)
                << command << option << "^[Uu]sage: \\S*(Math|Month|Edit|regcomponent)";
        for (const char *option : {"--version", "-v"})
            QTest::addRow("%s %s", name, option)
                << command << option << QStringLiteral("^%1 %2\\n$").arg(name, version);
    }
    QTest::newRow("Math --help-all") << QString::fromUtf8(MATH) << "--help-all"
                                     << "-platform <name";
}

void TestCommandLine::answersWithoutADisplay()
{
    QFETCH(QString, command);
    QFETCH(QString, option);
    QFETCH(QString, output);
    QProcess process;
    process.setProcessEnvironment(withoutDisplay());
    process.start(command, {option});
    QVERIFY(process.waitForFinished(10000));
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, qPrintable(error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
    QVERIFY2(printed.contains(QRegularExpression(output, QRegularExpression::MultilineOption)), qPrintable(printed));
}

// With no display, -platform offscreen is what lets a program start: it
// shows its window.
void TestCommandLine::qtsOwnOptionsStillWork()
{
    QProcess process;
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(QStringLiteral("FORM_REPORT_FIRST_PAINT"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(QString::fromUtf8(MATH), {QStringLiteral("-platform"), QStringLiteral("offscreen")});
    QByteArray printed;
    QTRY_VERIFY_WITH_TIMEOUT((printed += process.readAllStandardOutput()).startsWith("first-paint "), 10000);
    process.kill();
    process.waitForFinished();
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
