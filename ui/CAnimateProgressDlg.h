#pragma once
// The progress dialog with an animation above the status line, used by the
// whole download, the upload and the sending of text files. Same use as
// CProgressDlg; the percent sign follows the number directly ("40%") and the
// bar can be stepped. The caller sets m_bSecondAnimation before Create.

#include "ui/CProgressDlg.h"

class CAnimateCtrl;

class CAnimateProgressDlg : public CProgressDlg {
    Q_OBJECT
public:
    explicit CAnimateProgressDlg(unsigned int captionId = 0);

    using CProgressDlg::SetStep;
    using CProgressDlg::StepIt;

    // 0 plays animation 467, non-zero 468.
    bool m_bSecondAnimation = false;
    CAnimateCtrl* Animation() const { return m_pAnimate; }

protected:
    bool OnInitDialog() override;

private:
    CAnimateCtrl* m_pAnimate;
};
