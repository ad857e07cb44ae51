// Find benchmark: a 10 MB text of realistic lines in the editor's document;
// times Find Next to an occurrence a few lines on, a search that finds
// nothing in the whole text, and `grep -ci` over the same text and word.
//
//   findbench [runs]

#include "documenttext.h"
#include "instr.h"

#include <QGuiApplication>
#include <QPlainTextDocumentLayout>
#include <QTemporaryFile>
#include <QTextDocument>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

QString realisticText(qsizetype bytes)
{
    const QStringList words =
        QStringLiteral(
            "the of and to in is that for it as was with be by on not he this are or his from at which but have an "
            "they "
            "you were her she there would their we him been has when who will more no if out so said what up its about "
            "into than them can only other new some could time these two may then do first any my now such like our "
            "over "
            "man me even most made after also did many before must through back years where much your way well down "
            "should because each just those people how too little state good very make world still own see men work "
            "long "
            "get here between both life being under never day same another know while last might us great old year off "
            "come since against go came right used take three")
            .split(u' ');
    std::mt19937 random(7);
    QString text;
    text.reserve(bytes + 200);
    while (text.size() < bytes) {
        const int length = 4 + int(random() % 14);
        for (int i = 0; i < length; ++i) {
            text += words[qsizetype(random() % words.size())];
            text += i + 1 < length ? u' ' : u'.';
        }
        text += u'\n';
    }
    return text;
}

template <typename F>
double medianMicroseconds(int runs, F &&work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void runGrep(const QString &file, const char *word)
{
    const QByteArray path = file.toLocal8Bit();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!freopen("/dev/null", "w", stdout))
            _exit(127);
        execlp("grep", "grep", "-ci", word, path.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;

    const QString text = realisticText(10 * 1000 * 1000);
    QTextDocument document;
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    DocumentText documentText(&document);
    auto loadStart = Clock::now();
    document.setPlainText(text);
    const double loadMs = std::chrono::duration<double, std::milli>(Clock::now() - loadStart).count();

    // An occurrence a few lines on from the middle of the text.
    const char *nearWord = "against";
    const qsizetype middle = text.indexOf(u'\n', text.size() / 2) + 2;
    const qsizetype expected = text.indexOf(QLatin1String(nearWord), middle, Qt::CaseInsensitive) + 1;
    const qsizetype linesOn = text.mid(middle, expected - middle).count(u'\n');
    const double nearUs = medianMicroseconds(runs, [&] {
        if (InStr(middle, documentText.text(), QString::fromLatin1(nearWord), Compare::Text) != expected)
            std::abort();
    });

    const char *missingWord = "zyxwvut";
    const double missUs = medianMicroseconds(runs, [&] {
        if (InStr(1, documentText.text(), QString::fromLatin1(missingWord), Compare::Text) != 0)
            std::abort();
    });

    // Keeping the searched text current: one character typed mid-text.
    QTextCursor cursor(&document);
    cursor.setPosition(int(middle));
    const double typeUs = medianMicroseconds(runs, [&] { cursor.insertText(QStringLiteral("x")); });

    QTemporaryFile file;
    if (!file.open())
        return 1;
    file.write(text.toUtf8());
    file.flush();
    runGrep(file.fileName(), missingWord); // warm the file cache
    const double grepUs = medianMicroseconds(runs, [&] { runGrep(file.fileName(), missingWord); });

    std::printf("text: %.1f MB, %lld lines; medians of %d runs\n", double(text.size()) / 1e6,
                static_cast<long long>(document.blockCount()), runs);
    std::printf("Find Next, occurrence %lld lines on:  %10.1f us\n", static_cast<long long>(linesOn), nearUs);
    std::printf("whole-text miss:                   %10.1f us\n", missUs);
    std::printf("grep -ci, same text and word:      %10.1f us\n", grepUs);
    std::printf("miss / grep:                       %10.2fx\n", missUs / grepUs);
    std::printf("one character typed (kept current): %9.1f us\n", typeUs);
    std::printf("loading the text into the document: %9.1f ms\n", loadMs);
    return 0;
}
