#pragma once
// Type codes of the system object classes and the document's object categories.
//
// The type code keys the object directory (CIDManager) and the per-type limits;
// the category is the document list (designer layer) that holds an object.

#include <cstdint>

enum ObjectTypeCode : uint32_t {
    OT_NONE = 0,
    OT_ALARM = 1,                    // CAlarm
    OT_AMPLIFIER = 2,                // CAmplifier
    OT_APPOINT = 3,                  // CAppoint
    OT_AUDIO_INPUT_DEVICE = 4,       // CAudioInputDevice
    OT_AUDIO_INPUT_SLOT = 5,         // CAudioInputSlot
    OT_AUDIO_OUTPUT_SLOT = 6,        // CAudioOutputSlot
    OT_CONSOLE = 7,                  // CConsole
    OT_CONTROL_PAD = 8,              // CControlPad
    OT_DAYPROG = 9,                  // CDayprog
    OT_DIGITAL_SLOT = 10,            // CDigitalSlot
    OT_GONG = 11,                    // CGong
    OT_GROUP = 12,                   // CGroup (numbers from 0)
    OT_HOLIDAY = 13,                 // CHoliday
    OT_INFO_SLOT = 14,               // CInfoSlot
    OT_INTERFACE_SLOT = 15,          // CInterfaceSlot
    OT_INTERNAL_SLOT = 16,           // CInternalSlot
    OT_MACRO = 17,                   // CMacro
    OT_MONITOR = 18,                 // CMonitor
    OT_RELAIS_TOPOLOGY = 19,         // CRelaisTopology
    OT_UNUSED_20 = 20,               // no class
    OT_TRIGGER = 21,                 // CTrigger
    OT_WEEK = 22,                    // CWeek
    OT_ZONE = 23,                    // CZone
    OT_COLLECTION_CALL = 24,         // CCollectionCall
    OT_MESSAGE = 25,                 // CMessage
    OT_AUDIO_SIGNAL = 26,            // CAudioSignal
    OT_MISC_AUDIO = 27,              // CMiscAudio
    OT_ALARM_SIGNAL = 28,            // CAlarmSignal
    OT_CHIME_SIGNAL = 29,            // CChimeSignal
    OT_MESSAGE_SIGNAL = 30,          // CMessageSignal
    OT_CLOCK = 31,                   // CClock
    OT_FUSE = 32,                    // CFuse
    OT_CONDITION = 33,               // CCondition
    OT_MEMO_FLAG = 34,               // CMemoFlag
    OT_LMZ752 = 35,                  // CLMZ, card model LMZ752
    OT_RELAIS = 36,                  // CRelais
    OT_QTB_SEQUENCE = 37,            // CQTBSequence
    OT_READY_INPUT = 38,             // CReadyInput
    OT_VIRT_CTRL = 39,               // CVirtCtrl
    OT_GLOBAL_READY_INPUT = 40,      // CGlobalReadyInput
    OT_LMZ763 = 41,                  // CLMZ, card model LMZ763
    OT_LMZ764 = 42,                  // CLMZ, card model LMZ764
    OT_LMZ771 = 43,                  // CLMZ, card model LMZ771
    OT_LMZ775 = 44,                  // CLMZ, card model LMZ775
    OT_SPARE_AMP = 45,               // CSpareAmp
    OT_LMZ_EX = 46,                  // CLMZEx
    OT_AMP = 47,                     // CAmp
    OT_LOGIC_OUT = 48,               // CLogicOut
    OT_VIRT_CTRL_ITEM = 49,          // CVirtCtrlItem
    OT_TRIGGER_OBJECT = 50,          // CTriggerObject
    OT_CAL_OBJECT = 51,              // CCalObject
    OT_CONDITION_OBJECT = 52,        // CConditionObject
    OT_ANALOG_CONDITION = 53,        // CAnalogCondition
    OT_COMBINE_CONDITION = 54,       // CCombineCondition
    OT_BUSY_CONDITION = 55,          // CBusyCondition
    OT_LOGIC_OUT_OBJECT = 56,        // CLogicOutObject
    OT_MACRO_OBJECT = 57,            // CMacroObject
    OT_READY_INP_OBJECT = 58,        // CReadyInpObject
    OT_FAULT = 59,                   // CFault
    OT_INTERNAL_MESSAGE_SIGNAL = 60, // CInternalMessageSignal
    OT_INTERNAL_POWER_MANAGEMENT = 61, // CInternalPowerManagement
    OT_INTERNAL_PILOTTONE_GEN = 62,  // CInternalPilottoneGen
    OT_INTERNAL_MESSAGE_REC = 63,    // CInternalMessageRec
    OT_LAN_GROUP = 64,               // CLANGroup
    OT_EVENT_LOG = 65,               // CEventLog
    OT_ZONETEST_OBJECT = 66,         // CZonetestObject
    OT_CONSOLE_OBJECT = 67,          // CConsoleObject
};

constexpr uint32_t OT_FIRST = 1;
constexpr uint32_t OT_LAST = 67;

// The document's sixteen object lists.
enum ObjectCategory : int32_t {
    CAT_NONE = 0,
    CAT_AMPLIFIER = 1,        // "Verstärker"
    CAT_RELAIS_TOPOLOGY = 2,  // "Relaistopologie" (also collective calls)
    CAT_ZONE = 3,             // "Linien"
    CAT_GROUP = 4,            // "Gruppen"
    CAT_OUTPUT_SLOT = 5,      // "Lautstärke,Delay"
    CAT_INPUT_SLOT = 6,       // "Eingangsfilter, Gain"
    CAT_CALENDAR = 7,         // "Kalender, Timer"
    CAT_INTERNAL_SLOT = 8,    // "Interne Slots"
    CAT_INFO = 9,             // "Info"
    CAT_INTERFACE = 10,       // "Interface"
    CAT_DIGITAL_SLOT = 11,    // "Digital-Slot"
    CAT_DIGITAL_IO = 12,      // "Digitale Ein-/Ausgänge"
    CAT_AUDIO_DEVICE = 13,    // "Audio-Geräte"
    CAT_CONSOLE = 14,         // "Sprechstellen"
    CAT_MACRO = 15,           // "Makro"
    CAT_AUDIO = 16,           // "Audio (Alarm,Gong,Text...)"
};

constexpr int32_t CAT_FIRST = 1;
constexpr int32_t CAT_LAST = 16;

inline constexpr bool IsValidCategory(int32_t c) { return c >= CAT_FIRST && c <= CAT_LAST; }

// Capacity of the directory table of a type: the largest number + 1.
// 0 for a code outside 1..67.
uint32_t GetTypeCapacity(uint32_t type);
