// Format and the rate read-back in every locale: a percentage that Format
// writes reads back as the number it shows, and any text reads as a number
// or as the runtime's error.

#include "format.h"
#include "fuzzinput.h"
#include "runtimeerror.h"

#include <QLocale>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    FuzzInput in(data, size);
    const QLocale &locale = locales[in.take<std::uint16_t>() % locales.size()];

    const double rate = in.take<double>();
    if (std::isfinite(rate) && std::fabs(rate) < 1e12) {
        const QString shown = Format(rate, QStringLiteral("percent"), locale);
        const double read = readPercent(shown, locale);
        // The percentage is shown to two decimals: what reads back lies
        // within half a hundredth of a percent of the rate.
        const double percent = rate * 100.0;
        if (std::fabs(read * 100.0 - percent) > 0.005 + 1e-9 * std::fabs(percent))
            checkFailed("a percentage did not read back as shown");
        Format(rate, QStringLiteral("currency"), locale);
        Format(rate, QStringLiteral("general number"), locale);
    }
    try {
        readPercent(in.text(64), locale);
    } catch (const RuntimeError &) {
    }
    return 0;
}
