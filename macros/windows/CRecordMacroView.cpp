#include "macros/windows/CRecordMacroView.h"

#include <QComboBox>
#include <QLineEdit>

#include "macros/CMacro.h"

CRecordMacroView::CRecordMacroView(QWidget* parent)
    : CMacroEditorView(parent, "Aufnahme von Texten über einen KVT Eingang mit dem internen Message Rekorder")
{
    m_maxTime = AddEdit(1237, "Aufnahmedauer", "( 0.0 .. 360.4 s ; 0.0 kein Zeitlimit )");
    AddPair("Aufnahme EIN", "Aufnahme AUS");
    m_slot = AddCombo(1543, "Aufnahme");
    m_input = AddCombo(1227, "Eingang");
    m_format = AddCombo(1544, "Format");
    OnSelect(m_input, [this](int) {
        const int position = m_input->currentIndex();
        ForBoth([position](CMacro& m) { m.SetParam(4, position); });
    });
    OnSelect(m_slot, [this](int) {
        const int position = m_slot->currentIndex();
        ForBoth([position](CMacro& m) { m.SetParam(64, position); });
    });
    OnSelect(m_format, [this](int) {
        const std::string text = m_format->currentText().toStdString();
        ForBoth([&](CMacro& m) { m.SetParamText(65, text); });
    });
    OnCommit(m_maxTime, [this] {
        const auto v = ReadFloat(m_maxTime->text());
        if (!v) {
            // Nothing to take: the edit shows what the macro holds.
            m_maxTime->setText(QString::fromStdString(Macro()->GetParamText(66)));
            return;
        }
        ForBoth([&](CMacro& m) { m.SetParamFloat(66, *v); });
        m_maxTime->setText(QString::fromStdString(Macro()->GetParamText(66)));
    });
}

void CRecordMacroView::OnInitialUpdate()
{
    FillInputs(m_input);
    FillRecorderSlots(m_slot);
    // The format texts are the values of parameter 65.
    for (const std::string& format : CMacro::RecordFormats())
        m_format->addItem(QString::fromStdString(format));
    CMacro* macro = Macro();
    if (!macro)
        return;
    ShowPair();
    if (macro->GetParam(4) >= 0 && macro->GetParam(4) < m_input->count())
        m_input->setCurrentIndex(macro->GetParam(4));
    const int format = m_format->findText(QString::fromStdString(macro->GetParamText(65)), Qt::MatchExactly);
    if (format >= 0) {
        m_format->setCurrentIndex(format);
    } else {
        // A format the device does not know becomes the first one at once.
        ForBoth([](CMacro& m) { m.SetParamText(65, CMacro::RecordFormats().front()); });
    }
    m_maxTime->setText(QString::fromStdString(macro->GetParamText(66)));
    if (macro->GetParam(64) >= 0 && macro->GetParam(64) < m_slot->count())
        m_slot->setCurrentIndex(macro->GetParam(64));
}
