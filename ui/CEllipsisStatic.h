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

    // As narrow as one character and "...": the layout decides the width,
    // the text follows it.
    QSize minimumSizeHint() const override;

protected:
    // The text is shortened anew to every width the control gets, so that a
    // text set before the window was laid out shows whole once there is room.
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_strFullText;
    bool m_bShortened = false;
    CToolTipCtrlEx m_ToolTip;
    int m_nId;
};
