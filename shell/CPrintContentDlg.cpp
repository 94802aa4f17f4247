#include "shell/CPrintContentDlg.h"

#include "platform/StringTable.h"
#include "shell/CMainFrame.h"
#include "shell/Profile.h"
#include "shell/ShellIds.h"
#include "ui/CWindowRegistry.h"
#include "ui/DialogLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("CPrintContentDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new CPrintContentDlg; });
}  // namespace

QL_STRING_TABLE({
    {34389, "Inhalt der Seitenansicht bestimmen"},
});

CPrintContentDlg::CPrintContentDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrintContentDlg"));
    setWindowTitle(tr("Druckinhalt bestimmen"));
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_selection = new QGroupBox(tr("Auswahl "), this);
    auto* sel = new QVBoxLayout(m_selection);
    m_radio[0] = new QRadioButton(tr("Blockschaltbild  ( Grafik )"), m_selection);
    m_radio[1] = new QRadioButton(tr("Parameterliste    ( Text )"), m_selection);
    m_radio[2] = new QRadioButton(tr("Geräteliste         ( Text )"), m_selection);
    for (QRadioButton* r : m_radio)
        sel->addWidget(r);
    left->addWidget(m_selection);
    m_btnPrinterSetup = new QPushButton(tr("Drucker einrichten... (Blattgröße,Format...)"), this);
    left->addWidget(m_btnPrinterSetup);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(tr("Abbrechen"), this);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    left->addLayout(buttons);
    top->addLayout(left);

    m_hint = new QGroupBox(tr("Hinweis"), this);
    auto* hint = new QVBoxLayout(m_hint);
    auto* text = new QLabel(tr("Drucken Sie Sprechstellen über den Button 'Drucken' in deren Eigenschaften- Dialog "
                               "\"Tastenansicht\"  !"),
                            m_hint);
    text->setWordWrap(true);
    KeepWrappedTextWhole(text, 24);
    hint->addWidget(text);
    top->addWidget(m_hint);

    connect(ok, &QPushButton::clicked, this, &CPrintContentDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnPrinterSetup, &QPushButton::clicked, this, &CPrintContentDlg::OnPrinterSetup);
}

int CPrintContentDlg::PrintModeOf(int choice)
{
    switch (choice) {
    case ChoiceParameterList: return 3;
    case ChoiceDeviceList: return 2;
    default: return 1;
    }
}

bool CPrintContentDlg::OnInitDialog()
{
    m_nContent = GetProfileInt(QStringLiteral("Configuration"), QStringLiteral("Preview"), 0);
    if (m_bPreview) {
        setWindowTitle(QString::fromStdString(LoadStringId(ids::StrPreviewCaption)));
        // The hint on consoles does not concern a preview.
        m_hint->hide();
        adjustSize();
    }
    if (m_nContent >= 0 && m_nContent < 3) {
        m_radio[m_nContent]->setChecked(true);
        // The keys act on the choice shown ticked.
        m_radio[m_nContent]->setFocus();
    }
    return true;
}

void CPrintContentDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CPrintContentDlg::OnPrinterSetup()
{
    if (CMainFrame* frame = GetMainFrame())
        QMetaObject::invokeMethod(frame, [frame] { frame->OnCmdMsg(ids::FilePrintSetup); }, Qt::QueuedConnection);
}

void CPrintContentDlg::OnOK()
{
    m_nContent = -1;
    for (int i = 0; i < 3; ++i)
        if (m_radio[i]->isChecked())
            m_nContent = i;
    accept();
    WriteProfileInt(QStringLiteral("Configuration"), QStringLiteral("Preview"), m_nContent);
}
