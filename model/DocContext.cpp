#include "model/DocContext.h"

#include <cstdio>

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"

namespace {
ActiveDocHook& ActiveHook()
{
    static ActiveDocHook hook;
    return hook;
}
ILineSender*& Sender()
{
    static ILineSender* sender = nullptr;
    return sender;
}
IAppHost& NeutralHost()
{
    static IAppHost host;
    return host;
}
IAppHost*& Host()
{
    static IAppHost* host = nullptr;
    return host;
}
}  // namespace

std::string IAppHost::FormatShortDate(std::time_t t)
{
    std::tm tmv{};
    localtime_r(&t, &tmv);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", tmv.tm_mday, tmv.tm_mon + 1, tmv.tm_year + 1900);
    return buf;
}

std::optional<std::time_t> IAppHost::ParseShortDate(const std::string& text)
{
    int d = 0, m = 0, y = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d.%d.%d%c", &d, &m, &y, &tail) != 3)
        return std::nullopt;
    if (y < 100)
        y += y < 70 ? 2000 : 1900;
    // Any year the wide time holds; the caller decides which dates it keeps.
    if (d < 1 || d > 31 || m < 1 || m > 12 || y < 1 || y > 9999)
        return std::nullopt;
    std::tm tmv{};
    tmv.tm_mday = d;
    tmv.tm_mon = m - 1;
    tmv.tm_year = y - 1900;
    tmv.tm_isdst = -1;
    const std::time_t t = std::mktime(&tmv);
    if (t == static_cast<std::time_t>(-1) || tmv.tm_mday != d || tmv.tm_mon != m - 1)
        return std::nullopt;
    return t;
}

bool IAppHost::SaveDocument(CQuillomerDoc* doc, bool saveAs)
{
    if (!doc || saveAs || doc->GetPathName().empty())
        return false;
    return doc->OnSaveDocument(doc->GetPathName());
}

void IAppHost::CloseDocument(CQuillomerDoc* doc)
{
    if (!doc)
        return;
    doc->SetTitle(doc->GetProjectName());
    doc->OnCloseDocument();
}

CQuillomerDoc* GetActiveDoc()
{
    return ActiveHook() ? ActiveHook()() : nullptr;
}

int IsDocConnected()
{
    CQuillomerDoc* doc = GetActiveDoc();
    return doc ? doc->GetConnectedFlag() : 0;
}

IDocView* GetActiveDocView()
{
    CQuillomerDoc* doc = GetActiveDoc();
    return doc ? doc->GetFirstView() : nullptr;
}

void SendCommand(const std::string& line, CQuillomerDoc* doc, bool shorten)
{
    if (Sender())
        Sender()->SendCommand(line, doc, shorten);
}

int GetOutBufferCount()
{
    return Sender() ? Sender()->GetOutBufferCount() : 0;
}

void ReportUnreadableAnswer(const std::string& answer)
{
    if (Sender())
        Sender()->AnswerUnreadable(answer);
}

IAppHost& GetAppHost()
{
    return Host() ? *Host() : NeutralHost();
}

ActiveDocHook SetActiveDocHook(ActiveDocHook hook)
{
    ActiveDocHook old = std::move(ActiveHook());
    ActiveHook() = std::move(hook);
    return old;
}

ILineSender* SetLineSender(ILineSender* sender)
{
    ILineSender* old = Sender();
    Sender() = sender;
    return old;
}

IAppHost* SetAppHost(IAppHost* host)
{
    IAppHost* old = Host();
    Host() = host;
    return old;
}

void IAppHost::TransferObject(CBaseDevice* obj, bool upload)
{
    if (!obj)
        return;
    const int mode = upload ? 1 : 0;
    const int end = obj->GetDownloadLines(mode, -1);
    for (int step = 0; step >= 0 && step < end;) {
        const int next = obj->GetDownloadLines(mode, step);
        if (next == step)
            break;
        step = next;
    }
}
