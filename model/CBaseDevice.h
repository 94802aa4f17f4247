#pragma once
// Base of every system object: identity (type code, kind, number, name,
// protocol path), place on the sheet (symbol, bitmap and label rectangles,
// connection points), the two link lists, and the hooks for the project file,
// download lines and upload answers.
//
// Derived classes that override one of the Create overloads should add
// `using CBaseDevice::Create;` so the other overloads stay visible.

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "model/CCmdUI.h"
#include "model/LinkRecord.h"
#include "model/ObjectTypeCode.h"
#include "platform/CArchive.h"
#include "platform/Geometry.h"
#include "platform/IPainter.h"

class CQuillomerDoc;
class IDocView;

// Route of one connector's link line: the connector's point and three bends.
struct ConnectorRoute {
    CPoint pt[4];
};

// One column of an object's printed list rows.
struct ListColumn {
    int32_t xMm = 0;   // x position in millimetres from the left edge of a printed block
    int32_t line = 0;  // the line, from 0, within the object's rows
};

using LinkList = std::list<LinkRecord*>;        // owned by the object holding the list
using LinkRefList = std::list<LinkRecord*>;     // records collected from elsewhere (not owned)
using DeviceList = std::vector<CBaseDevice*>;   // objects collected (not owned)

// Virtual key codes handled by OnKeyDown.
namespace vk {
enum : uint32_t { Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, Delete = 0x2E };
}

// Command ids the objects share.
namespace objcmd {
enum : uint32_t {
    Delete = 33001,      // "Gerät &löschen"
    Properties = 33002,
    MoveUp = 33030,      // "Nach oben schieben"
    MoveDown = 33031,    // "Nach unten schieben"
    MoveRight = 33036,   // "Nach rechts schieben"
    MoveLeft = 33037,    // "Nach links schieben"
};
}

// Symbol style bits.
namespace symstyle {
enum : uint32_t {
    BitmapAtTop = 0x1,    // bitmap begins 1 unit below the top (else 15)
    WideRight = 0x2,      // symbol reaches 100 units right of the bitmap
    KindTextLeft = 0x10,  // kind text at left + 1 instead of centred
};
}

// Link-line mode bits.
namespace linkmode {
enum : uint32_t {
    DrawOutLinks = 0x1,  // lines of outgoing links, from own inputs
    DrawInLinks = 0x2,   // lines of incoming links, from own outputs
};
}

class CBaseDevice : public CSerializable {
    QL_DECLARE_SERIAL(CBaseDevice)
public:
    CBaseDevice();
    ~CBaseDevice() override;
    CBaseDevice(const CBaseDevice&) = delete;
    CBaseDevice& operator=(const CBaseDevice&) = delete;

    // Stores or loads the common record (every derived Serialize calls it first).
    void Serialize(CArchive& ar) override;

    // ---- Virtual operations ----
    virtual void FreeConnectionPoints();
    // Name given by value (same as the symbol form).
    virtual int Create(uint32_t kindId, int32_t inputs, int32_t outputs, std::string name,
                       int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t category,
                       uint32_t bitmapId, uint32_t style, CQuillomerDoc* doc);
    // Symbol form: `name` null takes the kind's default name. 1 / 0.
    virtual int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name,
                       int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t category,
                       uint32_t bitmapId, uint32_t style, CQuillomerDoc* doc);
    // No symbol: enters the object at `number`; result of InitObject, 0 when refused.
    virtual int Create(uint32_t kindId, const std::string& name, int32_t number, int32_t category,
                       CQuillomerDoc* doc);
    virtual int InitObject();
    // Whether InitObject can give the object a number of its own in its
    // document: its number is free there (or already its own), or the object
    // takes another when it is held (a number below 0; a kind whose path
    // names its number moves on to the next free one). An object brought in
    // from another project that cannot is not entered: a project never holds
    // two objects of one number.
    bool CanTakeItsNumber() const;
    virtual int PostLoad();
    virtual void OffsetConnectionPoints(int32_t dx, int32_t dy);
    virtual void LayoutConnectionPoints();
    virtual void CalcBoundingRect();
    virtual void OffsetBy(int32_t dx, int32_t dy);
    // Shifts the symbol back within the program's bounds when loading moved
    // it past them (an older layout moved by a fixed step); true when it
    // moved.
    bool KeepWithinBounds();
    virtual void Draw(IPainter& dc);
    virtual void DrawHot(IPainter& dc);
    virtual void DrawConnectorName(IPainter& dc);
    virtual void DrawCold(IPainter& dc);
    virtual void EraseConnectorName(IPainter& dc);
    virtual void OnContextMenu(CPoint point);
    // Handles a command; 33001 deletes the object (`this` is gone afterwards).
    virtual int OnCommand(uint32_t commandId);
    virtual void OnUpdateCommand(CCmdUI& cmdUI);
    virtual void OnKeyDown(uint32_t key, uint32_t repeat, uint32_t flags);
    virtual CRect GetBoundingRect() const;
    virtual CRect GetRect() const;
    virtual void SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    virtual CRect GetLabelRect() const;
    virtual void MoveBy(int32_t dx, int32_t dy, bool byUser);
    virtual int TrackConnector(IPainter& dc, CPoint point);
    virtual void OnOpen(uint32_t a, uint32_t b, uint32_t c);
    // Zones this object reached through its links may be gone (a zone or a
    // group it held, or a group holding them, was deleted): an object that
    // keeps a text of its zones drops from it each of `zones` it no longer
    // reaches, so that what it shows and sends names no zone it lost.
    virtual void ZonesGone(const std::vector<int32_t>& zones);
    virtual bool HitTestLabel(CPoint point) const;
    virtual void Redraw();
    virtual void InvalidateRect(int32_t left, int32_t top, int32_t right, int32_t bottom, bool erase);
    virtual void SetKindId(uint32_t kindId);
    virtual uint32_t GetKindId() const;
    virtual int32_t GetNumber() const;
    virtual std::string GetNumberText() const;
    virtual void SetNumber(int32_t number);
    virtual bool IsHot() const;
    virtual uint32_t GetType() const;
    virtual const std::string& GetName() const;
    // One answer line without its leading "/"; differences go to `diffFileName`.
    virtual void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState);
    // mode 0 settings, 1 queries; step -1 → number of steps; step i → next step.
    virtual int GetDownloadLines(int mode, int step);
    virtual void AvoidOverlap();
    virtual void AvoidOverlap(int32_t category);
    // side 0 above, 1 below, 2 left, 3 right of the symbol.
    virtual CRect SizeToBitmap(uint32_t bitmapId, int side);
    virtual void SetName(std::string name);
    // Blanks alone (the one that does not break too) show as no name at all,
    // on the sheet, in the lists and on the device: such a name is no name.
    static bool IsNoName(const std::string& name);
    // Why a typed text is refused as a name, as the message that says so
    // (empty: it is taken): no name, a control character, which would break
    // the protocol line the name goes to the device in, or what the text
    // rule refuses (TextRefusal).
    static std::string NameRefusal(const std::string& name);
    virtual int SetNameChecked(const std::string& name, bool ask);
    virtual int SetNameUnique(std::string& name, bool ask);
    // Whether the device holds the object's name: its download sends it (a
    // day programme's, a holiday's, a console's).
    bool IsNameOnDevice() const;
    // The name the device gives in an upload stands: another object that
    // bears it under a name the project made up gives way (its own name with
    // a counter). Only where the name cannot be held (no name, a control
    // character; another object that keeps it: one the device named in the
    // same upload, a fixed slot, a contact) does the object keep its own or
    // take the name with a counter, and the difference file names it under
    // `item`, the name's device path.
    void TakeDeviceName(const std::string& name, const std::string& diffFile, const std::string& item);
    // A name the project made up for a new object (a placeholder's "%d *")
    // gives way to a name the device holds: it takes a counter.
    void KeepClearOfDeviceNames();
    virtual std::string GetListText();
    virtual void DrawLabel(IPainter& dc);
    // mode 1: column titles, else the object's row. Returns the count appended.
    virtual int GetListTexts(int mode, std::vector<std::string>& texts);
    virtual int GetListColumns(std::vector<ListColumn>& columns);

    // ---- Links ----
    void AddOutLink(CBaseDevice* owner, int32_t ownKey, CBaseDevice* partner, int32_t partnerKey, int32_t partnerCategory);
    void AddInLink(CBaseDevice* owner, int32_t ownKey, CBaseDevice* partner, int32_t partnerKey, int32_t partnerCategory);
    void RemoveOutLinksToType(uint32_t type);
    void RemoveOutLinksAtKey(int32_t key);
    void RemoveInLinksAtKey(int32_t key);
    void RemoveOutLinksTo(CBaseDevice* partner);
    void RemoveInLinksFrom(CBaseDevice* partner);
    void UnlinkOut(const LinkRecord& record);
    void UnlinkIn(const LinkRecord& record);
    void RemoveAllOutLinks();
    void RemoveAllInLinks();
    void DeleteOutRecord(int32_t ownKey, CBaseDevice* partner, int32_t partnerKey, int32_t partnerCategory);
    void DeleteInRecord(int32_t ownKey, CBaseDevice* partner, int32_t partnerKey, int32_t partnerCategory);
    LinkRecord* GetOutLinkAtKey(int32_t key) const;
    LinkRecord* GetInLinkAtKey(int32_t key) const;
    LinkRecord* GetOutLinkTo(const CBaseDevice* partner) const;
    LinkRecord* GetInLinkFrom(const CBaseDevice* partner) const;
    LinkRecord* GetOutLinkToType(uint32_t type) const;
    LinkRecord* GetInLinkAtKeyOfType(int32_t key, uint32_t type) const;
    LinkRecord* FindOutLink(int32_t ownKey, const CBaseDevice* partner, int32_t partnerKey, int32_t partnerCategory) const;
    void CollectOutLinksToType(LinkRefList& list, uint32_t type) const;
    void CollectPartnersOfType(DeviceList& list, uint32_t type) const;
    void CollectInLinksOfKindAndType(LinkRefList& list, uint32_t type, uint32_t kindId) const;
    std::string GetLinkedObjectName(int32_t key) const;
    std::string GetLinkedName(int32_t key) const { return GetLinkedObjectName(key); }
    int32_t GetLinkedNumber(int32_t key) const;
    int CollectLinkChain(int32_t key, int32_t category, LinkRefList& list, bool all) const;
    void CollectOutLinksToCategory(int32_t category, LinkRefList& list, bool all) const;
    // Links this object (ownKey) to `target` (targetKey) at both ends.
    void LinkTo(int32_t ownKey, CBaseDevice* target, int32_t targetKey);
    // The records of the objects that hold this one.
    const LinkList& GetInLinks() const { return m_inLinks; }
    // How the difference file names this object ("Bedingung 5"): its kind
    // and number.
    virtual std::string GetItemText() const;
    // How the difference file names what this object holds at its link key
    // `ownKey`: the device's item where the object knows it
    // ("/TRIGGER/ENTRY4/ON_MACRO"), else the object itself (GetItemText).
    virtual std::string GetHeldItem(int32_t ownKey) const;
    // Makes this object what its family holds for an entry the device has
    // free but other entries still name (a macro without a type, a
    // condition without a function, a day programme without a name or
    // entries), keeping what links to it; a download sends it as free.
    // False, changing nothing, for a family without such a form.
    virtual bool BecomeFreeOnDevice() { return false; }
    // True when the object already is that free form.
    virtual bool IsFreeOnDeviceForm() const { return false; }
    // Takes the name the project gives a placeholder ("5 *"), or that name
    // with a counter when another object bears it.
    void TakePlaceholderName();
    // True when an answer of the upload in progress has set (or confirmed)
    // this object's values: what it holds then is what the device holds.
    bool IsAnsweredThisUpload() const;

    // Marks the owning document modified (title gets " *").
    void SetDocModified();

    // Lives for the length of one change of the object (a setter, a
    // command): when the object's stored form or its links differ at the
    // end from what they were at the start, the owning document is marked
    // modified. A change to the value the object already holds (the same
    // value typed again, an upload reading back what the project holds)
    // marks nothing, and loading, during which the document counts as
    // modified, costs nothing.
    class ChangeGuard {
    public:
        explicit ChangeGuard(CBaseDevice& obj);
        // For the parts of an object (a console's keys): the object, or null.
        explicit ChangeGuard(CBaseDevice* obj);
        ~ChangeGuard();
        ChangeGuard(const ChangeGuard&) = delete;
        ChangeGuard& operator=(const ChangeGuard&) = delete;

    private:
        void Begin(CBaseDevice& obj);

        CBaseDevice* m_obj = nullptr;
        std::vector<uint8_t> m_before;
    };
    // What the document stores of the object (its record and its links),
    // without the bounding rectangle that every redraw works out again.
    std::vector<uint8_t> StoredForm();

    // ---- Values read from a project file ----
    // A damaged or hand-made file may hold a value beyond what its key takes.
    // It is held as the key's upload reader holds the device's answer: at the
    // nearest end of the range (ClampLoaded), or refused (RefuseLoaded), when
    // it becomes `instead`, what a new project holds. A float that is no
    // finite number becomes `instead` either way. The loading document lists
    // the item, the file's value and the value held; true when the value
    // changed. `key` and `whole` as for NoteHeldOnLoad below; a float is
    // named with `decimals` decimals, as its line sends it (-1: as short as
    // it reads). Instantiated for int32_t, uint16_t, float and double.
    template <typename T>
    bool ClampLoaded(T& value, T lo, T hi, T instead, const std::string& key, bool whole = false, int decimals = -1);
    template <typename T>
    bool RefuseLoaded(T& value, T lo, T hi, T instead, const std::string& key, bool whole = false, int decimals = -1);
    // Lists a value held or refused while loading, with the texts given:
    // the key follows the object's protocol path; with `whole` it is the
    // whole item (a key outside the object's path).
    void NoteHeldOnLoad(const std::string& key, const std::string& fileValue, const std::string& held,
                        bool whole = false) const;

    // ---- Other non-virtual operations ----
    // New number, or 0 when that number is taken (the old one stays).
    int32_t ChangeNumber(int32_t newNumber);
    bool HitTest(CPoint point) const { return m_rect.PtInRect(point); }
    void SetHoverConnectors(int32_t input, int32_t output);
    IDocView* GetView() const;
    void DrawBitmap(IPainter& dc);
    void DrawLinks(IPainter& dc, QlColor color);
    // Whether a link record has a line on the sheet: only those move the
    // bounding rectangle out.
    bool DrawsOutLink(const LinkRecord* r) const;
    bool DrawsInLink(const LinkRecord* r) const;
    std::string FitTextToWidth(IPainter& dc, int font, int32_t width, const std::string& text);
    CQuillomerDoc* GetDocument() const { return m_pDocument; }
    // Expires when the object is destroyed: a walk over objects that the
    // device's answers may delete (an entry the device reports free removes
    // the project's object of that number) holds it beside the pointer.
    std::weak_ptr<void> AliveToken() const;
    int32_t GetCategory() const { return m_category; }
    const std::string& GetPath() const { return m_path; }

    // Default name word of a category ("Verstärker", "Linie", ...); empty when none.
    static std::string GetCategoryDefaultWord(int32_t category);
    // Enters a path into the document's path map.
    void EnterPath(const std::string& path);
    // Lane of the vertical run of a connector's link line (connectors beyond 3 use lane 0).
    int32_t LaneOf(int32_t connector) const { return connector >= 0 && connector < 4 ? m_lanes[connector] : m_lanes[0]; }

    // ---- Fields ----
    LinkList m_outLinks;
    LinkList m_inLinks;
    uint32_t m_answeredRound = 0;  // the upload round whose answers last reached the object
    std::vector<CPoint> m_outputPoints;
    std::vector<CPoint> m_inputPoints;
    std::vector<ConnectorRoute> m_inputRoutes;
    std::vector<ConnectorRoute> m_outputRoutes;
    std::vector<std::string> m_inputNames;
    std::vector<std::string> m_outputNames;
    uint32_t m_symbolStyle = 0;
    uint32_t m_contextMenuId = 110;
    int32_t m_fileIndex = 0;
    int32_t m_hot = 0;
    int32_t m_hoverInput = -1;
    int32_t m_hoverOutput = -1;
    int32_t m_fixed = 0;
    std::string m_path;
    CRect m_labelRect;
    CQuillomerDoc* m_pDocument = nullptr;
    uint32_t m_loadedSchema = 0;
    uint32_t m_type = 0;
    uint32_t m_kindId = 0;
    std::string m_name;
    int32_t m_category = 0;
    int32_t m_showConnectorNames = 1;
    // The font of the connector names (IPainter::Font); not stored.
    int m_connectorFont = IPainter::FontConnector;
    int32_t m_inputCount = 0;
    int32_t m_outputCount = 0;
    CRect m_rect;          // symbol rectangle
    CRect m_boundingRect;
    CRect m_bitmapRect;
    uint32_t m_bitmapId = 0;
    uint32_t m_linkMode = 0;
    int32_t m_lanes[4] = {0, 0, 0, 0};
    int32_t m_moveLock = 2;  // 1: horizontal only, 0: vertical only, other: free
    int32_t m_number = -1;
    int32_t m_classValue = 0;

private:
    void RemoveOutRecords(bool (*match)(const LinkRecord&, const void*), const void* arg);
    void RemoveInRecords(bool (*match)(const LinkRecord&, const void*), const void* arg);
    void DeleteTwinOf(const LinkRecord& rec, bool recordIsOutgoing);
    bool IsNameTaken(const std::string& name) const;
    // The first "<name>_<k>" (k = 1, 2, ...) no other object bears.
    std::string FreeNameAfter(const std::string& name) const;
    // Takes `name` and says so to the document and the sheet.
    void Rename(const std::string& name);
    void WalkChain(const LinkRecord& from, int32_t category, LinkRefList& list, bool all) const;
    void WalkCategory(int32_t category, LinkRefList& list, bool all, int depth) const;

    mutable std::shared_ptr<int> m_alive;  // made when first asked for
    // The document's upload round in which the device gave the name (0: the
    // name is the project's own); not stored.
    uint32_t m_deviceNameRound = 0;
};

// Type-check helper for CArchive::ReadObject.
bool IsBaseDevice(const CSerializable* obj);

// The number of objects of a type the device accepts for the active document's
// DeviceVariant; 0 when the device sets no limit.
uint32_t GetMaxObjectCount(uint32_t type);
uint32_t GetMaxObjectCount(uint32_t type, int32_t deviceVariant);
// The active document's directory list of a type.
void GetDocObjectsOfType(DeviceList& list, uint32_t type);
