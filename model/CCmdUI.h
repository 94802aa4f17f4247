#pragma once
// The state of one menu entry or tool button, asked of an object or the
// document before the entry is shown (OnUpdateCommand). The window code
// applies the answer to the real entry.

#include <cstdint>
#include <string>

class CCmdUI {
public:
    explicit CCmdUI(uint32_t id) : m_nID(id) {}

    void Enable(bool on = true) { m_enabled = on; m_enableSet = true; }
    void SetCheck(int check = 1) { m_checked = check; }
    // Removes the entry from the menu being updated.
    void Remove() { m_removed = true; }
    // Gives a menu entry a new text (UTF-8); tool buttons keep their picture.
    void SetText(const std::string& text) { m_text = text; m_textSet = true; }

    uint32_t m_nID;
    bool m_enabled = true;
    bool m_enableSet = false;
    int m_checked = 0;
    bool m_removed = false;
    std::string m_text;
    bool m_textSet = false;
};
