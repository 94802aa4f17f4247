#include "audio/CQTBSequence.h"

#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CQTBSequence, 1)

QL_STRING_TABLE({
    {32934, "Alarm"},
    {32935, "Gong"},
    {32936, "Text"},
});

CQTBSequence::CQTBSequence()
{
    m_type = OT_QTB_SEQUENCE;
}
