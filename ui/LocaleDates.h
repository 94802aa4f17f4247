#pragma once
// Dates as the user writes them: in the short or long form of a locale,
// optionally followed by a time in one of its forms.

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

// The date (and time, where one follows) of `text`; nullopt when unreadable.
// A two-digit year counts from 1970 on, as the device's calendar does: "26"
// is 2026, not 1926.
std::optional<QDateTime> ParseLocaleDateTime(const QString& text, const QLocale& locale = QLocale());
