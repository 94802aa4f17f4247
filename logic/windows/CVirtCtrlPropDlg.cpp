#include "logic/windows/CVirtCtrlPropDlg.h"

#include <utility>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cstdint>

#include "logic/CVirtCtrl.h"
#include "logic/CVirtCtrlItem.h"
#include "logic/VirtCtrlMath.h"
#include "logic/windows/CCurveCtrl.h"
#include "logic/windows/CDesignerListView.h"
#include "logic/windows/CVcKnobCtrl.h"
#include "model/BlockWalk.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"
#include "ui/CPictureSet.h"
#include "ui/CValueEdit.h"
#include "ui/DialogLayout.h"

namespace {
// The value a field stands for: what the user typed, once he typed into it;
// until then the value it was given, which its text shows rounded ("%2.3f",
// "%f"). Reading that text back would change a value nobody touched (7.25
// came back as 7.250001 through the rounded normalized value).
float ValueOf(CValueEdit* edit)
{
    return edit->GetFloat(edit->isModified() ? 1 : 0);
}
}  // namespace

CVirtCtrlPropDlg::CVirtCtrlPropDlg(CVirtCtrlItem* item, virtctrl::CDesignerListView* pane, QWidget* parent)
    : QDialog(parent ? parent : static_cast<QWidget*>(pane)), m_pane(pane),
      m_doc(item ? item->GetDocument() : nullptr), m_number(item ? item->GetNumber() : 0)
{
    setObjectName(QStringLiteral("VirtCtrlPropDlg"));
    setWindowTitle(tr("Eigenschaften"));
    BuildLayout();
    if (item)
        Fill();
}

CVirtCtrlItem* CVirtCtrlPropDlg::GetController() const
{
    return dynamic_cast<CVirtCtrlItem*>(FindNumbered(m_doc, OT_VIRT_CTRL_ITEM, m_number));
}

CVirtCtrlPropDlg::~CVirtCtrlPropDlg()
{
    // The fields lose the focus while the dialog goes: nothing may react then.
    for (CValueEdit* e : {m_curveValue, m_minimum, m_maximum, m_steps, m_normalized, m_output})
        disconnect(e, nullptr, this, nullptr);
}

void CVirtCtrlPropDlg::BuildLayout()
{
    auto edit = [this](const char* name) {
        auto* e = new CValueEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    m_curveValue = edit("1001");
    m_minimum = edit("1002");
    m_maximum = edit("1003");
    m_steps = edit("1004");
    m_normalized = edit("1005");
    m_output = edit("1006");
    m_curve = new CCurveCtrl(this);
    m_curve->setObjectName(QStringLiteral("1000"));
    m_knob = new CVcKnobCtrl(this);
    m_knob->setObjectName(QStringLiteral("1010"));
    m_knob->setCursor(CPictureSet::Cursor(448));  // the hand that turns the knob

    auto* curveRow = new QHBoxLayout;
    curveRow->addStretch(1);
    curveRow->addWidget(new QLabel(tr("Kurvenform:"), this));
    curveRow->addWidget(m_curveValue);
    curveRow->addWidget(new QLabel(tr("( -128..127 )"), this));
    curveRow->addStretch(1);

    auto* curveBox = new QHBoxLayout;
    curveBox->addStretch(1);
    curveBox->addWidget(m_curve);
    curveBox->addStretch(1);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(tr("Minimum"), this), 0, 0);
    fields->addWidget(m_minimum, 0, 1);
    fields->addWidget(new QLabel(tr("Maximum"), this), 0, 2);
    fields->addWidget(m_maximum, 0, 3);
    fields->addWidget(new QLabel(tr("Schritte ( 1..65536 )"), this), 1, 0);
    fields->addWidget(m_steps, 1, 1);
    fields->addWidget(new QLabel(tr("Ausgangswert"), this), 2, 0);
    fields->addWidget(m_output, 2, 1);
    fields->addWidget(new QLabel(tr("Normierter Wert"), this), 2, 2);
    fields->addWidget(m_normalized, 2, 3);
    fields->addWidget(m_knob, 1, 4, 2, 1, Qt::AlignCenter);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    auto* previous = new QPushButton(this);
    previous->setObjectName(QStringLiteral("1491"));
    previous->setIcon(CPictureSet::ListImage(471, 0));
    previous->setToolTip(tr("Vorheriger Controller"));
    auto* next = new QPushButton(this);
    next->setObjectName(QStringLiteral("1492"));
    next->setIcon(CPictureSet::ListImage(470, 0));
    next->setToolTip(tr("Nächster Controller"));
    m_close = new QPushButton(tr("Schließen"), this);
    m_close->setObjectName(QStringLiteral("1"));
    for (QPushButton* b : {previous, next})
        b->setAutoDefault(false);
    m_close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(previous);
    buttons->addWidget(next);
    buttons->addStretch(1);
    buttons->addWidget(m_close);

    auto* top = new QVBoxLayout(this);
    top->addLayout(curveRow);
    top->addLayout(curveBox);
    top->addLayout(fields);
    top->addStretch(1);
    top->addLayout(buttons);

    connect(m_curve, &CCurveCtrl::CurveChanged, this, [this](int k) { m_curveValue->SetInt(k, 1, "%d"); });
    connect(m_knob, &CVcKnobCtrl::Dragged, this, &CVirtCtrlPropDlg::OnKnobDragged);
    // Leaving a field acts only on what the user typed there, once: a field
    // left as it was shown changes nothing.
    const auto onLeaving = [this](CValueEdit* edit, void (CVirtCtrlPropDlg::*left)()) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, left] {
            if (!edit->isModified())
                return;
            (this->*left)();
            edit->setModified(false);  // taken: the field holds the value typed
        });
    };
    onLeaving(m_minimum, &CVirtCtrlPropDlg::OnMinMaxLeft);
    onLeaving(m_maximum, &CVirtCtrlPropDlg::OnMinMaxLeft);
    onLeaving(m_output, &CVirtCtrlPropDlg::OnOutputLeft);
    onLeaving(m_normalized, &CVirtCtrlPropDlg::OnNormalizedLeft);
    onLeaving(m_curveValue, &CVirtCtrlPropDlg::OnCurveLeft);
    onLeaving(m_steps, &CVirtCtrlPropDlg::OnStepsLeft);
    connect(previous, &QPushButton::clicked, this, &CVirtCtrlPropDlg::OnPrevious);
    connect(next, &QPushButton::clicked, this, &CVirtCtrlPropDlg::OnNext);
    connect(m_close, &QPushButton::clicked, this, [this] {
        Save();
        SendPending();
        accept();
    });
    ApplyDesignedSize(this, DialogUnitsToPixels(this, QSize(276, 225)));
}

void CVirtCtrlPropDlg::Fill()
{
    const CVirtCtrlItem* item = GetController();
    if (!item)
        return;
    setWindowTitle(QString::fromStdString(item->GetName()));
    m_curve->SetCurve(item->GetInt(CVirtCtrlItem::Curve));
    m_curveValue->SetInt(m_curve->GetCurve(), 1, "%d");
    m_curve->update();
    m_minimum->SetFloat(item->GetFloat(CVirtCtrlItem::Min), 1, "%2.3f");
    m_maximum->SetFloat(item->GetFloat(CVirtCtrlItem::Max), 1, "%2.3f");
    m_output->SetFloat(item->GetFloat(CVirtCtrlItem::Value), 1, "%2.3f");
    m_steps->SetInt(item->GetInt(CVirtCtrlItem::Steps), 1, "%d");
    m_normalized->SetFloat(-1.0f, 0, "%2.3f");
    UpdateFromOutput();
}

void CVirtCtrlPropDlg::Save()
{
    CVirtCtrlItem* item = GetController();
    if (!item)
        return;
    // A curve or step count the device holds beyond the fields' limits is
    // shown at the limit; it is kept unless the user set another.
    if (m_curve->GetCurve() != vcmath::ClampCurve(item->GetInt(CVirtCtrlItem::Curve)))
        item->SetInt(CVirtCtrlItem::Curve, m_curve->GetCurve());
    item->SetFloat(CVirtCtrlItem::Min, ValueOf(m_minimum));
    item->SetFloat(CVirtCtrlItem::Max, ValueOf(m_maximum));
    item->SetFloat(CVirtCtrlItem::Value, ValueOf(m_output));
    // The field may still hold what was typed (the window closed with the
    // focus in it): held at the field's limits like on leaving it, never cut
    // down to 16 bits. (The setters mark the project only for a real change.)
    const int steps = vcmath::ClampSteps(m_steps->GetLong(1));
    if (m_steps->ReadsAsWhole() && steps != vcmath::ClampSteps(item->GetInt(CVirtCtrlItem::Steps)))
        item->SetInt(CVirtCtrlItem::Steps, steps);
}

void CVirtCtrlPropDlg::SendOutput()
{
    if (m_pane && GetController())
        m_pane->QueueLiveValue(m_number, m_output->GetFloat(0));
}

void CVirtCtrlPropDlg::UpdateFromOutput()
{
    const double min = ValueOf(m_minimum);
    const double max = ValueOf(m_maximum);
    const double typed = ValueOf(m_output);
    const double output = vcmath::ClampOutput(min, max, typed);
    if (output != typed)
        m_output->SetFloat(static_cast<float>(output), 1, "%f");
    const double normalized = vcmath::NormalizedFromOutput(min, max, output, m_curve->GetCurve());
    m_normalized->SetFloat(static_cast<float>(normalized), 1, "%f");
    m_knob->SetFrame(vcmath::KnobFrameFromNormalized(normalized));
    SendOutput();
}

void CVirtCtrlPropDlg::UpdateFromNormalized()
{
    const double output = vcmath::OutputFromNormalized(ValueOf(m_minimum), ValueOf(m_maximum),
                                                       ValueOf(m_normalized), m_curve->GetCurve());
    m_output->SetFloat(static_cast<float>(output), 1, "%f");
}

void CVirtCtrlPropDlg::OnMinMaxLeft()
{
    const CVirtCtrlItem* item = GetController();
    const std::pair<float, float> before =
        item ? std::make_pair(item->GetFloat(CVirtCtrlItem::Min), item->GetFloat(CVirtCtrlItem::Max))
             : std::make_pair(0.0f, 0.0f);
    // A text that is no number ("3.5,5") keeps the value it replaced.
    for (CValueEdit* edit : {m_minimum, m_maximum})
        if (!edit->ReadsAsFloat())
            edit->ShowAgain();
    Save();
    // The range typed again as it was: the output stays as it is, not read
    // back through the six decimals the normalized value shows.
    if (item && std::make_pair(item->GetFloat(CVirtCtrlItem::Min), item->GetFloat(CVirtCtrlItem::Max)) == before)
        return;
    UpdateFromNormalized();
}

void CVirtCtrlPropDlg::OnOutputLeft()
{
    // No number: the output shows again, and the device hears nothing.
    if (!m_output->ReadsAsFloat()) {
        m_output->ShowAgain();
        return;
    }
    UpdateFromOutput();
}

void CVirtCtrlPropDlg::OnNormalizedLeft()
{
    if (!m_normalized->ReadsAsFloat()) {
        m_normalized->ShowAgain();
        return;
    }
    // The value shown, typed again: the output stays as it is, not read back
    // through the six decimals the field shows.
    if (m_normalized->ShowsTextSet())
        return;
    const float typed = ValueOf(m_normalized);
    const float normalized = typed < 0.0f ? 0.0f : typed > 1.0f ? 1.0f : typed;
    m_normalized->SetFloat(normalized, 1, "%f");
    m_knob->SetFrame(vcmath::KnobFrameFromNormalized(normalized));
    UpdateFromNormalized();
    SendOutput();
    UpdateFromOutput();
}

void CVirtCtrlPropDlg::OnCurveLeft()
{
    // No whole number ("1,5" is none): the curve shows again as it is.
    if (!m_curveValue->ReadsAsWhole()) {
        m_curveValue->ShowAgain();
        return;
    }
    const int k = vcmath::ClampCurve(m_curveValue->GetLong(1));
    m_curveValue->SetLong(k, 1, "%ld");
    if (k == m_curve->GetCurve())
        return;  // the curve shown, typed again: the output stays as it is
    m_curve->SetCurve(k);
    m_curve->update();
    UpdateFromNormalized();
}

void CVirtCtrlPropDlg::OnStepsLeft()
{
    if (!m_steps->ReadsAsWhole()) {
        m_steps->ShowAgain();
        return;
    }
    m_steps->SetInt(vcmath::ClampSteps(m_steps->GetLong(1)), 1, "%d");
}

void CVirtCtrlPropDlg::OnKnobDragged(QPoint centre, QPoint pos)
{
    const int frame = vcmath::KnobFrameAt(centre.x(), centre.y(), pos.x(), pos.y());
    m_knob->SetFrame(frame);
    m_normalized->SetFloat(vcmath::NormalizedFromKnobFrame(frame), 1, "%f");
    UpdateFromNormalized();
    SendOutput();
}

void CVirtCtrlPropDlg::Step(int direction)
{
    if (!GetController())
        return;
    Save();
    CQuillomerDoc* doc = m_doc;
    int n = m_number;
    for (int tries = 0; tries < CVirtCtrl::kControllers; ++tries) {
        n += direction;
        if (n < 1)
            n = CVirtCtrl::kControllers;
        else if (n > CVirtCtrl::kControllers)
            n = 1;
        if (dynamic_cast<CVirtCtrlItem*>(doc->GetIDManager().GetBaseDevice(n, OT_VIRT_CTRL_ITEM))) {
            m_number = n;
            Fill();
            return;
        }
    }
}

void CVirtCtrlPropDlg::OnPrevious()
{
    Step(-1);
}

void CVirtCtrlPropDlg::OnNext()
{
    Step(1);
}

void CVirtCtrlPropDlg::SendPending()
{
    // The user is done with the controller: the device gets its last value
    // now, as the project keeps it, not after a pause the window may not outlive.
    if (m_pane)
        m_pane->SendPendingLiveValue();
}

void CVirtCtrlPropDlg::reject()
{
    Save();
    SendPending();
    QDialog::reject();
}

void CVirtCtrlPropDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        // Escape leaves without saving what the fields hold, also the one
        // being edited, which loses the focus as the dialog goes.
        const QSignalBlocker c(m_curveValue), n(m_minimum), x(m_maximum), s(m_steps), z(m_normalized), o(m_output);
        done(QDialog::Rejected);
        return;
    }
    QDialog::keyPressEvent(event);
}
