#include "logic/CVirtCtrlItem.h"

#include <cfloat>
#include <iterator>

#include "logic/VirtCtrlMath.h"
#include "platform/StringTable.h"

QL_IMPLEMENT_SERIAL(CVirtCtrlItem, 2)

namespace {
constexpr uint32_t kColumnTitles[] = {32805, 34244, 34425, 34426, 34427, 34428, 34429};
constexpr ListColumn kColumns[] = {{2, 0}, {30, 0}, {50, 0}, {70, 0}, {90, 0}, {120, 0}, {150, 0}};
}  // namespace

CVirtCtrlItem::CVirtCtrlItem()
{
    m_type = OT_VIRT_CTRL_ITEM;
}

void CVirtCtrlItem::Serialize(CArchive& ar)
{
    CBaseDevice::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_min << m_max << m_value << m_steps << m_curve << m_link;
        return;
    }
    // Schema 1 stored no fields of its own.
    if (m_loadedSchema >= 2)
        ar >> m_min >> m_max >> m_value >> m_steps >> m_curve >> m_link;
    // The device takes any number here, but a number it must be.
    const std::string entry = StrFormat("/VIRTCTRL/ENTRY%d", m_number);
    RefuseLoaded(m_min, -FLT_MAX, FLT_MAX, 0.0f, entry + "/MIN", true, 6);
    RefuseLoaded(m_max, -FLT_MAX, FLT_MAX, 0.0f, entry + "/MAX", true, 6);
    RefuseLoaded(m_value, -FLT_MAX, FLT_MAX, 0.0f, entry + "/VALUE", true, 6);
    // Steps and curve beyond what the controller holds: at the nearest end.
    ClampLoaded<int32_t>(m_steps, 0, vcmath::kStepsMax, 0, entry + "/STEPS", true);
    ClampLoaded<int32_t>(m_curve, vcmath::kCurveMin, vcmath::kCurveMax, 0, entry + "/CURVE", true);
}

float CVirtCtrlItem::GetFloat(int key) const
{
    switch (key) {
    case Min: return m_min;
    case Max: return m_max;
    case Value: return m_value;
    default: return 0.0f;
    }
}

void CVirtCtrlItem::SetFloat(int key, float value)
{
    const ChangeGuard guard(*this);
    switch (key) {
    case Min: m_min = value; break;
    case Max: m_max = value; break;
    case Value: m_value = value; break;
    default: break;
    }
}

int32_t CVirtCtrlItem::GetInt(int key) const
{
    switch (key) {
    case Steps: return m_steps;
    case Curve: return m_curve;
    case Link: return m_link;
    default: return 0;
    }
}

void CVirtCtrlItem::SetInt(int key, int32_t value)
{
    const ChangeGuard guard(*this);
    switch (key) {
    // Held within what the controller and its dialog take (0..65535 steps,
    // a curve of -128..127), so that what the dialog shows is what is sent.
    case Steps: m_steps = vcmath::ClampSteps(value); break;
    case Curve: m_curve = vcmath::ClampCurve(value); break;
    case Link: m_link = value; break;
    default: break;
    }
}

int CVirtCtrlItem::GetListTexts(int mode, std::vector<std::string>& texts)
{
    if (mode == 1) {
        for (uint32_t id : kColumnTitles)
            texts.push_back(LoadStringId(id));
    } else {
        texts.push_back(m_name);
        texts.push_back(GetNumberText());
        texts.push_back(StrFormat("%f", m_min));
        texts.push_back(StrFormat("%f", m_max));
        texts.push_back(StrFormat("%f", m_value));
        texts.push_back(StrFormat("%d", m_curve));
        texts.push_back(StrFormat("%d", m_steps));
    }
    return static_cast<int>(texts.size());
}

int CVirtCtrlItem::GetListColumns(std::vector<ListColumn>& columns)
{
    columns.insert(columns.end(), std::begin(kColumns), std::end(kColumns));
    return 1;
}
