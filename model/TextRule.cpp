#include "model/TextRule.h"

#include "model/ModelStrings.h"
#include "platform/Cp1252.h"
#include "platform/StringTable.h"

std::string TextRefusal(const std::string& text, bool severalLines)
{
    const TextCheck check = CheckText(text, severalLines);
    switch (check.fault) {
    case TextFault::None: return {};
    case TextFault::ControlChar: return LoadStringId(IDS_TEXT_CONTROL_CHARS);
    case TextFault::NotInCodePage:
        return StrFormat(LoadStringId(IDS_TEXT_NOT_IN_CODE_PAGE).c_str(), check.character.c_str(),
                         static_cast<unsigned>(check.codePoint));
    case TextFault::ReadsAsQuery: return StrFormat(LoadStringId(IDS_TEXT_READS_AS_QUERY).c_str(), text.c_str());
    }
    return {};
}
