#include "service/windows/ServiceLive.h"

#include "comm/CCommLink.h"
#include "model/DocContext.h"

namespace servicelive {

bool SendBlock(const std::vector<std::string>& lines, ILinkAnswerSink* reply)
{
    CCommLink* link = GetCommLink();
    return link && link->SendBlock(lines, true, 0, reply, 0);
}

std::vector<std::vector<std::string>> SplitBlocks(const std::vector<std::string>& lines,
                                                  std::vector<std::string>* tooLong)
{
    std::vector<std::vector<std::string>> blocks;
    size_t size = 0;
    for (const std::string& line : lines) {
        const size_t length = line.size() + 2;
        if (length > kBlockLimit) {
            if (tooLong)
                tooLong->push_back(line);
            continue;
        }
        if (blocks.empty() || size + length > kBlockLimit) {
            blocks.emplace_back();
            size = 0;
        }
        blocks.back().push_back(line);
        size += length;
    }
    return blocks;
}

void SendLine(const std::string& line)
{
    if (CCommLink* link = GetCommLink())
        link->SendLine(line, GetActiveDoc());
}

std::string Query(const std::string& line, int waitMs)
{
    CCommLink* link = GetCommLink();
    return link ? link->Query(line, waitMs) : std::string();
}

std::vector<std::string> SendAndCollect(const std::vector<std::string>& lines)
{
    std::vector<std::string> answers;
    if (CCommLink* link = GetCommLink())
        link->SendAndCollect(lines, &answers);
    return answers;
}

int OutBufferCount()
{
    CCommLink* link = GetCommLink();
    return link ? link->GetOutBufferCount() : 0;
}

bool SplitAnswer(const std::string& line, const std::string& prefix, std::string* key, std::string* value)
{
    const size_t blank = line.find(' ');
    if (blank == std::string::npos)
        return false;
    *value = line.substr(blank + 1);
    while (!value->empty() && (value->back() == '\r' || value->back() == '\n'))
        value->pop_back();
    // The device's word for a key it does not hold or a value it refused
    // ("PATH ? ", the blank included) is no value.
    std::string bare = *value;
    while (!bare.empty() && bare.back() == ' ')
        bare.pop_back();
    if (bare == "?")
        return false;
    *key = line.substr(0, blank);
    for (size_t at; !prefix.empty() && (at = key->find(prefix)) != std::string::npos;)
        key->erase(at, prefix.size());
    return true;
}

void ReleaseLink(const ILinkAnswerSink* own)
{
    if (CCommLink* link = GetCommLink())
        link->EndRequestOf(own);
}

}  // namespace servicelive
