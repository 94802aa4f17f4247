#include "ui/CPictureSet.h"

#include <QAction>
#include <QFile>
#include <QPixmap>
#include <QStyle>
#include <QToolBar>

#include <cstdio>
#include <memory>
#include <string>

#include "ui/CFeatureFrm.h"
#include "ui/SymbolImages.h"
#include "ui/CPictureIconEngine.h"
#include "ui/UiIds.h"

// Outside any namespace: the resource's initialiser is a global function.
static void InitPictureResource()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {
using Kind = CPictureSet::Kind;
using B = CPictureSet::Button;

// A designer symbol: drawn by the symbol images, not by this set.
constexpr const char* kSymbol = "";

constexpr unsigned kSaveDeviceSettings = CFeatureFrm::kSaveDeviceSettings;
constexpr unsigned kSaveProject = CFeatureFrm::kSave;

// The image lists 134 (32 pixels) and 136 (16 pixels) show the same pictures:
// the kinds of system object a row stands for, by index.
const std::vector<const char*> kObjectImages = {
    "macro",            // 0 macro
    "run",              // 1 a step of a sequence (it runs its macro)
    "object",           // 2 a plain entry ("Kein Eintrag", a key, an output)
    "condition",        // 3 condition
    "controller",       // 4 virtual controller
    "encoder",          // 5 encoder
    "converter-ad",     // 6 AD channel
    "converter-da",     // 7 DA channel
    "audio-in",         // 8 audio input
    "audio-out",        // 9 audio output
    "alarm",            // 10 alarm signal
    "chime",            // 11 chime signal
    "message",          // 12 message signal
    "monitor",          // 13 monitor
    "amp-channel",      // 14 amplifier channel
    "delay",            // 15 delay
    "memo-flag",        // 16
    "amplifier",        // 17 amplifier
    "ready-input",      // 18 ready input
    "relay",            // 19 relay
    "event",            // 20 event
    "day-program",      // 21 day programme
    "holiday",          // 22 holiday
    "week",             // 23 week programme
    "condition-analog", // 24 range check
    "condition-combined",  // 25 combination
    "condition-busy",   // 26 busy condition
    "trigger",          // 27
    "fault-text",       // 28 fault text
    "pad",              // 29 control pad
    "logic",            // 30
    "fault",            // 31 fault source
    "lmz-carrier",      // 32 carrier card
    "lan-group",        // 33 LAN group
    "zone",             // 34 zone
};

// The console tree's root closed and open and a console; then the console
// key functions (0..15) of the key dialog's function list at their code + 4;
// its target list shows groups and zones, plain and marked as already chosen.
const std::vector<const char*> kKeyImages = {
    "folder", "folder-open", "console", "console",
    "none",       // 4 disabled
    "run",        // 5 on
    "stop",       // 6 stop
    "zone",       // 7 programme
    "delete",     // 8 clear
    "input",      // 9 aux
    "key",        // 10 select
    "alarm",      // 11 alarm
    "chime",      // 12 chime
    "message",    // 13 text
    "console",    // 14 talk
    "input",      // 15 talk on the extension
    "macro", "macro", "macro", "macro",  // 16..19 macro functions
    "key",        // 20
    "group",      // 21 group
    "zone",       // 22 zone
    "group-chosen",  // 23 group already selected
    "zone-chosen",   // 24 zone already selected
};

// A list window's bar: new, delete, separator, upload, download.
std::vector<B> ListBar(unsigned newId, unsigned deleteId, unsigned uploadId, unsigned downloadId)
{
    return {{newId, "new"}, {deleteId, "delete"}, {0, nullptr}, {uploadId, "upload"}, {downloadId, "download"}};
}

// A service window's bar: upload, download.
std::vector<B> TransferBar(unsigned uploadId, unsigned downloadId)
{
    return {{uploadId, "upload"}, {downloadId, "download"}};
}

// An animation's frames: the pictures name-00, name-01, ... (names kept for
// the run: the table holds plain pointers).
std::vector<const char*> Frames(const char* name, int count)
{
    static std::vector<std::unique_ptr<std::string>> names;
    std::vector<const char*> frames;
    for (int i = 0; i < count; ++i) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "-%02d", i);
        names.push_back(std::make_unique<std::string>(std::string(name) + suffix));
        frames.push_back(names.back()->c_str());
    }
    return frames;
}

std::vector<CPictureSet::Resource> BuildResources()
{
    std::vector<CPictureSet::Resource> r;
    auto bitmap = [&r](int id, std::vector<const char*> images) { r.push_back({Kind::Bitmap, id, std::move(images), {}}); };
    auto icon = [&r](int id, const char* picture) { r.push_back({Kind::Icon, id, {picture}, {}}); };
    auto bar = [&r](int id, std::vector<B> buttons) { r.push_back({Kind::ToolBar, id, {}, std::move(buttons)}); };

    // The designer's object symbols and the main window's background (the
    // picture 213 with its mask 393, the tiles 391 and 402).
    for (int id : DesignerSymbolIds())
        bitmap(id, {kSymbol});
    for (int id : {213, 391, 393, 402})
        bitmap(id, {kSymbol});

    // Image lists.
    bitmap(131, {"zone", "group", "object"});  // zone and group lists, their drag pictures
    bitmap(134, kObjectImages);
    bitmap(136, kObjectImages);
    bitmap(274, kKeyImages);
    // Signal lists: alarm, chime and message at their kind + 1 (a state
    // picture), macros after them.
    bitmap(351, {"none", "alarm", "chime", "message", "macro"});
    // The amplifier tree: the root closed and open, then an amplifier of n
    // channels at n + 1.
    bitmap(279, {"folder", "folder-open", "amplifier-1", "amplifier-2", "amplifier-3", "amplifier-4"});
    // Relay topologies: the root closed and open, then the three schemes
    // (direct, one relay per zone, programme and call relays).
    bitmap(280, {"folder", "folder-open", "zone", "relay", "relay-collective"});
    bitmap(306, {"folder", "folder-open", "leaf"});  // the configuration browser's nodes
    bitmap(365, {"drive", "drive-removable", "drive-cd", "folder", "folder-open"});
    // The LMZ card tree and its source list (an open item is its closed
    // picture's index + 1).
    bitmap(422, {"lmz-carrier", "lmz-carrier", "folder", "folder-open", "card-output", "card-output-open",
                 "zone", "pad", "relay", "relay-collective", "relay-collective", "relay-mandatory",
                 "relay-mandatory", "relay-control", "relay-control", "card-output", "card-output-open",
                 "group", "card-input", "card-input-open", "free-input", "zone-mandatory", "zone-control",
                 "card-analog", "card-analog-open"});
    bitmap(464, {"fault-text"});  // the fault texts' rows
    // The hardware tree: by kind of device found.
    bitmap(525, {"object", "card", "amplifier", "console", "info", "object", "slot"});
    // Pictures on buttons.
    bitmap(310, {"set-clock"});        // set the main clock
    bitmap(311, {"confirm"});          // the same while editing: take it; also "Test auslösen"
    bitmap(312, {"set-slave-clock"});  // set the slave clock
    bitmap(314, {"refresh"});          // read the registers again
    bitmap(390, {"console"});          // the console printout's frame
    bitmap(470, {"next"});
    bitmap(471, {"previous"});

    icon(128, "device");          // the program
    icon(140, "connected");       // the designer's information slot while connected
    icon(245, "lamp-ok");         // radio reception on / no overload
    icon(251, "lamp-fault");      // radio reception off / overload
    icon(252, "info");            // the project data dialog
    icon(378, "signal-delete");
    icon(379, "signal-add");
    icon(447, "group");           // the zones of a macro entry
    icon(456, "load-file");
    icon(457, "save-file");
    icon(489, "record");          // a fault source that is active
    icon(533, "recorder-info");
    icon(534, "run");             // play
    icon(535, "record");
    icon(536, "stop");
    icon(541, "erase");
    icon(542, "format");

    // Animations. Radio reception: frame 0, where it rests when stopped,
    // shows no reception.
    r.push_back({Kind::Animation, 465, Frames("reception", 8), {}});
    r.push_back({Kind::Animation, 466, Frames("erase", 9), {}});            // erasing the device's program
    r.push_back({Kind::Animation, 467, Frames("transfer-text", 16), {}});   // a text page on its way
    r.push_back({Kind::Animation, 468, Frames("transfer-sheet", 16), {}});  // the settings on their way
    // The controller's knob: one frame per position 0..90.
    r.push_back({Kind::Animation, 485, Frames("knob", 91), {}});

    // The hand that takes hold of a free list's entries and the controller's knob.
    r.push_back({Kind::Cursor, 448, {"cursor-hand"}, {}});
    // A dragged entry outside the place it can be dropped.
    r.push_back({Kind::Cursor, 106, {"cursor-no-drop"}, {}});

    // Tool-bar strips, buttons in order.
    bar(128, {{57600, "new-project"}, {57601, "folder-open"}, {kSaveProject, "save"}, {0, nullptr},
              {57607, "print"}, {57606, "print-setup"}, {57609, "print-preview"}, {0, nullptr},
              {57635, "cut"}, {57634, "copy"}, {57637, "paste"}, {0, nullptr},
              {32783, "connect-modem"}, {32771, "connect"}, {32772, "disconnect"}, {0, nullptr},
              {kSaveDeviceSettings, "save-device"}, {32834, "load-parameters"}, {32774, "load-firmware"}, {0, nullptr},
              {57664, "info"}});  // the main window's standard bar
    bar(133, {{32781, "zoom-in"}, {32780, "zoom-out"}});  // the designer's zoom bar
    bar(CFeatureFrm::kEditBarId, CFeatureFrm::SwitchBarButtons(CFeatureFrm::Form::Edit));
    bar(CFeatureFrm::kServiceBarId, CFeatureFrm::SwitchBarButtons(CFeatureFrm::Form::Service));
    bar(132, {{33143, "new"}, {33144, "delete"}, {0, nullptr}, {32917, "upload"}, {32916, "download"},
              {0, nullptr}, {32918, "run"}});  // macros
    bar(385, {{32905, "range-keys"}, {32900, "clear-keys"}, {32901, "copy-keys"}, {32906, "print-console"},
              {0, nullptr}, {32902, "download"}, {32903, "upload"}, {32908, "version"}});  // console keys
    bar(421, ListBar(32987, 32988, 32926, 32927));  // triggers
    bar(426, {{32928, "new-alarm"}, {32929, "new-chime"}, {32930, "new-message"}, {32931, "delete"}});  // signal sequences
    bar(428, ListBar(33141, 33142, 32937, 32938));  // conditions
    bar(429, {{33145, "new-entry"}, {33146, "delete-entry"}, {34479, "new-relay"}, {34478, "delete-relay"},
              {0, nullptr}, {32944, "upload"}, {32945, "download"}, {32986, "live"}, {0, nullptr},
              {34624, "export"}, {34625, "print"}});  // monitor
    bar(430, TransferBar(32950, 32951));            // fault texts
    bar(431, ListBar(33169, 33148, 33149, 33150));  // ready inputs
    bar(432, ListBar(32963, 32971, 32970, 32969));  // virtual controllers
    bar(433, {{32979, "new-entry"}, {32980, "delete-entry"}, {32983, "new-watch"}, {32984, "delete-watch"},
              {0, nullptr}, {32981, "upload"}, {32982, "download"}});  // spare amplifiers
    bar(434, {{32975, "card-in"}, {32976, "card-out"}});  // LMZ card
    bar(435, {{32977, "connected"}, {32978, "amp-remote"}});  // amplifier window
    bar(509, ListBar(33123, 33124, 33125, 33153));  // range checks
    bar(510, ListBar(33126, 33127, 33128, 33154));  // events
    bar(511, ListBar(33129, 33130, 33131, 33156));  // busy conditions
    bar(512, ListBar(33132, 33133, 33134, 33155));  // combinations
    bar(513, {{33135, "new"}, {33136, "delete"}, {33117, "new-entry"}, {33118, "delete-entry"}, {0, nullptr},
              {33137, "upload"}, {33116, "download"}});  // day programmes
    bar(514, ListBar(33138, 33139, 33140, 33115));  // holidays
    bar(515, ListBar(33120, 33121, 33122, 33119));  // logic outputs
    bar(516, TransferBar(33151, 33152));            // week programme
    bar(517, {{32973, "new"}, {32972, "delete"}});  // memo flags
    bar(518, TransferBar(34501, 34500));            // fault
    bar(524, {{34521, "scan-slots"}, {34520, "scan-consoles"}, {34522, "scan-amplifiers"},
              {34523, "scan-cards"}});              // hardware
    bar(527, TransferBar(33173, 33174));            // fuses
    bar(528, TransferBar(33170, 33175));            // pilot tone
    bar(529, TransferBar(33172, 33171));            // power management
    bar(541, TransferBar(34612, 34613));            // event log
    bar(542, {{34611, "upload"}, {34614, "download"}, {0, nullptr}, {34618, "properties"}, {34626, "refresh"},
              {0, nullptr}, {34624, "export"}, {34625, "print"}});  // zone test
    return r;
}

const std::vector<const char*>* Images(int bitmapId)
{
    const CPictureSet::Resource* res = CPictureSet::Find(Kind::Bitmap, bitmapId);
    return res ? &res->pictures : nullptr;
}
}  // namespace

const std::vector<CPictureSet::Resource>& CPictureSet::Resources()
{
    static const std::vector<Resource> resources = BuildResources();
    return resources;
}

const CPictureSet::Resource* CPictureSet::Find(Kind kind, int id)
{
    for (const Resource& r : Resources())
        if (r.kind == kind && r.id == id)
            return &r;
    return nullptr;
}

QString CPictureSet::PicturePath(const QString& name)
{
    // The resource is registered before its first path is handed out.
    static const bool initialised = (InitPictureResource(), true);
    (void)initialised;
    return QStringLiteral(":/pictures/%1.svg").arg(name);
}

QIcon CPictureSet::Picture(const QString& name)
{
    if (name.isEmpty() || !QFile::exists(PicturePath(name)))
        return {};
    return QIcon(new CPictureIconEngine(PicturePath(name)));
}

QIcon CPictureSet::ListImage(int bitmapId, int index)
{
    const std::vector<const char*>* images = Images(bitmapId);
    if (!images || index < 0 || index >= static_cast<int>(images->size()))
        return {};
    return Picture(QString::fromLatin1((*images)[index]));
}

QImage CPictureSet::ListImageAt(int bitmapId, int index, int size)
{
    const std::vector<const char*>* images = Images(bitmapId);
    if (!images || index < 0 || index >= static_cast<int>(images->size()) || !*(*images)[index])
        return {};
    return CPictureIconEngine::Render(PicturePath(QString::fromLatin1((*images)[index])), QSize(size, size));
}

QList<QPixmap> CPictureSet::ImageList(int bitmapId, int size)
{
    QList<QPixmap> images;
    if (const std::vector<const char*>* names = Images(bitmapId))
        for (int i = 0; i < static_cast<int>(names->size()); ++i)
            images.append(QPixmap::fromImage(ListImageAt(bitmapId, i, size)));
    return images;
}

QIcon CPictureSet::Icon(int id)
{
    const Resource* res = Find(Kind::Icon, id);
    return res ? Picture(QString::fromLatin1(res->pictures.front())) : QIcon();
}

QIcon CPictureSet::ToolButton(int toolBarId, unsigned command)
{
    const Resource* res = Find(Kind::ToolBar, toolBarId);
    if (!res || command == 0)
        return {};
    for (const Button& b : res->buttons)
        if (b.command == command)
            return Picture(QString::fromLatin1(b.picture));
    return {};
}

QCursor CPictureSet::Cursor(int id)
{
    const Resource* res = Find(Kind::Cursor, id);
    if (!res)
        return QCursor(Qt::ArrowCursor);
    const QImage image = CPictureIconEngine::Render(PicturePath(QString::fromLatin1(res->pictures.front())), QSize(32, 32));
    if (image.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(image), 16, 16);
}

int CPictureSet::FrameCount(int animationId)
{
    const Resource* res = Find(Kind::Animation, animationId);
    return res ? static_cast<int>(res->pictures.size()) : 0;
}

QSize CPictureSet::FrameSize(int animationId)
{
    const Resource* res = Find(Kind::Animation, animationId);
    if (!res || res->pictures.empty())
        return {};
    return CPictureIconEngine::DesignedSize(PicturePath(QString::fromLatin1(res->pictures.front())));
}

QImage CPictureSet::AnimationFrame(int animationId, int frame, const QSize& size)
{
    const Resource* res = Find(Kind::Animation, animationId);
    if (!res || frame < 0 || frame >= static_cast<int>(res->pictures.size()))
        return {};
    return CPictureIconEngine::Render(PicturePath(QString::fromLatin1(res->pictures[frame])), size);
}

void CPictureSet::ApplyToolBar(QToolBar* bar, int toolBarId)
{
    if (!bar)
        return;
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The pictures are drawn on a 16-pixel grid: shown at that size unless
    // the window chose its own.
    const int styleSize = bar->style()->pixelMetric(QStyle::PM_ToolBarIconSize, nullptr, bar);
    if (bar->iconSize() == QSize(styleSize, styleSize))
        bar->setIconSize(QSize(16, 16));
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            continue;
        bool ok = false;
        const unsigned command = action->objectName().toUInt(&ok);
        if (!ok)
            continue;
        const QIcon icon = ToolButton(toolBarId, command);
        if (!icon.isNull())
            action->setIcon(icon);
    }
}
