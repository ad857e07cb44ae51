#include "format.h"

#include "runtimeerror.h"

namespace {

QLocale currencyLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

} // namespace

QString Format(double value, const QString &name, const QLocale &locale)
{
    if (name.compare(u"percent", Qt::CaseInsensitive) == 0)
        return locale.toString(value * 100.0, 'f', 2) + locale.percent();
    if (name.compare(u"currency", Qt::CaseInsensitive) == 0) {
        const QLocale money = currencyLocale(locale);
        return money.toCurrencyString(value, money.currencySymbol(), 2);
    }
    if (name.compare(u"general number", Qt::CaseInsensitive) == 0) {
        QLocale plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return plain.toString(value, 'g', QLocale::FloatingPointShortest);
    }
    throw RuntimeError::invalidCall();
}

double readPercent(const QString &text, const QLocale &locale)
{
    QString number = text.trimmed();
    if (!number.endsWith(locale.percent()))
        throw RuntimeError::typeMismatch();
    number.chop(locale.percent().size());
    number = number.trimmed();
    // Right-to-left locales write the sign with direction marks, which
    // QLocale::toDouble does not take: read the sign as the locale wrote it.
    const bool negative = number.startsWith(locale.negativeSign());
    if (negative)
        number.remove(0, locale.negativeSign().size());
    bool ok = false;
    const double percent = locale.toDouble(number, &ok);
    if (!ok || (negative && percent < 0.0))
        throw RuntimeError::typeMismatch();
    return (negative ? -percent : percent) / 100.0;
}
