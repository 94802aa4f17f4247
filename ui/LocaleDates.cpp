#include "ui/LocaleDates.h"

#include <QStringList>

std::optional<QDateTime> ParseLocaleDateTime(const QString& input, const QLocale& locale)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    QStringList dateFormats;
    const QString shortFmt = locale.dateFormat(QLocale::ShortFormat);
    dateFormats << shortFmt;
    if (!shortFmt.contains(QLatin1String("yyyy")))
        dateFormats << QString(shortFmt).replace(QLatin1String("yy"), QLatin1String("yyyy"));
    dateFormats << locale.dateFormat(QLocale::LongFormat);
    const QStringList timeFormats = {locale.timeFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat)};
    for (const QString& df : dateFormats) {
        QDateTime dt;
        const QDate d = locale.toDate(text, df);
        if (d.isValid()) {
            dt = QDateTime(d, QTime(0, 0));
        } else {
            for (const QString& tf : timeFormats) {
                dt = locale.toDateTime(text, df + QLatin1Char(' ') + tf);
                if (dt.isValid())
                    break;
            }
        }
        if (!dt.isValid())
            continue;
        if (!df.contains(QLatin1String("yyyy")) && dt.date().year() < 1970)
            dt = dt.addYears(100);
        return dt;
    }
    return std::nullopt;
}
