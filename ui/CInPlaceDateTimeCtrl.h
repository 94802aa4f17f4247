#pragma once
// Date or time picker opened over one cell of a list. It starts at the cell's
// text read in the user's locale (the current date or time when the text is
// no date or time). Enter confirms: the value is offered to the list's owner
// once, when the picker goes, as a short date (four-digit year) or as a
// 24-hour time in the user's locale; a typed text that is no date or time is
// not offered, so the cell stays as it was, and is told ("Bitte geben Sie ein
// korrektes Datum ein !"). Leaving the picker (a click elsewhere, Tab, the
// window closing; but not its calendar dropping down) ends the edit the same
// way when the value or text was changed; Escape ends it without. It deletes
// itself when it ends.
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
    // Ends the edit as leaving it does: a changed value is offered, or a
    // text that is no date or time is told.
    void EndEdit() override;
    // Ends the edit as Enter does: the value is offered, or a text that is
    // no date or time is told.
    void Confirm() override;

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
    // What the picker showed and held when it opened: left unchanged, it
    // offers nothing.
    QString m_strShownAtStart;
    QDateTime m_StartValue;
    // Enter was pressed: the value is offered even when unchanged.
    bool m_bConfirmed = false;
    bool m_bTime = false;
};
