#include "ModelTestObjects.h"

#include "model/CQuillomerDoc.h"

QL_IMPLEMENT_SERIAL(TestDevice, 1)

TestDevice* MakeDevice(CQuillomerDoc& doc, uint32_t type, int32_t category, const char* name, CRect rect,
                       int32_t inputs, int32_t outputs, uint32_t kind)
{
    auto* obj = new TestDevice(type);
    if (!obj->Create(kind, inputs, outputs, name, rect.left, rect.top, rect.right, rect.bottom, category, 0, 0,
                     &doc)) {
        delete obj;
        return nullptr;
    }
    doc.AddObject(obj, category);
    return obj;
}
