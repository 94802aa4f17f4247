#include "service/windows/CHardwareDlgTreeView.h"


#include <array>
#include <cctype>
#include <cstdio>

#include "comm/CCommLink.h"
#include "model/DocContext.h"
#include "model/NumberSet.h"
#include "platform/StringTable.h"
#include "service/ReplaceAll.h"
#include "service/windows/ServiceLive.h"
#include "service/windows/ServiceWindowIds.h"
#include "ui/CFeatureFrm.h"
#include "ui/CPictureSet.h"

using namespace servicewinid;

namespace {
struct Scan {
    const char* query;
    int waitMs;
    bool hex;
    unsigned limit;
    uint32_t noneText;
    uint32_t nameText;
    const char* format;
    std::vector<uint32_t> placeholders;
    unsigned command;  // the scan's button
};

const Scan& ScanOf(int kind)
{
    static const Scan kScans[3] = {
        {"/AMP/AVLBL", 500, true, 64, StrNoAmplifiers, StrAmplifier, "%s %02x", {StrName, StrType, StrRelease},
         ScanAmplifiers},
        {"/CONS/CONNECTED", 500, false, 16, StrNoConsoles, StrConsole, "%s %d", {StrName, StrType, StrRelease},
         ScanConsoles},
        {"/LMZ/AVLBL", 1500, false, 8, StrNoCards, StrCard, "%s-%d",
         {StrName, StrRelease, StrLMZ763, StrLMZ764, StrLMZ771, StrLMZ775, StrLMZ782}, ScanCards},
    };
    return kScans[kind];
}

// Whether every item of a range text is wholly a number or a range of two
// ("3", "3-5", hexadecimal for amplifiers, "0x" as the reading allows it).
// The reading stops each item at its first other character and keeps the
// number before it: "1e2" reads as 1, so such an answer must be named.
bool IsPlainRangeText(const std::string& text, bool hex)
{
    size_t at = 0;
    const auto blanks = [&] {
        while (at < text.size() && text[at] == ' ')
            ++at;
    };
    const auto number = [&] {
        blanks();
        if (hex && at + 2 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
            std::isxdigit(static_cast<unsigned char>(text[at + 2])))
            at += 2;
        const size_t start = at;
        while (at < text.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text[at]))
                                        : std::isdigit(static_cast<unsigned char>(text[at]))))
            ++at;
        return at > start;
    };
    for (;;) {
        if (!number())
            return false;
        blanks();
        if (at < text.size() && text[at] == '-') {
            ++at;
            if (!number())
                return false;
            blanks();
        }
        if (at == text.size())
            return true;
        if (text[at] != ',')
            return false;
        ++at;
    }
}

// What the device said to `query` ("PATH ?") among the answers of one
// exchange, found by its path (the device writes it in capitals): nothing
// when no answer came, or the device's "PATH ? " when it did not understand
// the query. One answer missing or refused leaves the others theirs.
struct Answer {
    bool came = false;
    bool refused = false;
    std::string value;  // the text after the path's blank
};
Answer AnswerTo(const std::string& query, const std::vector<std::string>& answers)
{
    const QString path = QString::fromStdString(query.substr(0, query.rfind(" ?")));
    for (const std::string& line : answers) {
        const size_t blank = line.find(' ');
        if (blank == std::string::npos ||
            QString::fromStdString(line.substr(0, blank)).compare(path, Qt::CaseInsensitive) != 0)
            continue;
        const std::string value = line.substr(blank + 1);
        const size_t last = value.find_last_not_of(' ');
        return {true, last != std::string::npos && value.substr(0, last + 1) == "?", value};
    }
    return {};
}

QString Text(uint32_t id)
{
    return QString::fromStdString(LoadStringId(id));
}

// The tree's pictures (bitmap 525) by kind of device found.
constexpr int kImageBitmap = 525;
constexpr int kImageNote = 4;

QIcon KindIcon(int kind)
{
    switch (kind) {
    case CHardwareDlgTreeView::Amplifiers: return CPictureSet::ListImage(kImageBitmap, 2);
    case CHardwareDlgTreeView::Consoles: return CPictureSet::ListImage(kImageBitmap, 3);
    case CHardwareDlgTreeView::Cards: return CPictureSet::ListImage(kImageBitmap, 1);
    default: return CPictureSet::ListImage(kImageBitmap, 6);
    }
}
}  // namespace

CHardwareDlgTreeView::CHardwareDlgTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("HardwareTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setMinimumSize(300, 200);
    // Its own colours: every text on white, a selected one in blue (no
    // selection bar), whether or not the tree has the focus.
    QPalette colours = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Base, Qt::white);
        colours.setColor(group, QPalette::Highlight, Qt::white);
        colours.setColor(group, QPalette::HighlightedText, QColor(0, 0, 255));
    }
    setPalette(colours);
    connect(this, &QTreeWidget::itemExpanded, this, &CHardwareDlgTreeView::OnItemExpanded);
}

QString CHardwareDlgTreeView::NotUnderstood(const QString& what)
{
    return tr("%1: nicht verstanden").arg(what);
}

QString CHardwareDlgTreeView::NoAnswer(const QString& what)
{
    return tr("%1: keine Antwort").arg(what);
}

void CHardwareDlgTreeView::AddNote(const QString& text, bool alone)
{
    if (alone)
        setRootIsDecorated(false);
    auto* note = new QTreeWidgetItem(this, {text});
    note->setIcon(0, CPictureSet::ListImage(kImageBitmap, kImageNote));
}

void CHardwareDlgTreeView::ClearTree()
{
    clear();
    AddNote(Text(StrOnlineOnly));
}

bool CHardwareDlgTreeView::ShowOffline()
{
    // The scan buttons stay as the window opened; once the line is gone a
    // scan says why it finds nothing instead of leaving the tree empty.
    if (IsDocConnected() != 0)
        return false;
    ClearTree();
    return true;
}

void CHardwareDlgTreeView::ScanDevices(Kind kind)
{
    // While a transfer owns the line its answers are not the scan's: the
    // tree stays as it was until the user scans again.
    if (TransferHoldsLink())
        return;
    const Scan& scan = ScanOf(kind);
    m_kind = kind;
    setCurrentItem(nullptr);
    clear();
    std::string answer = servicelive::Query(std::string(scan.query) + " ?", scan.waitMs);
    if (ShowOffline())
        return;
    // A device that does not know the query says so: the tree says it too,
    // rather than showing nothing as if the answer were lost.
    if (answer.find(std::string(scan.query) + " ? ") != std::string::npos) {
        AddNote(NotUnderstood(CFeatureFrm::CommandText(scan.command)));
        return;
    }
    ReplaceAll(answer, scan.query, "");
    ReplaceAll(answer, " ?", "");
    ReplaceAll(answer, "\r\n", "");
    const size_t first = answer.find_first_not_of(' ');
    answer = first == std::string::npos ? std::string() : answer.substr(first, answer.find_last_not_of(' ') - first + 1);
    if (answer == "NONE") {
        AddNote(Text(scan.noneText));
        return;
    }
    // A device that did not answer in time has reported nothing: an empty
    // tree would read as if it had no such devices.
    if (answer.empty()) {
        AddNote(NoAnswer(CFeatureFrm::CommandText(scan.command)));
        return;
    }
    setRootIsDecorated(true);
    std::array<uint8_t, 16> set {};
    SetRangeText(answer.substr(0, 499));
    // Addresses count from 0; a malformed part ends the parse and keeps what was read.
    bool whole = ParseRangesFmt(set, 100, 0, scan.hex ? 'x' : 'u') && IsPlainRangeText(answer.substr(0, 499), scan.hex);
    for (unsigned address = scan.limit; address < 100 && whole; ++address)
        whole = !TestBit(set, address);
    const std::string name = LoadStringId(scan.nameText);
    for (unsigned address = 0; address < scan.limit; ++address) {
        if (!TestBit(set, address))
            continue;
        char text[128];
        std::snprintf(text, sizeof text, scan.format, name.c_str(), address);
        auto* item = new QTreeWidgetItem(this, {QString::fromStdString(text)});
        item->setData(0, Qt::UserRole, address);
        item->setIcon(0, KindIcon(kind));
        for (uint32_t placeholder : scan.placeholders)
            new QTreeWidgetItem(item, {Text(placeholder)});
    }
    // A word, or an address beyond those the device can have, is no device
    // to list: the tree names the answer below what it could read, instead
    // of looking as if nothing or less had been reported.
    if (!whole && !answer.empty())
        AddNote(NotUnderstood(CFeatureFrm::CommandText(scan.command) + QLatin1Char(' ') + QString::fromStdString(answer)),
                topLevelItemCount() == 0);
}

void CHardwareDlgTreeView::ScanSlots()
{
    if (TransferHoldsLink())
        return;
    m_kind = Slots;
    setCurrentItem(nullptr);
    clear();
    setRootIsDecorated(true);
    std::vector<std::string> queries;
    for (int slot = 1; slot <= 5; ++slot)
        queries.push_back("/SLOT" + std::to_string(slot) + "/MODULE ?");
    const std::vector<std::string> answers = servicelive::SendAndCollect(queries);
    if (ShowOffline())
        return;
    // Each slot by its own answer, the others keeping their numbers: a slot
    // the device gave no answer for says so rather than looking empty.
    for (size_t i = 0; i < queries.size(); ++i) {
        const Answer a = AnswerTo(queries[i], answers);
        const QString slot = QStringLiteral("Slot%1").arg(i + 1);
        auto* item = new QTreeWidgetItem(
            this, {!a.came     ? NoAnswer(slot)
                   : a.refused ? NotUnderstood(slot)
                               : slot + QStringLiteral(": ") + QString::fromStdString(a.value)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        item->setIcon(0, KindIcon(Slots));
    }
}

void CHardwareDlgTreeView::OnItemExpanded(QTreeWidgetItem* item)
{
    // Only the selected device is expanded (and asked for its details).
    if (item != currentItem()) {
        QSignalBlocker block(this);
        item->setExpanded(false);
        return;
    }
    RequestDetails(item);
}

void CHardwareDlgTreeView::RequestDetails(QTreeWidgetItem* item)
{
    if (!item || m_kind == Slots || item->parent() || TransferHoldsLink())
        return;
    const int address = item->data(0, Qt::UserRole).toInt();
    std::vector<std::string> queries;
    char base[48];
    if (m_kind == Amplifiers) {
        std::snprintf(base, sizeof base, "/AMP/ADR%x", address);
        for (const char* leaf : {"/NAME ?", "/TYPE ?", "/VER ?"})
            queries.push_back(std::string(base) + leaf);
    } else if (m_kind == Consoles) {
        std::snprintf(base, sizeof base, "/CONS/ADR%d", address);
        for (const char* leaf : {"/NAME ?", "/TYPE ?", "/RELEASE ?"})
            queries.push_back(std::string(base) + leaf);
    } else {
        std::snprintf(base, sizeof base, "/LMZ/ADR%d", address);
        for (const char* leaf : {"/NAME ?", "/VER ?", "/763 ?", "/764 ?", "/771 ?", "/775 ?", "/782/VOL ?"})
            queries.push_back(std::string(base) + leaf);
    }
    const std::vector<std::string> answers = servicelive::SendAndCollect(queries);
    // Each detail by its own answer: one that did not come keeps what the
    // line showed, one the device did not understand says so.
    const std::vector<uint32_t>& labels = ScanOf(m_kind).placeholders;
    for (size_t i = 0; i < queries.size() && i < labels.size() && static_cast<int>(i) < item->childCount(); ++i) {
        const Answer a = AnswerTo(queries[i], answers);
        if (a.came)
            item->child(static_cast<int>(i))
                ->setText(0, a.refused ? NotUnderstood(Text(labels[i])) : QString::fromStdString(a.value));
    }
}
