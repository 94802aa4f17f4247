#include "comm/windows/COnlineNoticeDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

#include "comm/SettingsFile.h"
#include "ui/CWindowRegistry.h"

namespace {
[[maybe_unused]] const bool g_windowRegistered = CWindowRegistry::Register(QStringLiteral("COnlineNoticeDlg"),
    [](CQuillomerDoc*) -> QWidget* { return new COnlineNoticeDlg; });
}  // namespace

COnlineNoticeDlg::COnlineNoticeDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Wichtiger Hinweis!"));
    auto* layout = new QVBoxLayout(this);
    m_note = new QLabel(tr("Sie sind jetzt mit der Zentrale verbunden.\n\n"
                           "Einstellungen, die Sie während der Verbindung an die Zentrale\n"
                           "senden, wirken sofort auf die laufende Anlage, auch auf\n"
                           "Alarm- und Durchsagefunktionen.\n\n"
                           "Senden Sie Einstellungen nur, wenn der Betrieb der Anlage\n"
                           "es zulässt, und prüfen Sie sie vorher sorgfältig."),
                        this);
    layout->addWidget(m_note);
    m_never = new QCheckBox(tr("Diese Meldung nie mehr anzeigen"), this);
    m_interval = new QCheckBox(tr("Diese Meldung in regelmäßigen Abständen anzeigen"), this);
    layout->addWidget(m_never);
    layout->addWidget(m_interval);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &COnlineNoticeDlg::accept);
    // Ticking one box unticks the other; both may stay empty.
    connect(m_never, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_interval->setChecked(false);
    });
    connect(m_interval, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_never->setChecked(false);
    });
    // The notice opens with the choice the user made last ticked, so that OK
    // as it stands keeps it: a counter above 1 is the interval choice.
    bool stored = false;
    int counter = QSettings().value(QStringLiteral("KVT7000/OnlineCounter")).toInt(&stored);
    if (!stored)
        counter = 1;
    m_never->setChecked(counter == 0);
    m_interval->setChecked(counter > 1);
}

int COnlineNoticeDlg::CounterValue() const
{
    if (m_never->isChecked())
        return 0;
    if (m_interval->isChecked())
        return 2;
    return 1;
}

void COnlineNoticeDlg::accept()
{
    WriteSetting(QStringLiteral("KVT7000/OnlineCounter"), CounterValue());
    QDialog::accept();
}
