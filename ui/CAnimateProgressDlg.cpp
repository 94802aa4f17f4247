#include "ui/CAnimateProgressDlg.h"

#include "ui/CAnimateCtrl.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CAnimateProgressDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CAnimateProgressDlg; });
}  // namespace

CAnimateProgressDlg::CAnimateProgressDlg(unsigned int captionId)
    : CProgressDlg(captionId ? captionId : 106, new CAnimateCtrl), m_pAnimate(findChild<CAnimateCtrl*>())
{
    // "%d%c" with the percent sign: the sign follows the number directly.
    m_strPercentFormat = QStringLiteral("%d%%");
    SetInitialPercentText(QStringLiteral(" 0 %"));
}

bool CAnimateProgressDlg::OnInitDialog()
{
    if (!CProgressDlg::OnInitDialog())
        return false;
    if (m_pAnimate)
        m_pAnimate->Open(m_bSecondAnimation ? 468 : 467);
    return true;
}
