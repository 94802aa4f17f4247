#pragma once
// What a console key needs of the key view that shows it. A key shown in a
// view (its "button") keeps its caption fitted to the button and has the
// view redraw it after every change; a key without a view changes only its
// values and links.

#include <string>

#include "platform/Geometry.h"

class CConsKey;

class IConsoleKeyView {
public:
    virtual ~IConsoleKeyView() = default;
    // The key changed: redraw its cell.
    virtual void KeyChanged(CConsKey& key) = 0;
    // The caption shortened with "..." to fit `width` pixels of the key font.
    virtual std::string FitCaption(const std::string& caption, int width) { return caption; }
    // A tool tip with the full caption over the key's cell (cell in unscrolled view pixels).
    virtual void AddKeyTip(int keyNumber, const std::string& text, const CRect& cell) {}
    virtual void RemoveKeyTip(int keyNumber) {}
};
