#pragma once
// Static text that shortens a text too wide for it to its longest fitting
// beginning followed by "..." (at least one character) and then shows the
// whole text as a tool tip over the control.

#include "ui/CToolTipCtrlEx.h"

#include <QLabel>

class CEllipsisStatic : public QLabel {
    Q_OBJECT
public:
    explicit CEllipsisStatic(QWidget* parent = nullptr, int id = 0);

    // The static's set-text: shortens when needed.
    void SetText(const QString& text);
    void setText(const QString& text) { SetText(text); }

    QString GetFullText() const { return m_strFullText; }
    bool IsShortened() const { return m_bShortened; }
    int GetDlgCtrlID() const { return m_nId; }
    CToolTipCtrlEx& ToolTip() { return m_ToolTip; }

private:
    QString m_strFullText;
    bool m_bShortened = false;
    CToolTipCtrlEx m_ToolTip;
    int m_nId;
};
