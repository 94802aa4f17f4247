#include "macros/windows/CInselMacroView.h"

#include <QComboBox>

#include "hardware/CAudioInputSlot.h"
#include "macros/CMacro.h"
#include "model/CIDManager.h"
#include "model/CQuillomerDoc.h"

CInselMacroView::CInselMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Eingang auswählen (AUX - Quelle für Hintergrundmusik)")
{
    m_input = AddCombo(1227, "AUX-Eingang");
    OnSelect(m_input, [this](int d) {
        CMacro* macro = Macro();
        // Input number in the upper, source (1 AUX1 or MIC/LINE, 2 AUX2) in the lower 16 bits.
        macro->SetParam(18, d != 0 ? d % 65536 : 1);
        macro->SetParam(4, d != 0 ? d / 65536 : 0);
    });
}

void CInselMacroView::OnInitialUpdate()
{
    m_input->addItem(QStringLiteral("OFF"), 0);
    if (CQuillomerDoc* doc = Document()) {
        DeviceList cards;
        doc->GetIDManager().GetBaseDeviceList(cards, OT_AUDIO_INPUT_SLOT);
        for (CBaseDevice* obj : cards) {
            auto* card = dynamic_cast<CAudioInputSlot*>(obj);
            if (!card)
                continue;
            for (int channel = 0; channel < 2; ++channel) {
                const int k = 2 * card->GetNumber() - 1 + channel;
                switch (card->GetChannelKind(channel)) {
                case ICK_AUX:
                    m_input->addItem(QStringLiteral("IN%1 AUX1").arg(k), k * 65536 + 1);
                    m_input->addItem(QStringLiteral("IN%1 AUX2").arg(k), k * 65536 + 2);
                    break;
                case ICK_MIC:
                case ICK_LINE: m_input->addItem(QStringLiteral("IN%1 MIC/LINE").arg(k), k * 65536 + 1); break;
                default: break;
                }
            }
        }
    }
    m_input->setCurrentIndex(0);
    if (CMacro* macro = Macro())
        SelectData(m_input, macro->GetParam(4) * 65536 + macro->GetParam(18) % 65536);
}
