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
    bool ok = false;
    const double percent = locale.toDouble(number.trimmed(), &ok);
    if (!ok)
        throw RuntimeError::typeMismatch();
    return percent / 100.0;
}
