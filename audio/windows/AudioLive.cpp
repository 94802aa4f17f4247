#include "audio/windows/AudioLive.h"

#include <QString>

#include "comm/CCommLink.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"

namespace audiolive {

bool SendBlock(const std::vector<std::string>& lines, ILinkAnswerSink* reply, bool expectAnswers)
{
    CCommLink* link = GetCommLink();
    return link && link->SendBlock(lines, expectAnswers, 0, reply, 0);
}

void SendLine(const std::string& line)
{
    if (CCommLink* link = GetCommLink())
        link->SendLine(line, GetActiveDoc());
}

bool SplitAnswer(const std::string& line, const std::string& prefix, std::string* key, std::string* value)
{
    const size_t blank = line.find(' ');
    if (blank == std::string::npos)
        return false;
    *value = line.substr(blank + 1);
    while (!value->empty() && (value->back() == '\r' || value->back() == '\n'))
        value->pop_back();
    // The device's word for a key it does not hold ("PATH ? ") or a line it
    // did not understand ("PATH VALUE ? ") is no value.
    if (IsRefusedValue(*value))
        return false;
    *key = line.substr(0, blank);
    for (size_t at; !prefix.empty() && (at = key->find(prefix)) != std::string::npos;)
        key->erase(at, prefix.size());
    return true;
}

std::string LineValue(const QString& text)
{
    QString clean;
    for (QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            clean.append(c);
    return clean.toStdString();
}

void ReleaseLink(const ILinkAnswerSink* own)
{
    if (CCommLink* link = GetCommLink())
        link->EndRequestOf(own);
}

}  // namespace audiolive
