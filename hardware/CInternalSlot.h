#pragma once
// One built-in function of the central device on the designer sheet (macros,
// clock, fuses, triggers, monitor, service, calendar, audio, system). The kind
// id says which; opening the object opens that function's window.

#include <cstdint>
#include <functional>
#include <string>

#include "model/CBaseDevice.h"

class IServiceAnswerSink;

namespace internalslot {
enum : uint32_t {
    Macro = 32806,     // "Makro"
    Clock = 33011,     // "Uhr"
    Fuse = 33084,      // "Fuse"
    Trigger = 33085,   // "Trigger"
    Monitor = 33086,   // "Monitor"
    Service = 33087,   // "Service"
    Calendar = 33088,  // "Kalender"
    Audio = 34077,     // "Audio"
    System = 34078,    // "System"
};
}

class CInternalSlot : public CBaseDevice {
    QL_DECLARE_SERIAL(CInternalSlot)
public:
    CInternalSlot();

    // Fuse, Monitor and Service objects draw nothing; the others draw the
    // slot box and their function's icon.
    void Draw(IPainter& dc) override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;

    // The feature window kind the object opens; 0 for the service object
    // (its own dialog) and for an unknown kind.
    static int GetWindowKind(uint32_t kindId);
    // Size of the icons (square) and their distance from the symbol's left edge.
    static constexpr int32_t kIconSize = 32;
    static constexpr int32_t kIconLeft = 6;
    // The icon drawn on the symbol; 0 when the object draws none.
    static uint32_t GetIconId(uint32_t kindId);
    // Fuse, Monitor and Service objects are not drawn at all.
    static bool IsInvisible(uint32_t kindId);

    // The audio signal editor, run modally by the open action of the Audio
    // object (installed by the audio windows). Returns the previous runner.
    using AudioEditorRunner = std::function<void(CInternalSlot* slot)>;
    static AudioEditorRunner SetAudioEditorRunner(AudioEditorRunner runner);

    // The service dialog, run modally by the open action of the Service
    // object (installed by the service windows); it sets m_openDialog while
    // it runs. Returns the previous runner.
    using ServiceDialogRunner = std::function<void(CInternalSlot* slot)>;
    static ServiceDialogRunner SetServiceDialogRunner(ServiceDialogRunner runner);

    // The service dialog while it is open (set by it, cleared when it closes).
    IServiceAnswerSink* m_openDialog = nullptr;
};
