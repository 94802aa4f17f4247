#include "ui/CResizableDialog.h"

#include "comm/SettingsFile.h"
#include "platform/FiniteNumber.h"
#include "ui/CRepositionEvent.h"
#include "ui/CScreenFit.h"

#include <QCoreApplication>
#include <QLayout>
#include <QResizeEvent>
#include <QSettings>

CResizableDialog::CResizableDialog(unsigned int templateId, QWidget* parent)
    : QDialog(parent), m_nTemplateId(templateId)
{
    setSizeGripEnabled(false);
}

QString CResizableDialog::PlacementKey(unsigned int templateId)
{
    return QStringLiteral("Configuration/D%1").arg(templateId);
}

void CResizableDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        if (!m_bInitialised) {
            m_bInitialised = true;
            OnInitDialog();
        } else {
            RestorePlacement();
        }
    }
    QDialog::setVisible(visible);
}

bool CResizableDialog::OnInitDialog()
{
    // A dialog whose layout needs more room than its designed size (a large
    // font) grows to it before the size becomes its minimum.
    if (layout())
        layout()->activate();
    // A dialog that was never given a size gets its natural one now, as the
    // template would have given it.
    if (!testAttribute(Qt::WA_Resized))
        adjustSize();
    SendToChildren(CRepositionEvent::InitCtrlType());
    RestorePlacement();
    return true;
}

void CResizableDialog::RestorePlacement()
{
    if (m_rcDesign.isNull() || m_rcDesign.isEmpty()) {
        m_rcDesign = geometry();
        // The user may never make the dialog smaller than designed.
        setMinimumSize(m_rcDesign.size());
    }
    const QVariant stored = QSettings().value(PlacementKey(m_nTemplateId), QString());
    // Written by hand without quotes, the rectangle reads as a list of its
    // four numbers: the same placement.
    const QString saved = stored.typeId() == QMetaType::QStringList ? stored.toStringList().join(QLatin1Char(','))
                                                                    : stored.toString();
    bool moved = false;
    if (const auto ltrb = ScanFourInts(saved.toLatin1().constData(), CScreenFit::kPlacementLimit)) {
        const auto [l, t, r, b] = *ltrb;
        // A size below the designed one is raised to it by the minimum size.
        setGeometry(l, t, r - l, b - t);
        moved = true;
    }
    // Kept from a larger screen or another screen scale, or designed larger
    // than the screen has room for, the dialog still opens whole on its
    // screen; what is kept stays as it was until the user sizes the dialog.
    moved = CScreenFit::Fit(this) || moved;
    if (moved)
        SendToChildren(CRepositionEvent::RepositionType());
}

void CResizableDialog::SavePlacement()
{
    const QRect g = geometry();
    const QString text = QString::asprintf("%d,%d,%d,%d", g.x(), g.y(), g.x() + g.width(), g.y() + g.height());
    WriteSetting(PlacementKey(m_nTemplateId), text);
}

void CResizableDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // While the dialog is hidden (restoring) nothing is saved: the restore
    // sends its own WM_REPOSITION.
    if (!isVisible() || !m_bInitialised)
        return;
    // What the screen makes of the placement is not the user's size.
    if (!CScreenFit::IsFitting(this))
        SavePlacement();
    SendToChildren(CRepositionEvent::RepositionType());
}

void CResizableDialog::SendToChildren(QEvent::Type type)
{
    // A dialog with a layout lets the layout place its controls.
    if (layout())
        return;
    // Direct children only: grandchildren are placed by their own parents.
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow())
            continue;
        CRepositionEvent e(type, this);
        QCoreApplication::sendEvent(child, &e);
    }
}
