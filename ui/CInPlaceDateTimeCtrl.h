#pragma once
// Date or time picker opened over one cell of a list. It starts at the cell's
// text read in the user's locale (the current date or time when the text is
// no date or time). Enter confirms: the value is offered to the list's owner
// once, when the picker goes, as a short date (four-digit year) or as a
// 24-hour time in the user's locale; a typed text that is no date or time is
// not offered, so the cell stays as it was; a date that does not exist is
// told ("Bitte geben Sie ein korrektes Datum ein !"). Escape or leaving it
// otherwise (but not while its calendar is dropped down) discards it. It
// deletes itself when it ends.
// It is typed as any date or time field of the program (CDateTimeEdit).

#include <QDateTime>

#include "ui/CDateTimeEdit.h"
#include "ui/CInPlaceCell.h"

class CListCtrl;

class CInPlaceDateTimeCtrl : public CDateTimeEdit, public CInPlaceCell {
    Q_OBJECT
public:
    CInPlaceDateTimeCtrl(int row, int column, const QString& initialText);

    bool Create(bool timeFormat, const QRect& rect, CListCtrl* list, int id = 1000);

    bool IsTimePicker() const { return m_bTime; }
    // The value as it was last read from the picker.
    QDateTime Value() const { return m_Value; }
    // The text the value is offered as.
    QString ResultText() const;
    void EndEdit();
    // Ends the edit as Enter does: the value is offered, or a text that is
    // no date or time is told.
    void Confirm();

    // Text forms used for cells: the locale's short date with a four-digit
    // year, and the locale's time with the 24-hour clock forced.
    static QString DateFormat();
    static QString FormatDate(const QDate& date);
    static QString FormatTime(const QTime& time);
    static QString TimeFormat24();
    static QDate ParseDate(const QString& text);
    static QTime ParseTime(const QString& text);

signals:
    void EditEnded(int row, int column, const QString& text, int editorId);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QDateTime m_Value;
    QString m_strInitText;
    bool m_bCommit = false;
    bool m_bTime = false;
};
