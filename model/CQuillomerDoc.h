#pragma once
// The project document: owns every system object in sixteen category lists,
// the object directory, the relay tables and the protocol-path map, and holds
// the project data. Stored in one ".qlx" file.

#include <cstdint>
#include <ctime>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/CCmdUI.h"
#include "model/CIDManager.h"
#include "model/ObjectTypeCode.h"

class CArchive;
class CBaseDevice;
class CControlPad;
class CRelaisManager;
class IDocView;

using ObjectList = std::list<CBaseDevice*>;  // a category list; the document owns the objects

// The fields of the project data dialog.
struct ProjectData {
    std::string projectName;     // "Projektname"
    std::string projectNumber;   // "Projektnummer"
    std::string company;         // "Firma"
    std::string address;         // "Adresse"
    std::string editor;          // "Bearbeiter"
    std::string dateText;        // "Datum"
    std::string fileTitle;       // "Dateiname (ohne ext.)"
    std::string password;        // "Paßwort" (empty: off)
    std::string description;     // "Projektbeschreibung"
    uint32_t projectDate = 0;    // seconds since 1970 (the date text's date)
    int32_t deviceVariant = 1;   // 0 "KVT 7000", 1 "KVT 7000 Upgrade"
    uint32_t extraWord = 0;      // kept and written back
    std::string systemCallNumber;  // "Systemrufnummer"
};

// Why the last open or load gave no project: the message the caller shows
// (34617 when the file itself cannot be read, 34906 when its contents are
// refused) and the reason, shown as the message's detail text.
struct LoadError {
    uint32_t messageId = 0;  // 0: no error
    std::string reason;
};

// A value the file last loaded held beyond what its key takes (a damaged or
// hand-made file): the item (the protocol path and key, "/FUSE/AMP485/VALUE"),
// the file's value and the value the project holds instead, which is what
// is shown and sent.
struct HeldOnLoad {
    std::string item;
    std::string file;
    std::string held;
    bool operator==(const HeldOnLoad&) const = default;
};

// Document command ids.
namespace doccmd {
enum : uint32_t {
    ProjectData = 32876,
    Fuses = 32868,
    Monitor = 32872,
    Service = 32870,
    SaveAs = 57604,
    Save = 57603,
    Close = 57602,
    DeleteEventFile = 34620,
    DeleteLogFile = 34619,
};
}

class CQuillomerDoc {
public:
    static constexpr uint32_t kFileVersion = 1101;

    CQuillomerDoc();
    virtual ~CQuillomerDoc();
    CQuillomerDoc(const CQuillomerDoc&) = delete;
    CQuillomerDoc& operator=(const CQuillomerDoc&) = delete;

    // ---- Contents ----
    // Deletes every object (categories 16 down to 1) and empties the lists.
    void DeleteContents();
    ObjectList& GetList(int32_t category);          // category 1..16
    const ObjectList& GetList(int32_t category) const;
    // Appends an object (owned from now on) to its category list.
    void AddObject(CBaseDevice* obj, int32_t category);
    // Takes the object out of its list without deleting it; true when found.
    bool RemoveObject(CBaseDevice* obj);
    static std::string GetCategoryName(int32_t category);  // display name
    CBaseDevice* FindObject(int32_t category, int32_t number) const;
    CBaseDevice* FindSlotByPath(const std::string& path) const;

    CIDManager& GetIDManager() { return m_idManager; }
    const CIDManager& GetIDManager() const { return m_idManager; }
    CRelaisManager* GetRelaisManager() const { return m_relaisManager.get(); }

    // ---- Path map (several objects may share a path) ----
    void AddPath(const std::string& path, CBaseDevice* obj);
    // Removes every entry of the path.
    void RemovePath(const std::string& path);
    // Removes the entry of the path that holds the object.
    void RemovePath(const std::string& path, CBaseDevice* obj);
    bool HasPath(const std::string& path) const;
    // The object of a path (the one entered last, as a plain map would keep it), or null.
    CBaseDevice* LookupPath(const std::string& path) const;
    const std::multimap<std::string, CBaseDevice*>& GetPathMap() const { return m_pathMap; }

    // ---- Connection ----
    // The active document's connected flag (0 when there is no active document).
    int IsConnected() const;
    void SetConnected(int value);
    // This document's own connected flag (its information slot).
    int GetConnectedFlag() const;

    // ---- Uploads ----
    // Every upload is a round of its own: a name the device gave in the
    // round in progress stands against the names it gives after it.
    void BeginUploadRound() { ++m_uploadRound; }
    uint32_t GetUploadRound() const { return m_uploadRound; }

    // ---- Title, path, modified flag ----
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_pathName; }
    void SetPathName(const std::string& path);
    std::string GetProjectName() const;
    bool IsModified() const { return m_modified; }
    // The title follows the flag: " *" after the project name while the
    // document holds changes not saved, and no " *" once it holds none.
    void SetModifiedFlag(bool modified = true);

    // Side files next to the project; empty when the document has no path.
    std::string GetLogFileName() const;     // ".log"
    std::string GetEventFileName() const;   // the path name + ".events"
    std::string GetErrFileName() const;     // ".err"

    // ---- Views ----
    void AddView(IDocView* view);
    void RemoveView(IDocView* view);
    IDocView* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    const std::vector<IDocView*>& GetViews() const { return m_views; }
    void UpdateAllViews();

    // ---- Commands ----
    // True when the command is the document's (handled).
    bool OnCommand(uint32_t commandId);
    // True when the command is the document's (state set in cmdUI).
    bool OnUpdateCommand(CCmdUI& cmdUI);
    void OnProjectData();

    // ---- Files ----
    // A project file larger than this is refused before it is read (the
    // largest legal project takes about half a megabyte).
    static constexpr uint64_t kMaxFileSize = 16u << 20;

    bool OnNewDocument();
    // Loads the file. Only a regular file of at most kMaxFileSize bytes is
    // read; an empty one opens with the default system of a new project.
    // When the file cannot be read the contents stay as they were; when its
    // contents are refused the document is left empty. Either way nothing is
    // shown: false, and GetLoadError says what the caller shows.
    bool OnOpenDocument(const std::string& path);
    // Loads from bytes (no side-file checks), as OnOpenDocument does.
    bool LoadFromBytes(const std::vector<uint8_t>& bytes);
    const LoadError& GetLoadError() const { return m_loadError; }
    // The objects whose symbol place or line lanes lay outside the program's
    // bounds in the file last loaded and were brought into range (the
    // document is then modified); the caller tells the user once.
    const std::vector<std::string>& GetMovedOnLoad() const { return m_movedOnLoad; }
    // Called by an object whose place is brought into range while it loads.
    void NoteMovedOnLoad(const std::string& objectName) { m_movedOnLoad.push_back(objectName); }
    // The values the file last loaded held beyond their range, held to it or
    // refused while it was read (the document is then modified); the caller
    // tells the user once.
    const std::vector<HeldOnLoad>& GetHeldOnLoad() const { return m_heldOnLoad; }
    // Called by an object that holds or refuses a value while the document
    // loads; at any other time (objects read from a drag) nothing is noted.
    // `key` follows the object's protocol path, which an object read from
    // the file gets only after its own data: the item is named once it has
    // it. With `whole` the key is the whole item.
    void NoteHeldOnLoad(const CBaseDevice* obj, const std::string& key, const std::string& fileValue,
                        const std::string& held, bool whole = false);
    // Writes through a temporary file beside the target, then renames it.
    // On failure the old file stays, the document stays modified, false.
    bool OnSaveDocument(const std::string& path);
    std::vector<uint8_t> SaveToBytes();
    void OnCloseDocument();
    void Serialize(CArchive& ar);

    // ---- Upload answers ----
    // Hands the line to the object that owns its path. An answer that changes
    // what the project holds (the object's values or links, or objects made
    // or deleted for it) marks the project modified, whichever transfer asked
    // for it; an answer that reads back what the project holds marks nothing.
    void DispatchAnswerLine(std::string line, const std::string& diffFileName, int linkState);
    void IgnoreLine(std::string line);
    // Called by an object an upload's answer deletes (a number its device
    // reports free): each object still holding it is named in the
    // difference file, which line says what it held and that it now holds
    // none. Nothing is noted outside an upload's answer (a user's delete).
    void NoteLostHoldings(const CBaseDevice& freed);
    // Only a holder the upload has read already is named: one whose answers
    // are still to come takes what the device holds from them.
    // The same for one item of `holder` that held `freed` by its number
    // alone ("/CONS/ADR1/KEY3").
    void NoteLostHolding(const CBaseDevice& holder, const std::string& item, const CBaseDevice& freed);
    // True while an upload's answer is being handled.
    bool IsReadingUploadAnswer() const { return m_noteLostHoldings; }
    // An upload's free list reported number `number` of `type` free on the
    // device (kept for the upload round in progress).
    void NoteFreeOnDevice(uint32_t type, int32_t number);
    bool IsFreeOnDevice(uint32_t type, int32_t number) const;
    // An object the device reports free that an entry the upload has read
    // still names stays as a free placeholder (CBaseDevice::BecomeFreeOnDevice),
    // and the entry keeps it; deleted otherwise. Returns true when it stays.
    bool FreeOnDevice(CBaseDevice& obj);
    // The same for an entry the device reads back free: a placeholder the
    // project holds so stays while anything names it (its holders' answers
    // may still come).
    bool ReadBackFree(CBaseDevice& obj);
    // A placeholder made for a reference the upload read to a number its
    // device reported free: when it is its family's free form, each entry
    // naming it is named in the difference file, once the answer is handled,
    // as keeping a free placeholder.
    void NotePlaceholderForFree(const CBaseDevice& placeholder);
    // At an upload's end: a free placeholder kept for entries whose answers
    // came later and named another number goes, as the device holds nothing
    // there and nothing names it.
    void DropUnnamedFreePlaceholders();

    // ---- Default system and upgrades ----
    void AddInternalSlots();
    void AddAudioSignals();
    void AddCollectiveCallsAndWeek();
    void AddClockAndFuse();
    void UpgradeControlPads();
    void AddMissingSystemObjects();
    void AddMissingAlarms();
    void InitProjectData();

    // ---- Services of the external audio signal sequences ----
    static CBaseDevice* CreateSequenceCondition(CQuillomerDoc* doc, CControlPad* pad, int32_t state);
    static int CreateSequenceMacro(CQuillomerDoc* doc, uint32_t macroKind, const std::string& baseName,
                                   const std::string& firstSuffix, const std::string& secondSuffix,
                                   CBaseDevice** firstMacro, CBaseDevice** secondMacro);
    CBaseDevice* CreateSequenceReadyInput(CControlPad* pad, const std::string& text);

    // ---- Project data ----
    ProjectData m_data;
    uint32_t m_fileVersion = kFileVersion;  // version word of the file last loaded

    // How the sequence services set class fields they do not own: a
    // condition's level (1 ON, 0 OFF), installed by the condition class; a
    // macro's sequence-start flag and its partner's number (-1: keep),
    // installed by the macro class.
    using ConditionStateFn = void (*)(CBaseDevice* condition, int32_t state);
    using SequenceMacroFn = void (*)(CBaseDevice* macro, int32_t startFlag, int32_t partnerNumber);
    static ConditionStateFn SetConditionStateFn(ConditionStateFn fn);
    static SequenceMacroFn SetSequenceMacroFn(SequenceMacroFn fn);

    // How a document gets its relay tables (installed by the relay code).
    using RelaisManagerFactory = std::shared_ptr<CRelaisManager> (*)(CQuillomerDoc* doc);
    static RelaisManagerFactory SetRelaisManagerFactory(RelaisManagerFactory factory);

private:
    // Lives for one answer line's parse (see DispatchAnswerLine).
    class AnswerChangeGuard {
    public:
        AnswerChangeGuard(CQuillomerDoc& doc, CBaseDevice& obj);
        ~AnswerChangeGuard();
        AnswerChangeGuard(const AnswerChangeGuard&) = delete;
        AnswerChangeGuard& operator=(const AnswerChangeGuard&) = delete;

    private:
        CQuillomerDoc& m_doc;
        CBaseDevice* m_obj = nullptr;
        uint64_t m_listChanges;
        std::vector<uint8_t> m_before;
    };

    void DispatchAnswer(std::string line, const std::string& diffFileName, int linkState);
    void AddAlarmPair(const std::string& name);
    void AddGongPair(const std::string& name);
    void DeleteCategory(int32_t category);
    void DeleteCategoryUnlinked(int32_t category);
    // Creates an object of a registered class and appends it on success.
    CBaseDevice* NewObject(const char* className) const;
    CBaseDevice* MakeNamed(const char* className, uint32_t kindId, int32_t inputs, int32_t outputs,
                           const std::string& name, int32_t left, int32_t top, int32_t width, int32_t height,
                           int32_t category, uint32_t bitmapId, uint32_t style);
    CBaseDevice* MakeUnnamed(const char* className, uint32_t kindId, int32_t inputs, int32_t outputs,
                             int32_t left, int32_t top, int32_t width, int32_t height, int32_t category,
                             uint32_t bitmapId, uint32_t style, bool append = true);
    bool HasControlPadOfKind(uint32_t kindId) const;
    // The category lists as read, by position: a link record names its
    // partner by category and position.
    using PartnerIndex = std::vector<CBaseDevice*>[CAT_LAST + 1];
    void ReadLinkBlock(CArchive& ar, CBaseDevice* obj, bool outgoing, PartnerIndex& partners);
    void WriteLinkBlock(CArchive& ar, CBaseDevice* obj, bool outgoing);
    bool Load(const uint8_t* data, size_t size);
    void BuildDefaultSystem();

    ObjectList m_lists[CAT_LAST + 1];  // entry 0 unused
    CIDManager m_idManager;
    std::shared_ptr<CRelaisManager> m_relaisManager;
    std::multimap<std::string, CBaseDevice*> m_pathMap;
    std::vector<IDocView*> m_views;
    std::unordered_map<const CBaseDevice*, int32_t> m_storing;  // the objects being stored, by their list
    std::string m_title;
    std::string m_pathName;
    bool m_modified = false;
    uint64_t m_listChanges = 0;  // objects added to or taken out of the lists so far
    uint32_t m_uploadRound = 1;
    LoadError m_loadError;
    std::vector<std::string> m_movedOnLoad;
    std::vector<HeldOnLoad> m_heldOnLoad;
    // Values noted before their object had its path: the object and the
    // entry of m_heldOnLoad whose item is its key so far.
    std::vector<std::pair<const CBaseDevice*, size_t>> m_heldUnnamed;
    void NameHeldOnLoad();
    bool m_loading = false;  // the file's objects are being read
    // While an upload's answer is handled: the difference file lines of the
    // holdings its deletions took, written once the answer is handled (an
    // object's delete does not stop halfway for a file that fails).
    bool m_noteLostHoldings = false;
    std::vector<std::string> m_lostHoldings;
    // The placeholders (type, number) made for free numbers during the
    // answer in progress, and the numbers the round's free lists reported.
    std::vector<std::pair<uint32_t, int32_t>> m_madeForFree;
    std::map<uint32_t, std::unordered_set<int32_t>> m_freeOnDevice;
    uint32_t m_freeOnDeviceRound = 0;
    void NoteHoldings(const CBaseDevice& freed, uint32_t textId);
};
