#include "comm/ICommLinkHost.h"

#include <QEventLoop>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "comm/CFirmwareSender.h"
#include "comm/CPumpProgress.h"

bool ICommLinkHost::RunFirmwareDialog(CFirmwareSender& sender)
{
    if (!sender.IsOpen())
        return false;
    bool ok = false;
    QEventLoop loop;
    QObject::connect(&sender, &CFirmwareSender::Finished, &loop, [&](bool result) {
        ok = result;
        loop.quit();
    });
    loop.exec();
    return ok;
}

std::unique_ptr<IProgress> ICommLinkHost::CreateProgress(ProgressKind kind, const std::string& caption)
{
    return std::make_unique<CPumpProgress>();
}

void ICommLinkHost::OpenInEditor(const std::string& path)
{
    // The desktop's handler for text files; the name is passed as one argument.
    QProcess::startDetached(QStringLiteral("xdg-open"), QStringList {QString::fromStdString(path)});
}
