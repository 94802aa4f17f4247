#include "ModelTestHost.h"

MessageLog::MessageLog()
{
    m_previous = SetMessageHandler([this](const std::string& text, uint32_t type) {
        texts.push_back(text);
        types.push_back(type);
        if (answer != 0)
            return answer;
        const uint32_t buttons = type & 0xF;
        const uint32_t def = (type >> 8) & 0xF;
        if (buttons == mb::YesNo || buttons == mb::YesNoCancel)
            return def == 1 ? static_cast<int>(mb::IdNo) : static_cast<int>(mb::IdYes);
        if (buttons == mb::OkCancel)
            return def == 1 ? static_cast<int>(mb::IdCancel) : static_cast<int>(mb::IdOk);
        return static_cast<int>(mb::IdOk);
    });
}

MessageLog::~MessageLog()
{
    SetMessageHandler(std::move(m_previous));
}

bool MessageLog::Contains(const std::string& part) const
{
    for (const std::string& t : texts)
        if (t.find(part) != std::string::npos)
            return true;
    return false;
}

ModelTestHost::ModelTestHost()
{
    m_previous = SetAppHost(this);
}

ModelTestHost::~ModelTestHost()
{
    SetAppHost(m_previous);
}

void ModelTestHost::DocumentClosing(CQuillomerDoc* doc, bool closing) { closingCalls.emplace_back(doc, closing); }
void ModelTestHost::PostCommand(uint32_t commandId) { postedCommands.push_back(commandId); }

bool ModelTestHost::EditProjectData(CQuillomerDoc*, ProjectData& data)
{
    return projectDataDialog ? projectDataDialog(data) : false;
}

void ModelTestHost::OpenFeatureWindow(CQuillomerDoc*, int windowKind, bool) { featureWindows.push_back(windowKind); }

int ModelTestHost::GetProfileInt(const std::string& section, const std::string& key, int def)
{
    auto it = profileInts.find(section + "/" + key);
    return it == profileInts.end() ? def : it->second;
}

std::string ModelTestHost::GetProfileString(const std::string& section, const std::string& key, const std::string& def)
{
    auto it = profileStrings.find(section + "/" + key);
    return it == profileStrings.end() ? def : it->second;
}

std::optional<CSize> ModelTestHost::GetBitmapSize(uint32_t bitmapId)
{
    auto it = bitmaps.find(bitmapId);
    if (it == bitmaps.end())
        return std::nullopt;
    return it->second;
}

ActiveDocScope::ActiveDocScope(CQuillomerDoc* doc)
{
    m_previous = SetActiveDocHook([doc] { return doc; });
}

ActiveDocScope::~ActiveDocScope()
{
    SetActiveDocHook(std::move(m_previous));
}
