#pragma once

// What every harness shares: reading typed values off libFuzzer's bytes,
// and the Qt application that widget harnesses need.

#include <QApplication>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

// The input as a stream of values; past its end every value is 0 or empty.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    { }

    bool atEnd() const { return m_at >= m_size; }

    template <typename T>
    T take()
    {
        T value{};
        const std::size_t n = std::min(sizeof value, m_size - std::min(m_at, m_size));
        if (n > 0)
            std::memcpy(&value, m_data + m_at, n);
        m_at += sizeof value;
        return value;
    }

    // A number in [0, count), for choosing among count things.
    unsigned choose(unsigned count) { return count ? take<std::uint8_t>() % count : 0; }

    // UTF-16 code units as they come, lone surrogates and all: at most
    // maxLength of them, the length taken first.
    QString text(std::size_t maxLength = 64)
    {
        const std::size_t length = std::min<std::size_t>(take<std::uint8_t>(), maxLength);
        QString result;
        for (std::size_t i = 0; i < length && !atEnd(); ++i)
            result += QChar(take<char16_t>());
        return result;
    }

    // What is left, as bytes.
    QByteArray rest()
    {
        const std::size_t from = std::min(m_at, m_size);
        m_at = m_size;
        return QByteArray(reinterpret_cast<const char *>(m_data + from), qsizetype(m_size - from));
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// The application for harnesses that make widgets, offscreen, made once
// and never destroyed: libFuzzer ends the process from an exit handler,
// after which Qt cannot take its application down.
inline void startApplication()
{
    static QApplication *application = nullptr;
    if (application)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    application = new QApplication(argc, argv);
}

// A harness's own check failed: libFuzzer keeps the input as a crash.
[[noreturn]] inline void checkFailed(const char *what)
{
    qFatal("check failed: %s", what);
}

// Writes contents as the file at path, or fails the run.
inline void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        checkFailed("the harness cannot write its file");
}
