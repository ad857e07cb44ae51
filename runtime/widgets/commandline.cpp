#include "commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

// The options of QApplication that --help-all adds, as Qt's documentation
// gives them.
const char qtOptions[] = "Qt's options:\n"
                         "  -platform <name[:options]>  The windowing platform (xcb, wayland, offscreen).\n"
                         "  -display <display>          The X display (xcb).\n"
                         "  -style <style>              The widget style.\n"
                         "  -stylesheet <file>          A style sheet for the whole program.\n"
                         "  -reverse                    Lays the window out from right to left.\n"
                         "  -qwindowgeometry <geometry> The window's size and position.\n"
                         "  -qwindowtitle <title>       The window's title.\n";

} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[], const char *name, const char *version,
                                     const char *description)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform, -reverse): they
    // are not runs of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromUtf8(description));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    // Anything else is the application's business; unknown options are not
    // an error here.
    parser.parse(arguments);

    const bool helpAll = parser.isSet(QStringLiteral("help-all"));
    if (parser.isSet(helpOption) || helpAll) {
        const QString command = arguments.isEmpty() ? QString::fromUtf8(name) : QFileInfo(arguments.front()).fileName();
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), command);
        std::fputs(qPrintable(text), stdout);
        if (helpAll)
            std::fputs(qtOptions, stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        std::printf("%s %s\n", name, version);
        return 0;
    }
    return std::nullopt;
}
