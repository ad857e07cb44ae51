#include "val.h"

#include "runtimeerror.h"

#include <charconv>
#include <string>

namespace {

// Reads characters one at a time, passing over the blanks that Val ignores.
class Scanner
{
public:
    explicit Scanner(QStringView text)
        : m_text(text)
    { }

    char16_t peek()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos].unicode()))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos].unicode() : u'\0';
    }
    void take() { ++m_pos; }
    qsizetype position() const { return m_pos; }
    void rewind(qsizetype position) { m_pos = position; }

private:
    static bool isSkipped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

    QStringView m_text;
    qsizetype m_pos = 0;
};

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int digitValue(char16_t c, int base)
{
    int value = -1;
    if (isDigit(c))
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

// "&H" and "&O" numbers: up to 16 bits they are Integers, up to 32 bits
// Longs, both in two's complement, so "&HFFFF" reads -1.
double readRadix(Scanner &scanner, int base)
{
    quint64 value = 0;
    for (int digit; (digit = digitValue(scanner.peek(), base)) >= 0; scanner.take()) {
        value = value * quint64(base) + quint64(digit);
        if (value > 0xFFFFFFFFu)
            throw RuntimeError::overflow();
    }
    if (value <= 0xFFFFu)
        return double(qint16(quint16(value)));
    return double(qint32(quint32(value)));
}

double readDecimal(Scanner &scanner)
{
    std::string number;
    if (scanner.peek() == u'+' || scanner.peek() == u'-') {
        if (scanner.peek() == u'-')
            number += '-';
        scanner.take();
    }

    // The decimal magnitude of the first significant digit, kept to tell an
    // overflow from an underflow when the value leaves the double range.
    qint64 magnitude = 0;
    bool significant = false;
    bool point = false;
    bool digits = false;
    for (char16_t c = scanner.peek(); isDigit(c) || (c == u'.' && !point); c = scanner.peek()) {
        scanner.take();
        if (c == u'.') {
            point = true;
            number += '.';
            continue;
        }
        digits = true;
        number += char(c);
        if (c != u'0')
            significant = true;
        if (!point && significant)
            ++magnitude;
        else if (point && !significant)
            --magnitude;
    }
    if (!digits)
        return 0.0;

    qint64 exponent = 0;
    const char16_t marker = scanner.peek();
    if (marker == u'E' || marker == u'e' || marker == u'D' || marker == u'd') {
        const qsizetype beforeExponent = scanner.position();
        scanner.take();
        std::string exponentText = "e";
        bool negative = false;
        if (scanner.peek() == u'+' || scanner.peek() == u'-') {
            negative = scanner.peek() == u'-';
            exponentText += negative ? '-' : '+';
            scanner.take();
        }
        bool exponentDigits = false;
        for (char16_t c = scanner.peek(); isDigit(c); c = scanner.peek()) {
            scanner.take();
            exponentDigits = true;
            exponentText += char(c);
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (c - u'0');
        }
        if (exponentDigits) {
            number += exponentText;
            if (negative)
                exponent = -exponent;
        } else {
            scanner.rewind(beforeExponent);
        }
    }

    if (!significant)
        return 0.0;

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude + exponent > 0)
            throw RuntimeError::overflow();
        return 0.0;
    }
    return value;
}

} // namespace

double Val(QStringView text)
{
    Scanner scanner(text);
    if (scanner.peek() == u'&') {
        const qsizetype ampersand = scanner.position();
        scanner.take();
        const char16_t prefix = scanner.peek();
        if (prefix == u'H' || prefix == u'h') {
            scanner.take();
            return readRadix(scanner, 16);
        }
        if (prefix == u'O' || prefix == u'o') {
            scanner.take();
            return readRadix(scanner, 8);
        }
        scanner.rewind(ampersand);
        return 0.0;
    }
    return readDecimal(scanner);
}
