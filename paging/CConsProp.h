#pragma once
// The key layout and settings of one paging console: the fixed keys of the
// model and the twelve programmable keys, the settings by parameter code, and
// where each key's cell lies on the console front. The parameter texts
// (GetParamText / SetParamText) are the one way the console's transfers, its
// settings page and the key dialogs read and change the settings.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/CArchive.h"
#include "platform/Geometry.h"

class CConsKey;
class CConsole;

// Console parameter codes.
namespace consparam {
enum : int32_t {
    Buzzer = 0,
    Display = 2,
    DosChar = 3,
    PreChime = 4,
    German = 5,
    Prio = 6,
    PttPrio = 7,
    Type = 8,
    Name = 11,
    Comp = 12,
    Ext = 13,
    ExpertPassword = 14,
    UserPassword = 15,
    Passwords = 16,
    OnPrio = 17,
    Key = 254,
    Group = 255,
};
}

// Use of the EXT connector.
namespace consext {
enum : int32_t { None = 0, Aux = 1, Extension = 2, Ptt = 3 };
}

class CConsProp {
public:
    static constexpr int kProgrammableKeys = 12;
    static constexpr int kDefaultExpertPassword = 4711;  // 1000..9999
    static constexpr int kDefaultUserPassword = 815;     // 100..999
    // Allowed functions of every fixed key.
    static constexpr uint32_t kFixedKeyMask = 0x80007C1F;

    struct ModelInfo {
        int32_t fixedKeys = 0;
        int32_t display = 0;
        int32_t ext = 0;
    };
    // Keys, display and EXT at creation of a model (kind id); zeros for an unknown one.
    static ModelInfo GetModelInfo(uint32_t model);
    // True for the models with the extension unit (type text ending in "X").
    static bool IsExtensionModel(uint32_t model);

    CConsProp();
    ~CConsProp();
    CConsProp(const CConsProp&) = delete;
    CConsProp& operator=(const CConsProp&) = delete;

    // Sets up a new console of `model`: defaults, the twelve programmable keys
    // and the model's fixed keys. False when out of memory (reported).
    bool CreateFixedKeys(uint32_t model, CConsole* console);
    // Appends fixed keys for array positions first..last-1.
    bool CreateKeys(int first, int last, CConsole* console, bool withDefaults);
    void SetConsole(CConsole* console);
    CConsole* GetConsole() const { return m_console; }

    // i < 101: the fixed key at array position i; else the programmable key numbered i.
    CConsKey* GetKeyAt(int i) const;
    // The key numbered 1..n or 101..112; null when there is none.
    CConsKey* FindKey(int number) const;
    const std::vector<CConsKey*>& GetFixedKeys() const { return m_fixedKeys; }
    const std::vector<CConsKey*>& GetProgrammableKeys() const { return m_progKeys; }
    // Every key: the fixed keys in array order, then 101..112.
    std::vector<CConsKey*> GetAllKeys() const;

    std::string GetParamText(int32_t code) const;
    // False for a code that has no value; nothing changes then.
    bool SetParamText(int32_t code, const std::string& text);
    std::string GetConsoleName() const;

    // The persistent form inside the console's record; `schema` is the
    // console's stored schema when loading.
    void Serialize(CArchive& ar, uint32_t schema);

    // Lays every key's cell and button out for a view whose client area is
    // `clientHeight` pixels high; returns the cell of key 108.
    CRect LayoutKeys(int clientHeight);
    void SetAllowedFunctions();

    int32_t GetFixedCount() const { return m_fixedCount; }
    uint32_t GetModel() const { return m_model; }
    bool HasDisplay() const { return m_display != 0; }
    const std::string& GetTypeText() const { return m_typeText; }

    // Fields (settings by parameter code).
    int32_t m_prio = 5;
    int32_t m_pttPrio = 1;
    int32_t m_preChime = 0;
    int32_t m_buzzer = 1;
    int32_t m_comp = 0;
    int32_t m_german = 1;
    int32_t m_dosChar = 0;
    int32_t m_ext = 0;
    std::string m_typeText;
    std::string m_expertPassword;
    std::string m_userPassword;
    int32_t m_onPrio = 40;
    uint32_t m_model = 0;
    int32_t m_fixedCount = 0;
    int32_t m_display = 0;

private:
    void DeleteKeys();
    void ReadKeyArray(CArchive& ar, std::vector<CConsKey*>& keys, bool programmable);

    std::vector<CConsKey*> m_fixedKeys;
    std::vector<CConsKey*> m_progKeys;
    CConsole* m_console = nullptr;
};
