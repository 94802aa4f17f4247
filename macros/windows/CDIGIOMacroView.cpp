#include "macros/windows/CDIGIOMacroView.h"

#include <QComboBox>
#include <QLineEdit>

#include "macros/CMacro.h"
#include "model/BlockWalk.h"
#include "model/CControlPad.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"

namespace {
// Outputs of the digital I/O card and of the 8 I/O control modules.
constexpr uint32_t kOutputKinds[] = {34322, 32796, 32797};
}  // namespace

CDIGIOMacroView::CDIGIOMacroView(QWidget* parent)
    : CMacroEditorView(parent,
                       "Schalten eines Logikausgangs (8 I/O Kontrollmodul, LMZ 763, LMZ 764).\n"
                       "Bei Pulsdauer = 0 wird statisch ein- oder ausgeschaltet\n"
                       "Bei Pulsdauer > 0 wird der Logikausgang für die spezifizierte Zeit ein- oder "
                       "ausgeschaltet und danach wieder umgeschaltet")
{
    m_output = AddCombo(1232, "Ausgang");
    m_time = AddEdit(1195, "Zeit", "s   (0.1 - 100.0 s\n      0 = statisch)");
    AddPair("Ausgang ein", "Ausgang aus");
    connect(m_output, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (IsFilling() || !Macro())
            return;
        // The list holds the outputs by number: the window may have stayed
        // open while the card that carried one was taken out of the project.
        const int number = m_output->itemData(index).toInt();
        CBaseDevice* pad = number > 0 ? FindNumbered(Document(), OT_CONTROL_PAD, number) : nullptr;
        if (number > 0 && !pad)
            return;
        ForBoth([pad](CMacro& m) {
            m.RemoveOutLinksAtKey(macrolink::LogicOut);
            if (pad)
                m.LinkTo(macrolink::LogicOut, pad, 0);
        });
    });
    TypedNumberEdit(m_time, 35, false, true);
}

void CDIGIOMacroView::OnInitialUpdate()
{
    m_output->addItem(QStringLiteral("OFF"), 0);
    if (CQuillomerDoc* doc = Document()) {
        for (uint32_t kind : kOutputKinds) {
            DeviceList pads;
            doc->GetIDManager().GetBaseDeviceListByKind(pads, OT_CONTROL_PAD, kind);
            for (CBaseDevice* pad : pads)
                m_output->addItem(QString::fromStdString(pad->GetName()), pad->GetNumber());
        }
    }
    m_output->setCurrentIndex(0);
    CMacro* macro = Macro();
    if (!macro)
        return;
    ShowPair();
    if (const LinkRecord* link = macro->GetOutLinkAtKey(macrolink::LogicOut); link && link->HasPartner())
        SelectData(m_output, link->partner->GetNumber());
    m_time->setText(QString::fromStdString(macro->GetParamText(35)));
}
