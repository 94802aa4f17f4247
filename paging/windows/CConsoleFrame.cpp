#include "paging/windows/CConsoleFrame.h"

#include <QAction>
#include <QScrollArea>
#include <QToolBar>

#include "paging/windows/CKeyView.h"
#include "ui/CPictureSet.h"

namespace {
struct Button {
    unsigned command;
    const char* text;
};
// Tool bar 385, in order (0: separator).
const Button kButtons[] = {
    {keyviewcmd::RangeKeys, QT_TRANSLATE_NOOP("CConsoleFrame", "Bereichstastenprogrammierung")},
    {keyviewcmd::ClearKeys, QT_TRANSLATE_NOOP("CConsoleFrame", "Tastenzuordnung vollständig löschen")},
    {keyviewcmd::CopyKeys, QT_TRANSLATE_NOOP("CConsoleFrame", "Tastenzuordnung kopieren")},
    {keyviewcmd::Print, QT_TRANSLATE_NOOP("CConsoleFrame", "Sprechstelle drucken")},
    {0, nullptr},
    {keyviewcmd::Download, QT_TRANSLATE_NOOP("CConsoleFrame", "Sprechstelle DOWNLOAD")},
    {keyviewcmd::Upload, QT_TRANSLATE_NOOP("CConsoleFrame", "Sprechstelle UPLOAD")},
    {keyviewcmd::Version, QT_TRANSLATE_NOOP("CConsoleFrame", "Aktuelle Software Version abfragen")},
};
}  // namespace

CConsoleFrame::CConsoleFrame(bool connected, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("ConsoleFrame"));
    setWindowFlags(Qt::Widget);
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QString::number(kToolBarId));
    m_toolBar->setMovable(false);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    for (const Button& b : kButtons) {
        if (b.command == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_toolBar->addAction(tr(b.text));
        action->setObjectName(QString::number(b.command));
        action->setToolTip(tr(b.text));
        action->setStatusTip(tr(b.text));
        const unsigned command = b.command;
        connect(action, &QAction::triggered, this, [this, command] { OnCmdMsg(command); });
        if (!connected && (command == keyviewcmd::Download || command == keyviewcmd::Upload ||
                           command == keyviewcmd::Version))
            action->setEnabled(false);
    }
    CPictureSet::ApplyToolBar(m_toolBar, kToolBarId);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("KeyScroll"));
    m_scroll->setWidgetResizable(false);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_view = new CKeyView(m_scroll);
    m_scroll->setWidget(m_view);
    setCentralWidget(m_scroll);
}

QAction* CConsoleFrame::GetAction(unsigned commandId) const
{
    return m_toolBar->findChild<QAction*>(QString::number(commandId));
}

bool CConsoleFrame::OnCmdMsg(unsigned commandId)
{
    // The view first; the frame has no commands of its own.
    return m_view->OnCommand(commandId);
}
