#include "service/CFuse.h"

#include <cstdint>
#include <cstdio>
#include <optional>

#include "model/BlockWalk.h"
#include "model/DocContext.h"
#include "platform/AnswerLine.h"
#include "platform/FiniteNumber.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CFuse, 1)

namespace {
constexpr const char* kFieldKeys[CFuse::FieldCount] = {
    "/SLOT1/A/VALUE", "/SLOT1/B/VALUE", "/SLOT2/A/VALUE", "/SLOT2/B/VALUE", "/AMP485/VALUE",
};
// The device's event priority at boot, sent with the fuse settings.
constexpr int kPrioBoot = 50;
}  // namespace

CFuse::CFuse()
{
    m_type = OT_FUSE;
}

const char* CFuse::FieldKey(int field)
{
    return field >= 0 && field < FieldCount ? kFieldKeys[field] : "";
}

void CFuse::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    // Every stored schema holds the same five words.
    for (int32_t& step : m_steps) {
        if (ar.IsStoring())
            ar << step;
        else
            ar >> step;
    }
    // A step the fuse does not have is refused as an answer of the device
    // would be: the fuse keeps what a new project holds.
    if (ar.IsLoading())
        for (int i = 0; i < FieldCount; ++i)
            RefuseLoaded(m_steps[i], kMinStep, kMaxStep, kDefaultStep, kFieldKeys[i]);
}

int CFuse::GetDownloadLines(int mode, int step)
{
    if (step == -1)
        return FieldCount + 1;
    if (step < 0 || step > FieldCount)
        return step;
    if (IsOutBufferFull())
        return step;

    std::string line;
    if (step < FieldCount) {
        line = m_path + kFieldKeys[step] + " ";
        line += mode ? std::string("?") : StrFormat("%d", m_steps[step]);
    } else {
        line = m_path + "/../EVENT/PRIO_BOOT ";
        line += mode ? std::string("?") : StrFormat("%d", kPrioBoot);
    }
    SendCommand(line, m_pDocument, true);
    return step + 1;
}

void CFuse::SetStep(int field, int32_t step)
{
    if (field < 0 || field >= FieldCount)
        return;
    const ChangeGuard guard(*this);
    m_steps[field] = step;
}

void CFuse::ParseUploadLines(std::string line, const std::string& diffFileName, int linkState)
{
    if (linkState != linkstate::Upload)
        return;
    // "FUSE/SLOT2/A/VALUE 1": skip the object's own element.
    std::string key, value;
    if (!ReadAnswerLine(line, 1, key, value))
        return;
    for (int i = 0; i < FieldCount; ++i) {
        if (key == kFieldKeys[i]) {
            // Only a whole number standing alone is a step, and only one of
            // the four the fuse has ("3x", "1e40", "2.5" or 7 are none):
            // another text leaves the project's, named.
            if (const std::optional<long> v = ScanWholeNumber(value, kMinStep, kMaxStep))
                SetStep(i, static_cast<int32_t>(*v));
            else
                ReportNotHeld(diffFileName.empty() ? nullptr : &diffFileName, m_path + key, value,
                              StrFormat("%d", m_steps[i]));
            return;
        }
    }
}
