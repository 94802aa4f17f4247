#include "ui/CInPlaceDateTimeCtrl.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>

#include "platform/MessageBox.h"
#include "ui/LocaleDates.h"
#include "ui/UiIds.h"

CInPlaceDateTimeCtrl::CInPlaceDateTimeCtrl(int row, int column, const QString& initialText)
    : CInPlaceCell(row, column, 1000), m_strInitText(initialText)
{
}

QString CInPlaceDateTimeCtrl::TimeFormat24()
{
    // The locale's time with seconds, without a day-period marker or time zone,
    // hours on the 24-hour clock.
    QString fmt = QLocale().timeFormat(QLocale::LongFormat);
    fmt.remove(QRegularExpression(QStringLiteral("\\s*(AP|ap|A|a|t+)\\s*")));
    fmt.replace(QLatin1Char('h'), QLatin1Char('H'));
    fmt = fmt.trimmed();
    if (!fmt.contains(QLatin1Char('H')))
        fmt = QStringLiteral("HH:mm:ss");
    return fmt;
}

QString CInPlaceDateTimeCtrl::DateFormat()
{
    // The locale's short date with the year in four digits: a year typed in
    // full is kept as typed, not cut to two digits.
    QString fmt = QLocale().dateFormat(QLocale::ShortFormat);
    if (!fmt.contains(QLatin1String("yyyy")))
        fmt.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return fmt;
}

QString CInPlaceDateTimeCtrl::FormatDate(const QDate& date)
{
    return QLocale().toString(date, DateFormat()).left(99);
}

QString CInPlaceDateTimeCtrl::FormatTime(const QTime& time)
{
    return QLocale().toString(time, TimeFormat24()).left(99);
}

QDate CInPlaceDateTimeCtrl::ParseDate(const QString& text)
{
    if (const std::optional<QDateTime> dt = ParseLocaleDateTime(text))
        return dt->date();
    return QDate::fromString(text.trimmed(), QStringLiteral("dd.MM.yyyy"));
}

QTime CInPlaceDateTimeCtrl::ParseTime(const QString& text)
{
    const QLocale locale;
    const QString t = text.trimmed();
    QTime time = locale.toTime(t, TimeFormat24());
    if (!time.isValid())
        time = locale.toTime(t, QLocale::ShortFormat);
    if (!time.isValid())
        time = locale.toTime(t, QLocale::LongFormat);
    if (!time.isValid())
        time = QTime::fromString(t, QStringLiteral("HH:mm:ss"));
    if (!time.isValid())
        time = QTime::fromString(t, QStringLiteral("HH:mm"));
    return time;
}

bool CInPlaceDateTimeCtrl::Create(bool timeFormat, const QRect& rect, CListCtrl* list, int id)
{
    if (!PlaceOver(this, list, rect, id))
        return false;
    m_bTime = timeFormat;
    // A cell that holds no readable date or time starts at the present one.
    const QDateTime now = QDateTime::currentDateTime();
    if (m_bTime) {
        setDisplayFormat(TimeFormat24());
        const QTime t = ParseTime(m_strInitText);
        setDateTime(QDateTime(now.date(), t.isValid() ? t : QTime(now.time().hour(), now.time().minute(), now.time().second())));
    } else {
        setDisplayFormat(DateFormat());
        setCalendarPopup(true);
        const QDate d = ParseDate(m_strInitText);
        setDateTime(QDateTime(d.isValid() ? d : now.date(), QTime(0, 0)));
    }
    m_Value = dateTime();
    m_StartValue = m_Value;
    m_strShownAtStart = lineEdit()->text();
    show();
    setFocus(Qt::OtherFocusReason);
    return true;
}

QString CInPlaceDateTimeCtrl::ResultText() const
{
    return m_bTime ? FormatTime(m_Value.time()) : FormatDate(m_Value.date());
}

bool CInPlaceDateTimeCtrl::event(QEvent* e)
{
    if (KeepEditorKeys(e))
        return true;
    return CDateTimeEdit::event(e);
}

void CInPlaceDateTimeCtrl::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        e->accept();
        Confirm();
        return;
    case Qt::Key_Escape:
        e->accept();
        m_bCancel = true;
        m_Value = dateTime();
        FocusList();
        EndEdit();
        return;
    default:
        CDateTimeEdit::keyPressEvent(e);
    }
}

void CInPlaceDateTimeCtrl::Confirm()
{
    m_bConfirmed = true;
    FocusList();
    EndEdit();
}

void CInPlaceDateTimeCtrl::focusOutEvent(QFocusEvent* e)
{
    // The calendar dropping down takes the focus for a while: no end of edit.
    if (e->reason() == Qt::PopupFocusReason || (calendarPopup() && calendarWidget() && calendarWidget()->isVisible())) {
        CDateTimeEdit::focusOutEvent(e);
        return;
    }
    // The edit ends with what is typed before the field, losing the focus,
    // shows its value again.
    const QPointer<CInPlaceDateTimeCtrl> self(this);
    EndEdit();
    if (self)
        CDateTimeEdit::focusOutEvent(e);
}

void CInPlaceDateTimeCtrl::EndEdit()
{
    if (m_bEnded)
        return;
    // The part being typed counts as the picker shows it; a text that is no
    // date or time leaves the cell as it was. A date or a time that does not
    // exist is told, once the edit is over.
    const bool changed = m_bConfirmed || lineEdit()->text() != m_strShownAtStart || dateTime() != m_StartValue;
    const bool offer = !m_bCancel && changed;
    const bool refused = offer && !TakeTyped();
    m_Value = dateTime();
    FinishEdit(this, offer && !refused, [this] { return ResultText(); });
    if (refused)
        ShowMessageId(m_bTime ? uistr::BadTime : uistr::BadDate, mb::Ok);
}
