#include "model/CQuillomerDoc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <unordered_map>
#include <unordered_set>

#include "model/CBaseDevice.h"
#include "model/CControlPad.h"
#include "model/DiffFile.h"
#include "model/DocContext.h"
#include "model/IConnectionField.h"
#include "model/ITextSettings.h"
#include "model/ModelStrings.h"
#include "platform/CArchive.h"
#include "platform/FileWriter.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"


namespace {
CQuillomerDoc::RelaisManagerFactory& RelaisFactory()
{
    static CQuillomerDoc::RelaisManagerFactory factory = nullptr;
    return factory;
}

bool EndsWithQlx(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".qlx";
}

// A side file of the project: a trailing ".qlx" (any case) is replaced by
// `ext`, any other name gets `ext` appended; never the project file itself.
std::string SideFileName(const std::string& path, const char* ext)
{
    if (path.empty())
        return {};
    std::string name = EndsWithQlx(path) ? path.substr(0, path.size() - 4) + ext : path + ext;
    if (name == path)
        name += ext;
    return name;
}

// The alarm names of the default system, in number order.
constexpr uint32_t kAlarmNameIds[17] = {32810, 32811, 32812, 32813, 32814, 34628, 34629, 34630, 34631,
                                        34632, 34633, 34634, 34635, 34636, 34637, 34638, 34639};
constexpr uint32_t kGongNameIds[6] = {32815, 32816, 32817, 32818, 32819, 32820};

// Types whose objects the project-data command removes above the standard
// limits when the upgrade is switched off, in this order.
constexpr uint32_t kLimitedTypes[] = {9, 3, 13, 33, 53, 55, 54, 17, 21, 48};

enum class AnswerRule { Slot, Ignore, Audio, Event };

const std::unordered_map<std::string, AnswerRule>& PrefixTable()
{
    static const std::unordered_map<std::string, AnswerRule> table = {
        {"SLOT", AnswerRule::Slot},
        {"COMM", AnswerRule::Ignore},
        {"AUDIO", AnswerRule::Audio},
        {"EVENT", AnswerRule::Event},
    };
    return table;
}

// The leading decimal number of a text; -1 when it has no digits.
long LeadingNumber(const std::string& text, size_t from)
{
    if (from >= text.size() || !std::isdigit(static_cast<unsigned char>(text[from])))
        return -1;
    long n = 0;
    for (size_t i = from; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > 1000000)
            return n;
    }
    return n;
}

// The reason of a refused file, for the user: what is wrong in words, the
// archive's own account and where it stopped reading.
std::string DescribeLoadFailure(const CArchiveException& e, size_t position)
{
    uint32_t id = IDS_FILE_DAMAGED;
    if (e.cause() == CArchiveException::endOfFile)
        id = IDS_FILE_CUT_SHORT;
    return StrFormat(LoadStringId(IDS_FILE_AT_BYTE).c_str(), LoadStringId(id).c_str(), e.what(),
                     static_cast<unsigned long long>(position));
}

// Reads a whole project file: only a regular file, and only when it is not
// larger than a project can be. Special files are refused before they are
// opened (opening a device may already act on it, a FIFO would block).
bool ReadProjectFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason)
{
    const auto tooLarge = [&reason](unsigned long long size) {
        reason = StrFormat(LoadStringId(IDS_FILE_TOO_LARGE).c_str(), size,
                           static_cast<unsigned long long>(CQuillomerDoc::kMaxFileSize));
        return false;
    };
    const auto kindOf = [&reason](const struct stat& st) {
        if (S_ISREG(st.st_mode))
            return true;
        reason = LoadStringId(S_ISDIR(st.st_mode) ? IDS_FILE_IS_DIRECTORY : IDS_FILE_NOT_REGULAR);
        return false;
    };
    const auto systemError = [&reason](uint32_t id, int error) {
        reason = StrFormat(LoadStringId(id).c_str(), ReadFailureReason(error).c_str());
        return false;
    };

    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return systemError(IDS_FILE_NOT_OPENED, errno);
    if (!kindOf(st))
        return false;
    if (static_cast<uint64_t>(st.st_size) > CQuillomerDoc::kMaxFileSize)
        return tooLarge(static_cast<unsigned long long>(st.st_size));

    // Not blocking, in case the name was given to a FIFO in the meantime.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return systemError(IDS_FILE_NOT_OPENED, errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0)
        return systemError(IDS_FILE_NOT_READ, errno);
    if (!kindOf(st))
        return false;
    if (static_cast<uint64_t>(st.st_size) > CQuillomerDoc::kMaxFileSize)
        return tooLarge(static_cast<unsigned long long>(st.st_size));

    // The size said is not trusted: the file may grow while it is read, and
    // some files report none. One byte more than allowed is enough to know.
    bytes.clear();
    bytes.reserve(static_cast<size_t>(st.st_size));
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemError(IDS_FILE_NOT_READ, errno);
        if (n == 0)
            break;
        if (bytes.size() + static_cast<size_t>(n) > CQuillomerDoc::kMaxFileSize)
            return tooLarge(static_cast<unsigned long long>(bytes.size() + static_cast<size_t>(n)));
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return true;
}
}  // namespace

// ==================================================================== life

CQuillomerDoc::CQuillomerDoc()
{
    PrefixTable();
    if (RelaisFactory())
        m_relaisManager = RelaisFactory()(this);
}

CQuillomerDoc::~CQuillomerDoc()
{
    // The objects unregister from the directory and the path map as they go.
    for (int32_t c = CAT_LAST; c >= CAT_FIRST; --c)
        DeleteCategory(c);
}

CQuillomerDoc::RelaisManagerFactory CQuillomerDoc::SetRelaisManagerFactory(RelaisManagerFactory factory)
{
    RelaisManagerFactory old = RelaisFactory();
    RelaisFactory() = factory;
    return old;
}

void CQuillomerDoc::DeleteCategory(int32_t category)
{
    ObjectList list;
    list.swap(m_lists[category]);
    for (CBaseDevice* obj : list)
        delete obj;
}

void CQuillomerDoc::DeleteCategoryUnlinked(int32_t category)
{
    // The partners keep no record that points to a deleted object.
    for (CBaseDevice* obj : m_lists[category]) {
        obj->RemoveAllInLinks();
        obj->RemoveAllOutLinks();
    }
    DeleteCategory(category);
}

void CQuillomerDoc::DeleteContents()
{
    GetAppHost().BeforeDeleteContents(this);
    for (int32_t c = CAT_LAST; c >= CAT_FIRST; --c)
        DeleteCategory(c);
    m_idManager.Clear();
    m_pathMap.clear();
}

ObjectList& CQuillomerDoc::GetList(int32_t category)
{
    return m_lists[IsValidCategory(category) ? category : 0];
}

const ObjectList& CQuillomerDoc::GetList(int32_t category) const
{
    return m_lists[IsValidCategory(category) ? category : 0];
}

void CQuillomerDoc::AddObject(CBaseDevice* obj, int32_t category)
{
    if (obj && IsValidCategory(category)) {
        m_lists[category].push_back(obj);
        ++m_listChanges;
    }
}

bool CQuillomerDoc::RemoveObject(CBaseDevice* obj)
{
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c) {
        auto it = std::find(m_lists[c].begin(), m_lists[c].end(), obj);
        if (it != m_lists[c].end()) {
            m_lists[c].erase(it);
            ++m_listChanges;
            return true;
        }
    }
    return false;
}

std::string CQuillomerDoc::GetCategoryName(int32_t category)
{
    return IsValidCategory(category) ? LoadStringId(IDS_CAT_FIRST + category) : std::string();
}

CBaseDevice* CQuillomerDoc::FindObject(int32_t category, int32_t number) const
{
    if (!IsValidCategory(category))
        return nullptr;
    for (CBaseDevice* obj : m_lists[category])
        if (obj && obj->GetNumber() == number)
            return obj;
    return nullptr;
}

CBaseDevice* CQuillomerDoc::FindSlotByPath(const std::string& path) const
{
    for (int32_t c : {CAT_INPUT_SLOT, CAT_OUTPUT_SLOT, CAT_DIGITAL_SLOT})
        for (CBaseDevice* obj : m_lists[c])
            if (obj && obj->GetPath() == path)
                return obj;
    return nullptr;
}

// ==================================================================== path map

void CQuillomerDoc::AddPath(const std::string& path, CBaseDevice* obj)
{
    auto [first, last] = m_pathMap.equal_range(path);
    for (auto it = first; it != last; ++it)
        if (it->second == obj)
            return;
    m_pathMap.emplace(path, obj);
}

void CQuillomerDoc::RemovePath(const std::string& path)
{
    m_pathMap.erase(path);
}

void CQuillomerDoc::RemovePath(const std::string& path, CBaseDevice* obj)
{
    auto [first, last] = m_pathMap.equal_range(path);
    for (auto it = first; it != last; ++it) {
        if (it->second == obj) {
            m_pathMap.erase(it);
            return;
        }
    }
}

bool CQuillomerDoc::HasPath(const std::string& path) const
{
    return m_pathMap.count(path) != 0;
}

CBaseDevice* CQuillomerDoc::LookupPath(const std::string& path) const
{
    auto [first, last] = m_pathMap.equal_range(path);
    if (first == last)
        return nullptr;
    return std::prev(last)->second;
}

// ==================================================================== connection

int CQuillomerDoc::GetConnectedFlag() const
{
    if (m_lists[CAT_INFO].empty())
        return 0;
    const auto* info = dynamic_cast<const IConnectionField*>(m_lists[CAT_INFO].front());
    return info ? info->IsConnected() : 0;
}

int CQuillomerDoc::IsConnected() const
{
    const CQuillomerDoc* active = GetActiveDoc();
    return active ? active->GetConnectedFlag() : 0;
}

void CQuillomerDoc::SetConnected(int value)
{
    if (m_lists[CAT_INFO].empty())
        return;
    if (auto* info = dynamic_cast<IConnectionField*>(m_lists[CAT_INFO].front()))
        info->SetShowIcon(value);
}

// ==================================================================== title and files

void CQuillomerDoc::SetTitle(const std::string& title)
{
    m_title = title;
}

void CQuillomerDoc::SetModifiedFlag(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    if (modified) {
        m_title = GetProjectName() + " *";
    } else if (m_title.size() >= 2 && m_title.compare(m_title.size() - 2, 2, " *") == 0) {
        m_title.resize(m_title.size() - 2);
    }
}

void CQuillomerDoc::SetPathName(const std::string& path)
{
    m_pathName = path;
    std::string name = std::filesystem::path(path).filename().string();
    if (EndsWithQlx(name))
        name.resize(name.size() - 4);
    m_title = name;
}

std::string CQuillomerDoc::GetProjectName() const
{
    return m_title.substr(0, m_title.find(' '));
}

std::string CQuillomerDoc::GetLogFileName() const { return SideFileName(m_pathName, ".log"); }
// The event file keeps the whole project name ("plan.qlx.events"); earlier
// versions replaced ".qlx" ("plan.events"), a name the delete command still
// clears.
std::string CQuillomerDoc::GetEventFileName() const { return m_pathName.empty() ? std::string() : m_pathName + ".events"; }
std::string CQuillomerDoc::GetErrFileName() const { return SideFileName(m_pathName, ".err"); }

void CQuillomerDoc::AddView(IDocView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CQuillomerDoc::RemoveView(IDocView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CQuillomerDoc::UpdateAllViews()
{
    for (IDocView* v : m_views)
        v->OnDocumentUpdate();
}

// ==================================================================== commands

bool CQuillomerDoc::OnCommand(uint32_t commandId)
{
    IAppHost& host = GetAppHost();
    switch (commandId) {
    case doccmd::ProjectData:
        OnProjectData();
        return true;
    case doccmd::Fuses:
    case doccmd::Monitor:
    case doccmd::Service: {
        const uint32_t kind = commandId == doccmd::Fuses ? 33084 : commandId == doccmd::Monitor ? 33086 : 33087;
        for (CBaseDevice* obj : m_lists[CAT_INTERNAL_SLOT]) {
            if (obj && obj->GetKindId() == kind) {
                obj->OnOpen(0, 0, 0);
                break;
            }
        }
        return true;
    }
    case doccmd::Save:
    case doccmd::SaveAs: {
        const std::string dir = host.GetProfileString("Settings", "WorkDirectory", "");
        if (!dir.empty()) {
            std::error_code ec;
            std::filesystem::current_path(dir, ec);
        }
        host.SaveDocument(this, commandId == doccmd::SaveAs);
        m_data.fileTitle = GetProjectName();
        return true;
    }
    case doccmd::Close:
        // The closing itself drops the modified mark from the title, once
        // the question to save is answered: a cancelled close leaves the
        // project open with its mark.
        host.CloseDocument(this);
        return true;
    case doccmd::DeleteEventFile:
    case doccmd::DeleteLogFile: {
        if (m_pathName.empty())
            return true;
        const std::string file = commandId == doccmd::DeleteEventFile ? GetEventFileName() : GetLogFileName();
        std::error_code ec;
        // Only the project's own side file: a file of another name may be the
        // user's. A missing or locked file is not reported.
        std::filesystem::remove(file, ec);
        return true;
    }
    default:
        return false;
    }
}

bool CQuillomerDoc::OnUpdateCommand(CCmdUI& cmdUI)
{
    switch (cmdUI.m_nID) {
    case doccmd::ProjectData:
        // Always open: the device variant is chosen here.
        cmdUI.Enable(true);
        return true;
    case doccmd::Fuses:
    case doccmd::Monitor:
    case doccmd::Service: {
        const int flags = GetAppHost().GetProfileInt("Configuration", "KVT Registry", 0);
        const int bit = cmdUI.m_nID == doccmd::Fuses ? 8 : cmdUI.m_nID == doccmd::Monitor ? 4 : 16;
        if (!(flags & bit))
            cmdUI.Remove();
        else
            cmdUI.Enable(GetConnectedFlag() != 0);
        return true;
    }
    case doccmd::DeleteEventFile:
    case doccmd::DeleteLogFile:
        cmdUI.Enable(IsConnected() == 0);
        return true;
    default:
        return false;
    }
}

void CQuillomerDoc::OnProjectData()
{
    ProjectData d = m_data;
    if (GetAppHost().EditProjectData(this, d)) {
        // The project is never left without a name, nor without a title: an
        // empty file name keeps the one the project has.
        if (d.projectName.empty())
            d.projectName = "TestProjekt";
        const auto blank = [](char c) { return c == ' ' || c == '\t'; };
        while (!d.fileTitle.empty() && blank(d.fileTitle.back()))
            d.fileTitle.pop_back();
        d.fileTitle.erase(0, std::find_if_not(d.fileTitle.begin(), d.fileTitle.end(), blank) - d.fileTitle.begin());
        // A project that holds none (one written without it) keeps none: the
        // field it showed empty and left so is no change.
        if (d.fileTitle.empty())
            d.fileTitle = m_data.fileTitle;
        // A date text left as it was keeps the project's date (and its time).
        if (d.dateText == m_data.dateText)
            d.projectDate = m_data.projectDate;
        const bool changed = d.projectName != m_data.projectName || d.projectNumber != m_data.projectNumber ||
                             d.company != m_data.company || d.address != m_data.address ||
                             d.editor != m_data.editor || d.description != m_data.description ||
                             d.dateText != m_data.dateText || d.fileTitle != m_data.fileTitle ||
                             d.password != m_data.password || d.projectDate != m_data.projectDate ||
                             d.deviceVariant != m_data.deviceVariant ||
                             d.systemCallNumber != m_data.systemCallNumber;
        m_data.projectName = d.projectName;
        m_data.projectNumber = d.projectNumber;
        m_data.company = d.company;
        m_data.address = d.address;
        m_data.editor = d.editor;
        m_data.description = d.description;
        m_data.dateText = d.dateText;
        m_data.fileTitle = d.fileTitle;
        m_data.password = d.password;
        m_data.projectDate = d.projectDate;
        const bool switchedOff = m_data.deviceVariant != 0 && d.deviceVariant == 0;
        m_data.deviceVariant = d.deviceVariant;
        if (switchedOff) {
            for (uint32_t type : kLimitedTypes)
                m_idManager.DeleteFrom(type, static_cast<int32_t>(GetMaxObjectCount(type, 0)) + 1, 0);
        }
        m_data.systemCallNumber = d.systemCallNumber;
        // Every confirmed change is one to save; the title keeps the mark
        // while the project holds changes not saved.
        if (changed)
            SetModifiedFlag(true);
        m_title = (m_data.fileTitle.empty() ? GetProjectName() : m_data.fileTitle) + (m_modified ? " *" : "");
    }
    if (m_data.projectName.empty())
        m_data.projectName = "TestProjekt";
    if (!m_lists[CAT_INFO].empty()) {
        std::string name = m_data.projectName;
        m_lists[CAT_INFO].front()->SetNameUnique(name, true);
    }
}

void CQuillomerDoc::InitProjectData()
{
    m_data.projectName.clear();
    m_data.projectNumber.clear();
    m_data.company.clear();
    m_data.address.clear();
    m_data.editor.clear();
    m_data.description.clear();
    m_data.password.clear();
    const std::time_t now = std::time(nullptr);
    m_data.projectDate = static_cast<uint32_t>(now);
    m_data.dateText = GetAppHost().FormatShortDate(now).substr(0, 100);
    m_data.fileTitle = GetProjectName();
    m_data.deviceVariant = 1;
}

// ==================================================================== serialization

void CQuillomerDoc::WriteLinkBlock(CArchive& ar, CBaseDevice* obj, bool outgoing)
{
    // A record whose partner is not one of this document's objects has no
    // file index: the outgoing block keeps its key without a partner, the
    // incoming block leaves it out (a stale index would link the wrong object).
    const LinkList& list = outgoing ? obj->m_outLinks : obj->m_inLinks;
    std::vector<const LinkRecord*> records;
    for (const LinkRecord* r : list)
        if (outgoing || (r->HasPartner() && m_storing.count(r->partner)))
            records.push_back(r);
    ar << static_cast<int32_t>(records.size());
    for (const LinkRecord* r : records) {
        const auto stored = r->HasPartner() ? m_storing.find(r->partner) : m_storing.end();
        const bool known = stored != m_storing.end();
        const int32_t index = known ? r->partner->m_fileIndex : -1;
        // The index counts in the list the partner is stored in; a record
        // that still names the list the partner came from (it was moved while
        // loading) would otherwise point at another object next time.
        ar << index << r->partnerKey << r->ownKey << (known ? stored->second : r->partnerCategory);
    }
}

void CQuillomerDoc::ReadLinkBlock(CArchive& ar, CBaseDevice* obj, bool outgoing, PartnerIndex& partners)
{
    int32_t n = 0;
    ar >> n;
    if (n < 1)
        return;
    // Each record takes 16 bytes: a count beyond the data is a damaged file.
    if (static_cast<uint64_t>(n) * 16 > ar.Remaining())
        throw CArchiveException(CArchiveException::endOfFile, "link block beyond the end of the file");
    for (int32_t i = 0; i < n; ++i) {
        int32_t index = 0, partnerKey = 0, ownKey = 0, category = 0;
        ar >> index >> partnerKey >> ownKey >> category;
        if (outgoing && index == -1) {
            obj->AddOutLink(obj, ownKey, LinkRecord::NoPartner(), partnerKey, category);
            continue;
        }
        if (!IsValidCategory(category)) {
            ShowMessage(StrFormat(LoadStringId(IDS_IN_LINKS_PARTIAL).c_str(), obj->GetName().c_str()));
            continue;
        }
        const ObjectList& list = m_lists[category];
        std::vector<CBaseDevice*>& byPosition = partners[category];
        if (byPosition.size() != list.size())
            byPosition.assign(list.begin(), list.end());
        CBaseDevice* partner = nullptr;
        if (index >= 0 && static_cast<size_t>(index) < byPosition.size())
            partner = byPosition[static_cast<size_t>(index)];
        if (!partner) {
            ShowMessage(StrFormat(LoadStringId(outgoing ? IDS_IN_LINKS_PARTIAL : IDS_OUT_LINKS_PARTIAL).c_str(),
                                  obj->GetName().c_str()));
            continue;
        }
        if (outgoing)
            obj->AddOutLink(obj, ownKey, partner, partnerKey, category);
        else
            obj->AddInLink(obj, ownKey, partner, partnerKey, category);
    }
}

void CQuillomerDoc::Serialize(CArchive& ar)
{
    ar.m_pDocument = this;
    ProjectData& d = m_data;
    if (ar.IsStoring()) {
        ar << uint32_t{kFileVersion} << d.projectName << d.company << d.address << d.editor << d.description
           << d.password << d.dateText << d.fileTitle << d.projectDate << static_cast<uint32_t>(d.deviceVariant)
           << d.extraWord << d.systemCallNumber;
        m_storing.clear();
        for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c) {
            int32_t index = 0;
            for (CBaseDevice* obj : m_lists[c]) {
                obj->m_fileIndex = index++;
                m_storing.emplace(obj, c);
            }
        }
        for (int32_t c = CAT_LAST; c >= CAT_FIRST; --c) {
            ar.WriteCount(static_cast<uint32_t>(m_lists[c].size()));
            for (CBaseDevice* obj : m_lists[c])
                ar.WriteObject(obj);
        }
        for (int32_t c = CAT_LAST; c >= CAT_FIRST; --c) {
            for (CBaseDevice* obj : m_lists[c]) {
                WriteLinkBlock(ar, obj, false);
                WriteLinkBlock(ar, obj, true);
            }
        }
        ar << d.projectNumber;
        m_storing.clear();
        return;
    }

    uint32_t version = 0;
    ar >> version;
    if (version == 0 || version > kFileVersion)
        throw CArchiveException(CArchiveException::badSchema, "unknown file version " + std::to_string(version));
    m_fileVersion = version;
    ar >> d.projectName >> d.company >> d.address >> d.editor >> d.description >> d.password >> d.dateText
        >> d.fileTitle;
    IAppHost& host = GetAppHost();
    if (version >= 992) {
        ar >> d.projectDate;
        // The stored date is what counts: its text is written again in this
        // start's short form (an old file's "Error" goes with it).
        d.dateText = host.FormatShortDate(static_cast<std::time_t>(d.projectDate));
    } else if (const auto t = host.ParseShortDate(d.dateText);
               t && *t >= 0 && *t <= static_cast<std::time_t>(UINT32_MAX)) {
        d.projectDate = static_cast<uint32_t>(*t);
    } else {
        // No date, or one the 32-bit count would keep as another date.
        d.dateText = "Error";
    }
    if (version >= 1100) {
        uint32_t variant = 0;
        ar >> variant;
        d.deviceVariant = static_cast<int32_t>(variant);
    } else {
        d.deviceVariant = 0;
    }
    if (version >= 1101) {
        ar >> d.extraWord >> d.systemCallNumber;
    } else {
        d.extraWord = 0;
        d.systemCallNumber.clear();
    }

    // The object lists. Every object goes into its list at once, so that a
    // failure further on finds it there and deletes it.
    std::unordered_set<CBaseDevice*> seen;
    for (int32_t c = CAT_LAST; c >= CAT_FIRST; --c) {
        const uint32_t count = ar.ReadCount();
        for (uint32_t i = 0; i < count; ++i) {
            auto* obj = static_cast<CBaseDevice*>(ar.ReadObject(&IsBaseDevice));
            if (obj && !seen.insert(obj).second)
                throw CArchiveException(CArchiveException::generic, "object stored twice");
            m_lists[c].push_back(obj);
        }
    }

    // Objects enter the directory and the path map, then get their links.
    PartnerIndex partners;  // filled per category at its first link
    for (int32_t c = CAT_LAST; c >= CAT_FIRST; --c) {
        std::vector<CBaseDevice*> objects(m_lists[c].begin(), m_lists[c].end());
        for (CBaseDevice* obj : objects) {
            if (!obj)
                continue;
            if (obj->GetType() == OT_CONDITION) {
                obj->m_inputCount = 1;
                obj->m_outputCount = 1;
            }
            obj->InitObject();
            ReadLinkBlock(ar, obj, false, partners);
            ReadLinkBlock(ar, obj, true, partners);
        }
    }
    // Before the upgrades below may delete objects that noted values.
    NameHeldOnLoad();
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
        m_lists[c].remove(nullptr);

    switch (version) {
    case 1:
        DeleteCategoryUnlinked(CAT_INTERNAL_SLOT);
        AddInternalSlots();
        AddAudioSignals();
        DeleteCategoryUnlinked(CAT_CALENDAR);
        AddCollectiveCallsAndWeek();
        AddClockAndFuse();
        UpgradeControlPads();
        d.projectNumber.clear();
        break;
    case 902:
    case 903:
        AddClockAndFuse();
        UpgradeControlPads();
        d.projectNumber.clear();
        break;
    case 904:
    case 950:
    case 951:
    case 952:
        UpgradeControlPads();
        d.projectNumber.clear();
        break;
    case 953:
    case 954:
    case 955:
    case 980:
    case 981:
        d.projectNumber.clear();
        break;
    default:
        break;
    }
    if (version >= 982)
        ar >> d.projectNumber;

    AddMissingSystemObjects();
    AddMissingAlarms();

    for (int32_t c = CAT_LAST; c >= CAT_FIRST; --c) {
        std::vector<CBaseDevice*> objects(m_lists[c].begin(), m_lists[c].end());
        for (CBaseDevice* obj : objects)
            obj->PostLoad();
    }
}

void CQuillomerDoc::NoteHeldOnLoad(const CBaseDevice* obj, const std::string& key, const std::string& fileValue,
                                   const std::string& held, bool whole)
{
    if (!m_loading)
        return;
    if (whole || !obj->GetPath().empty()) {
        m_heldOnLoad.push_back({whole ? key : obj->GetPath() + key, fileValue, held});
        return;
    }
    m_heldUnnamed.emplace_back(obj, m_heldOnLoad.size());
    m_heldOnLoad.push_back({key, fileValue, held});
}

void CQuillomerDoc::NameHeldOnLoad()
{
    // Every object read has its path now; one without any is named.
    for (const auto& [obj, index] : m_heldUnnamed) {
        HeldOnLoad& h = m_heldOnLoad[index];
        h.item = (obj->GetPath().empty() ? obj->GetName() + " " : obj->GetPath()) + h.item;
    }
    m_heldUnnamed.clear();
}

bool CQuillomerDoc::Load(const uint8_t* data, size_t size)
{
    DeleteContents();
    m_loadError = {};
    m_movedOnLoad.clear();
    m_heldOnLoad.clear();
    m_heldUnnamed.clear();
    if (size == 0) {
        // An empty file is a project without contents: it gets the default
        // system a new project has, so that every document holds its
        // information slot and system objects.
        m_modified = true;  // as while loading: the title stays as it is
        m_fileVersion = kFileVersion;
        BuildDefaultSystem();
        InitProjectData();
        m_modified = false;
        return true;
    }
    m_modified = true;  // objects made while loading do not touch the title
    CArchive ar(data, size);
    ar.m_pDocument = this;
    // Objects note the values they hold or refuse while the file is read.
    m_loading = true;
    struct EndLoading {
        bool& flag;
        ~EndLoading() { flag = false; }
    } endLoading{m_loading};
    try {
        Serialize(ar);
        // The project ends with its last field: anything after it means the
        // lists or blocks were not read as they were written.
        if (ar.AtEnd()) {
            // What loading itself moved (older layouts) stays in bounds too,
            // so that the project saves as it will load again.
            for (int32_t c = CAT_LAST; c >= CAT_FIRST; --c)
                for (CBaseDevice* obj : m_lists[c])
                    if (obj->KeepWithinBounds() &&
                        std::find(m_movedOnLoad.begin(), m_movedOnLoad.end(), obj->GetName()) == m_movedOnLoad.end())
                        m_movedOnLoad.push_back(obj->GetName());
            m_modified = !m_movedOnLoad.empty() || !m_heldOnLoad.empty();
            return true;
        }
        m_loadError.reason = StrFormat(LoadStringId(IDS_FILE_TRAILING_BYTES).c_str(),
                                       static_cast<unsigned long long>(ar.Remaining()));
    } catch (const CArchiveException& e) {
        m_loadError.reason = DescribeLoadFailure(e, ar.Position());
        if (e.cause() == CArchiveException::badSchema && ar.Position() == 4 && size >= 4) {
            const uint32_t version = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
            if (version > kFileVersion)
                m_loadError.reason = StrFormat(LoadStringId(IDS_FILE_NEWER_VERSION).c_str(), version);
        }
    } catch (const std::exception& e) {
        m_loadError.reason = StrFormat(LoadStringId(IDS_FILE_AT_BYTE).c_str(), LoadStringId(IDS_FILE_DAMAGED).c_str(),
                                       e.what(), static_cast<unsigned long long>(ar.Position()));
    } catch (...) {
        m_loadError.reason = LoadStringId(IDS_FILE_DAMAGED);
    }
    m_loadError.messageId = IDS_OPEN_FAILED;
    m_movedOnLoad.clear();
    m_heldOnLoad.clear();
    m_heldUnnamed.clear();
    DeleteContents();
    m_modified = false;
    return false;
}

bool CQuillomerDoc::LoadFromBytes(const std::vector<uint8_t>& bytes)
{
    return Load(bytes.data(), bytes.size());
}

bool CQuillomerDoc::OnOpenDocument(const std::string& path)
{
    m_loadError = {};
    bool empty = false;
    try {
        std::vector<uint8_t> bytes;
        std::string reason;
        if (!ReadProjectFile(path, bytes, reason)) {
            m_loadError = {IDS_UNKNOWN_FORMAT, reason};
            return false;
        }
        empty = bytes.empty();
        if (!Load(bytes.data(), bytes.size()))
            return false;
    } catch (const std::exception& e) {
        // Out of memory while reading the file (Load itself lets nothing
        // out): the contents are as they were.
        m_loadError = {IDS_UNKNOWN_FORMAT, e.what()};
        return false;
    }
    SetPathName(path);
    if (empty)
        m_data.fileTitle = GetProjectName();
    if (m_modified)
        m_title += " *";  // symbols or values were brought into range

    const std::string log = GetLogFileName();
    std::error_code ec;
    if (!log.empty() && std::filesystem::is_regular_file(log, ec)) {
        const auto size = std::filesystem::file_size(log, ec);
        if (!ec && size > 200000 &&
            ShowMessage(LoadStringId(IDS_ASK_DELETE_LOG), mb::YesNo | mb::IconQuestion) == mb::IdYes)
            std::filesystem::remove(log, ec);
    }
    GetAppHost().DocumentClosing(this, false);
    return true;
}

std::vector<uint8_t> CQuillomerDoc::SaveToBytes()
{
    std::vector<uint8_t> bytes;
    CArchive ar(bytes);
    ar.m_pDocument = this;
    Serialize(ar);
    return bytes;
}

bool CQuillomerDoc::OnSaveDocument(const std::string& path)
{
    std::string reason;
    try {
        const std::vector<uint8_t> bytes = SaveToBytes();
        reason = WriteFileReplacing(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const std::exception& e) {
        reason = e.what();
    } catch (...) {
        reason = "?";
    }
    if (!reason.empty()) {
        ShowMessage(LoadStringId(IDS_SAVE_FAILED) + "\n" + FileNotWrittenText(path, reason),
                    mb::Ok | mb::IconExclamation);
        return false;
    }
    SetPathName(path);
    m_modified = false;
    return true;
}

void CQuillomerDoc::OnCloseDocument()
{
    GetAppHost().DocumentClosing(this, true);
    DeleteContents();
}

// ==================================================================== answer lines

CQuillomerDoc::AnswerChangeGuard::AnswerChangeGuard(CQuillomerDoc& doc, CBaseDevice& obj)
    : m_doc(doc), m_listChanges(doc.m_listChanges)
{
    // A document with changes already has nothing to learn from this answer.
    if (doc.IsModified())
        return;
    try {
        m_before = obj.StoredForm();
        m_obj = &obj;
    } catch (...) {
        // Unknown state: the answer marks whatever it does.
        doc.SetModifiedFlag(true);
    }
}

CQuillomerDoc::AnswerChangeGuard::~AnswerChangeGuard()
{
    if (!m_obj || m_doc.IsModified())
        return;
    // An object made or deleted for the answer changed the project whatever
    // the answering object holds now (it may be the one deleted).
    bool changed = m_doc.m_listChanges != m_listChanges;
    if (!changed) {
        try {
            changed = m_obj->StoredForm() != m_before;
        } catch (...) {
            changed = true;
        }
    }
    if (changed)
        m_doc.SetModifiedFlag(true);
}

void CQuillomerDoc::DispatchAnswerLine(std::string line, const std::string& diffFileName, int linkState)
{
    m_lostHoldings.clear();
    m_madeForFree.clear();
    m_noteLostHoldings = linkState == linkstate::Upload && !diffFileName.empty();
    try {
        DispatchAnswer(std::move(line), diffFileName, linkState);
    } catch (...) {
        m_noteLostHoldings = false;
        m_lostHoldings.clear();
        m_madeForFree.clear();
        throw;
    }
    // The entries that now name a placeholder made for a free number.
    const std::vector<std::pair<uint32_t, int32_t>> made = std::move(m_madeForFree);
    m_madeForFree.clear();
    for (const auto& [type, number] : made)
        if (const CBaseDevice* placeholder = GetIDManager().GetBaseDevice(number, type))
            NoteHoldings(*placeholder, IDS_FREE_HELD);
    m_noteLostHoldings = false;
    const std::vector<std::string> lost = std::move(m_lostHoldings);
    m_lostHoldings.clear();
    for (const std::string& text : lost)
        AppendErrText(diffFileName, text);
}

void CQuillomerDoc::NoteFreeOnDevice(uint32_t type, int32_t number)
{
    if (m_freeOnDeviceRound != m_uploadRound) {
        m_freeOnDevice.clear();
        m_freeOnDeviceRound = m_uploadRound;
    }
    m_freeOnDevice[type].insert(number);
}

bool CQuillomerDoc::IsFreeOnDevice(uint32_t type, int32_t number) const
{
    if (m_freeOnDeviceRound != m_uploadRound)
        return false;
    const auto it = m_freeOnDevice.find(type);
    return it != m_freeOnDevice.end() && it->second.count(number) != 0;
}

bool CQuillomerDoc::FreeOnDevice(CBaseDevice& obj)
{
    NoteFreeOnDevice(obj.GetType(), obj.GetNumber());
    // The device keeps a free entry's number in the entries that name it;
    // so does the project, with a placeholder its download sends as free.
    bool held = false;
    for (const LinkRecord* r : obj.GetInLinks())
        held = held || (r->HasPartner() && r->partner != &obj && r->partner->IsAnsweredThisUpload());
    // A placeholder the project already holds so is what the device holds.
    if (held && obj.IsFreeOnDeviceForm())
        return true;
    if (held && obj.BecomeFreeOnDevice()) {
        if (m_noteLostHoldings)
            NoteHoldings(obj, IDS_FREE_HELD);
        return true;
    }
    obj.OnCommand(objcmd::Delete);
    return false;
}

bool CQuillomerDoc::ReadBackFree(CBaseDevice& obj)
{
    const LinkList& in = obj.GetInLinks();
    const bool named =
        std::any_of(in.begin(), in.end(), [&obj](const LinkRecord* r) { return r->HasPartner() && r->partner != &obj; });
    if (named && obj.IsFreeOnDeviceForm()) {
        NoteFreeOnDevice(obj.GetType(), obj.GetNumber());
        return true;
    }
    return FreeOnDevice(obj);
}

void CQuillomerDoc::DropUnnamedFreePlaceholders()
{
    std::vector<CBaseDevice*> unnamed;
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
        for (CBaseDevice* obj : m_lists[c]) {
            if (!obj || !obj->IsFreeOnDeviceForm() || !IsFreeOnDevice(obj->GetType(), obj->GetNumber()))
                continue;
            const LinkList& in = obj->GetInLinks();
            if (std::none_of(in.begin(), in.end(), [obj](const LinkRecord* r) { return r->HasPartner() && r->partner != obj; }))
                unnamed.push_back(obj);
        }
    for (CBaseDevice* obj : unnamed)
        obj->OnCommand(objcmd::Delete);
}

void CQuillomerDoc::NotePlaceholderForFree(const CBaseDevice& placeholder)
{
    if (m_noteLostHoldings && placeholder.IsFreeOnDeviceForm() &&
        IsFreeOnDevice(placeholder.GetType(), placeholder.GetNumber()))
        m_madeForFree.emplace_back(placeholder.GetType(), placeholder.GetNumber());
}

void CQuillomerDoc::NoteLostHoldings(const CBaseDevice& freed)
{
    NoteHoldings(freed, IDS_FREED_HOLDING);
}

void CQuillomerDoc::NoteHoldings(const CBaseDevice& freed, uint32_t textId)
{
    if (!m_noteLostHoldings)
        return;
    // One line per holder, naming every item under which it held the object.
    std::vector<std::pair<const CBaseDevice*, std::vector<std::string>>> holders;
    for (const LinkRecord* r : freed.GetInLinks()) {
        if (!r->HasPartner() || r->partner == &freed || !r->partner->IsAnsweredThisUpload())
            continue;
        auto it = std::find_if(holders.begin(), holders.end(), [&](const auto& h) { return h.first == r->partner; });
        if (it == holders.end())
            it = holders.insert(holders.end(), {r->partner, {}});
        std::string item = r->partner->GetHeldItem(r->partnerKey);
        if (std::find(it->second.begin(), it->second.end(), item) == it->second.end())
            it->second.push_back(std::move(item));
    }
    for (const auto& [holder, items] : holders) {
        std::string named;
        for (const std::string& item : items)
            named += (named.empty() ? "" : ", ") + item;
        if (textId == IDS_FREED_HOLDING)
            NoteLostHolding(*holder, named, freed);
        else
            m_lostHoldings.push_back(StrFormat(LoadStringId(textId).c_str(), named.c_str(), freed.GetItemText().c_str()));
    }
}

void CQuillomerDoc::NoteLostHolding(const CBaseDevice& holder, const std::string& item, const CBaseDevice& freed)
{
    if (m_noteLostHoldings && holder.IsAnsweredThisUpload())
        m_lostHoldings.push_back(
            StrFormat(LoadStringId(IDS_FREED_HOLDING).c_str(), item.c_str(), freed.GetItemText().c_str()));
}

void CQuillomerDoc::DispatchAnswer(std::string line, const std::string& diffFileName, int linkState)
{
    if (line.empty())
        return;
    const std::string L = line.substr(1);
    const std::string P = L.substr(0, L.find_first_of("0123456789/ \r;"));
    const size_t fEnd = L.find_first_of("/ ");
    const std::string F = L.substr(0, fEnd);
    const std::string A = "/" + F;
    std::string S, X;
    if (fEnd != std::string::npos) {
        const std::string rest = L.substr(fEnd + 1);
        S = rest.substr(0, rest.find_first_of("/ "));
        X = rest.substr(0, rest.find('/'));
    }
    const std::string V = A + "/" + S;

    auto parse = [&](CBaseDevice* obj) {
        if (!obj)
            return;
        const AnswerChangeGuard guard(*this, *obj);
        obj->ParseUploadLines(L, diffFileName, linkState);
    };

    const auto rule = PrefixTable().find(P);
    if (rule == PrefixTable().end()) {
        if (CBaseDevice* obj = LookupPath(V))
            parse(obj);
        else if (CBaseDevice* objA = LookupPath(A))
            parse(objA);
        return;
    }

    switch (rule->second) {
    case AnswerRule::Ignore:
        return;
    case AnswerRule::Slot:
        parse(FindSlotByPath(L.substr(0, L.find_first_of("/ \r;"))));
        return;
    case AnswerRule::Audio: {
        const int n = !X.empty() && std::isdigit(static_cast<unsigned char>(X.back())) ? X.back() - '0' : 0;
        std::string key;
        if (X.rfind("IN", 0) == 0) {
            key = StrFormat("SLOT%d", (n + 1) / 2);
        } else if (X.rfind("OUT", 0) == 0) {
            key = StrFormat("SLOT%d", (n + 1) / 2 + 2);
        } else {
            for (CBaseDevice* obj : m_lists[CAT_AUDIO]) {
                if (obj && obj->GetPath() == P) {
                    parse(obj);
                    return;
                }
            }
        }
        if (!key.empty())
            parse(FindSlotByPath(key));
        return;
    }
    case AnswerRule::Event: {
        const std::string K = X.substr(0, X.find_first_of("0123456789"));
        long n = -1;
        uint32_t type = 0;
        if (K == "ALARM") {
            n = LeadingNumber(X, 5);
            type = OT_ALARM_SIGNAL;
        } else if (K == "MESSAGE") {
            n = LeadingNumber(X, 7);
            type = OT_MESSAGE_SIGNAL;
        } else if (K == "PRIO_BOOT " || K == "LOG") {
            // The boot priority and the event log's own settings
            // ("/EVENT/LOG/MASK/...") belong to the object of their path.
            if (CBaseDevice* obj = LookupPath(V)) {
                parse(obj);
                return;
            }
            if (K == "LOG")
                return;  // answers to settings, not events: no parser error
        }
        // The project's own signals answer whatever their number (a new
        // project has 17 alarm signals); beyond 10 only an unknown one is an error.
        // The number is checked before it is looked up: one the directory
        // cannot hold is the parser error alone, not a directory diagnostic too.
        const bool inDirectory = type != 0 && n >= 1 && n <= INT32_MAX &&
                                 m_idManager.IsValidID(static_cast<int32_t>(n), type);
        CBaseDevice* obj = inDirectory ? m_idManager.GetBaseDevice(static_cast<int32_t>(n), type) : nullptr;
        if (obj)
            parse(obj);
        else if (type == 0 || n < 1 || n > 10)
            ShowMessage(LoadStringId(IDS_PARSER_BAD_EVENT), mb::Ok | mb::IconExclamation);
        else
            ShowMessage(LoadStringId(IDS_PARSER_NO_SIGNAL), mb::Ok | mb::IconExclamation);
        return;
    }
    }
}

void CQuillomerDoc::IgnoreLine(std::string)
{
}

// ==================================================================== default system

CBaseDevice* CQuillomerDoc::NewObject(const char* className) const
{
    const CRuntimeClass* cls = CClassRegistry::Find(className);
    if (!cls || !cls->create)
        return nullptr;
    CSerializable* raw = cls->create();
    auto* obj = dynamic_cast<CBaseDevice*>(raw);
    if (!obj)
        delete raw;
    return obj;
}

CBaseDevice* CQuillomerDoc::MakeNamed(const char* className, uint32_t kindId, int32_t inputs, int32_t outputs,
                                      const std::string& name, int32_t left, int32_t top, int32_t width,
                                      int32_t height, int32_t category, uint32_t bitmapId, uint32_t style)
{
    CBaseDevice* obj = NewObject(className);
    if (!obj)
        return nullptr;
    if (!obj->Create(kindId, inputs, outputs, std::string(name), left, top, left + width, top + height, category,
                     bitmapId, style, this)) {
        delete obj;  // a half-made object is not kept
        return nullptr;
    }
    AddObject(obj, category);
    return obj;
}

CBaseDevice* CQuillomerDoc::MakeUnnamed(const char* className, uint32_t kindId, int32_t inputs, int32_t outputs,
                                        int32_t left, int32_t top, int32_t width, int32_t height, int32_t category,
                                        uint32_t bitmapId, uint32_t style, bool append)
{
    CBaseDevice* obj = NewObject(className);
    if (!obj)
        return nullptr;
    if (!obj->Create(kindId, inputs, outputs, static_cast<const char*>(nullptr), left, top, left + width,
                     top + height, category, bitmapId, style, this)) {
        delete obj;
        return nullptr;
    }
    if (append)
        AddObject(obj, category);
    return obj;
}

bool CQuillomerDoc::HasControlPadOfKind(uint32_t kindId) const
{
    DeviceList pads;
    m_idManager.GetBaseDeviceListByKind(pads, OT_CONTROL_PAD, kindId);
    return !pads.empty();
}

bool CQuillomerDoc::OnNewDocument()
{
    DeleteContents();
    m_pathName.clear();
    m_modified = false;
    m_fileVersion = kFileVersion;
    BuildDefaultSystem();
    m_modified = false;
    m_title = GetProjectName();
    InitProjectData();

    IAppHost& host = GetAppHost();
    host.PostCommand(doccmd::ProjectData);
    UpdateAllViews();
    host.DocumentClosing(this, false);
    return true;
}

void CQuillomerDoc::BuildDefaultSystem()
{
    MakeNamed("CInfoSlot", 1, 1, 1, "KVT 7000", 1933, 2052, 230, 36, CAT_INFO, 0, 0);
    MakeNamed("CAudioInputSlot", 33043, 2, 1, "Slot1", 1933, 2088, 56, 140, CAT_INPUT_SLOT, 0, 0);
    MakeNamed("CAudioInputSlot", 33043, 3, 1, "Slot2", 1933, 2228, 56, 140, CAT_INPUT_SLOT, 0, 0);
    MakeNamed("CAudioOutputSlot", 33014, 1, 2, "Slot3", 2107, 2088, 56, 140, CAT_OUTPUT_SLOT, 0, 0);
    MakeNamed("CAudioOutputSlot", 33015, 1, 2, "Slot4", 2107, 2228, 56, 140, CAT_OUTPUT_SLOT, 0, 0);
    AddInternalSlots();
    AddAudioSignals();
    MakeNamed("CInterfaceSlot", 1, 5, 3, "Interface", 1933, 2368, 230, 100, CAT_INTERFACE, 0, 0);
    MakeNamed("CDigitalSlot", 1, 8, 8, LoadStringId(34138), 1933, 2468, 230, 160, CAT_DIGITAL_SLOT, 0, 0);
    MakeNamed("CGroup", 0, 1, 1, LoadStringId(34152), 0, 0, 0, 0, CAT_GROUP, 313, 3);
    AddCollectiveCallsAndWeek();
    AddClockAndFuse();
    UpgradeControlPads();
}

void CQuillomerDoc::AddInternalSlots()
{
    struct Slot { uint32_t kind; const char* name; int32_t top; int32_t height; };
    static const Slot slots[] = {
        {34077, nullptr, 2088, 46}, {32806, nullptr, 2134, 47}, {33011, nullptr, 2181, 47},
        {33088, nullptr, 2228, 46}, {33085, nullptr, 2274, 47}, {34078, nullptr, 2321, 47},
        {33084, "Sicherungen", 2088, 70}, {33087, "Service", 2088, 70}, {33086, "Monitor ", 2088, 70},
    };
    for (const Slot& s : slots)
        MakeNamed("CInternalSlot", s.kind, 1, 1, s.name ? std::string(s.name) : LoadStringId(s.kind), 1989, s.top,
                  118, s.height, CAT_INTERNAL_SLOT, 0, 0);
}

void CQuillomerDoc::AddAlarmPair(const std::string& name)
{
    CBaseDevice* alarm = MakeNamed("CAlarm", 32807, 0, 0, name, 0, 0, 1, 1, CAT_AUDIO, 0, 0);
    CBaseDevice* signal = MakeUnnamed("CAlarmSignal", 32822, 0, 0, 0, 0, 1, 1, CAT_AUDIO, 0, 0);
    if (auto* s = dynamic_cast<ITextSettings*>(signal))
        s->SetValue(1, "9");
    if (alarm && signal) {
        alarm->AddOutLink(alarm, 0, signal, 0, CAT_AUDIO);
        signal->AddInLink(signal, 0, alarm, 0, CAT_AUDIO);
    }
}

void CQuillomerDoc::AddGongPair(const std::string& name)
{
    CBaseDevice* gong = MakeNamed("CGong", 32808, 0, 0, name, 0, 0, 1, 1, CAT_AUDIO, 0, 0);
    CBaseDevice* signal = MakeUnnamed("CChimeSignal", 32823, 0, 0, 0, 0, 1, 1, CAT_AUDIO, 0, 0);
    if (auto* s = dynamic_cast<ITextSettings*>(signal))
        s->SetValue(1, "7");
    if (gong && signal) {
        gong->AddOutLink(gong, 0, signal, 0, CAT_AUDIO);
        signal->AddInLink(signal, 0, gong, 0, CAT_AUDIO);
    }
}

void CQuillomerDoc::AddAudioSignals()
{
    for (uint32_t id : kAlarmNameIds)
        AddAlarmPair(LoadStringId(id));
    for (uint32_t id : kGongNameIds)
        AddGongPair(LoadStringId(id));
    MakeNamed("CMiscAudio", 32821, 1, 1, "Allgemein", 0, 0, 1, 1, CAT_AUDIO, 0, 0);
}

void CQuillomerDoc::AddMissingAlarms()
{
    for (int32_t n = 1; n <= 17; ++n)
        if (!m_idManager.GetBaseDevice(n, OT_ALARM))
            AddAlarmPair(LoadStringId(kAlarmNameIds[n - 1]));
}

void CQuillomerDoc::AddCollectiveCallsAndWeek()
{
    RemovePath("/CAL");
    for (int i = 0; i < 10; ++i)
        MakeUnnamed("CCollectionCall", 0, 1, 1, 0, 0, 0, 0, CAT_RELAIS_TOPOLOGY, 313, 3);
    MakeUnnamed("CWeek", 34118, 1, 1, 0, 0, 0, 0, CAT_CALENDAR, 0, 3);
}

void CQuillomerDoc::AddClockAndFuse()
{
    RemovePath("/CLOCK");
    MakeUnnamed("CClock", 34126, 1, 1, 0, 0, 0, 0, CAT_CALENDAR, 0, 3);
    RemovePath("/FUSE");
    MakeUnnamed("CFuse", 33084, 1, 1, 0, 0, 0, 0, CAT_INTERFACE, 0, 3);
}

void CQuillomerDoc::UpgradeControlPads()
{
    RemovePath("/CAL");
    for (uint32_t kind : {padkind::Power, padkind::AnalogVcc, padkind::Volts24, padkind::Pilot})
        if (!HasControlPadOfKind(kind))
            MakeUnnamed("CControlPad", kind, 1, 1, 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3);

    DeviceList pads;
    m_idManager.GetBaseDeviceList(pads, OT_CONTROL_PAD);
    for (CBaseDevice* pad : pads) {
        const std::string& name = pad->GetName();
        if (name.compare(0, 6, "LMZ771") != 0 || pad->GetKindId() != padkind::SlotIn)
            continue;
        pad->SetKindId(padkind::LMZ771);
        const size_t dash = name.rfind('-');
        const long n = dash == std::string::npos ? -1 : LeadingNumber(name, dash + 1);
        if (n < 0)
            continue;
        CBaseDevice* card = m_idManager.GetBaseDevice(n <= 12 ? 1 : 2, OT_LMZ771);
        if (card) {
            card->AddOutLink(card, static_cast<int32_t>(n), pad, 0, CAT_DIGITAL_IO);
            pad->AddInLink(pad, 0, card, static_cast<int32_t>(n), CAT_DIGITAL_IO);
        }
    }
    AddMissingSystemObjects();
}

void CQuillomerDoc::AddMissingSystemObjects()
{
    for (uint32_t kind : {padkind::Fault, padkind::Ready, padkind::AnyFaultInp, padkind::AllReadyInp})
        if (!HasControlPadOfKind(kind))
            MakeUnnamed("CControlPad", kind, 1, 1, 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3);

    struct SystemObject { uint32_t type; const char* cls; uint32_t kind; int32_t category; };
    static const SystemObject objects[] = {
        {OT_GLOBAL_READY_INPUT, "CGlobalReadyInput", 34295, CAT_AUDIO},
        {OT_VIRT_CTRL, "CVirtCtrl", 34365, CAT_AUDIO},
        {OT_TRIGGER_OBJECT, "CTriggerObject", 34424, CAT_DIGITAL_IO},
        {OT_MACRO_OBJECT, "CMacroObject", 34463, CAT_AUDIO},
        {OT_SPARE_AMP, "CSpareAmp", 34370, CAT_AUDIO},
        {OT_AMP, "CAmp", 34376, CAT_AUDIO},
        {OT_LOGIC_OUT_OBJECT, "CLogicOutObject", 34460, CAT_AUDIO},
        {OT_CONDITION_OBJECT, "CConditionObject", 34129, CAT_AUDIO},
        {OT_CAL_OBJECT, "CCalObject", 33088, CAT_AUDIO},
        {OT_FAULT, "CFault", 34094, CAT_AUDIO},
        {OT_INTERNAL_MESSAGE_REC, "CInternalMessageRec", 34555, CAT_AUDIO},
        {OT_INTERNAL_PILOTTONE_GEN, "CInternalPilottoneGen", 34556, CAT_AUDIO},
        {OT_INTERNAL_POWER_MANAGEMENT, "CInternalPowerManagement", 34557, CAT_AUDIO},
        {OT_MONITOR, "CMonitor", 33086, CAT_DIGITAL_IO},
        {OT_EVENT_LOG, "CEventLog", 34588, CAT_AUDIO},
        {OT_ZONETEST_OBJECT, "CZonetestObject", 34577, CAT_AUDIO},
        {OT_CONSOLE_OBJECT, "CConsoleObject", 34063, CAT_AUDIO},
    };
    for (const SystemObject& o : objects) {
        if (m_idManager.GetBaseDevice(1, o.type))
            continue;
        CBaseDevice* obj = MakeUnnamed(o.cls, o.kind, 1, 1, 0, 0, 0, 0, o.category, 0, 3);
        if (obj && o.type == OT_MONITOR)
            obj->SetNameChecked(LoadStringId(33086), false);
    }
}

// ==================================================================== sequence services

namespace {
CQuillomerDoc::ConditionStateFn& ConditionStateHook()
{
    static CQuillomerDoc::ConditionStateFn fn = nullptr;
    return fn;
}
CQuillomerDoc::SequenceMacroFn& SequenceMacroHook()
{
    static CQuillomerDoc::SequenceMacroFn fn = nullptr;
    return fn;
}
}  // namespace

CQuillomerDoc::ConditionStateFn CQuillomerDoc::SetConditionStateFn(ConditionStateFn fn)
{
    ConditionStateFn old = ConditionStateHook();
    ConditionStateHook() = fn;
    return old;
}

CQuillomerDoc::SequenceMacroFn CQuillomerDoc::SetSequenceMacroFn(SequenceMacroFn fn)
{
    SequenceMacroFn old = SequenceMacroHook();
    SequenceMacroHook() = fn;
    return old;
}

CBaseDevice* CQuillomerDoc::CreateSequenceCondition(CQuillomerDoc* doc, CControlPad* pad, int32_t state)
{
    if (!doc || !pad)
        return nullptr;
    const std::string wanted = state == 1 ? "ON" : state == 0 ? "OFF" : "";
    DeviceList conditions;
    doc->m_idManager.GetBaseDeviceList(conditions, OT_CONDITION);
    for (CBaseDevice* c : conditions) {
        const LinkRecord* r = c->GetOutLinkAtKey(0);
        if (r && r->partner == pad && !wanted.empty() && GetConditionText(c) == wanted)
            return c;
    }
    CBaseDevice* cond = doc->NewObject("CCondition");
    if (!cond)
        return nullptr;
    if (!cond->Create(34129, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3, doc)) {
        delete cond;
        return nullptr;
    }
    doc->AddObject(cond, CAT_DIGITAL_IO);
    if (ConditionStateHook())
        ConditionStateHook()(cond, state);
    std::string stateText = GetConditionText(cond);
    if (stateText.empty())
        stateText = wanted;
    std::string name = pad->GetName() + "_" + stateText;
    cond->SetNameUnique(name, true);
    cond->LinkTo(0, pad, 1);
    const std::string keyword = pad->GetKeyword();
    if (keyword == "INP")
        cond->SetKindId(padkind::InterfaceIn);
    else if (keyword == "SLOT5_IN")
        cond->SetKindId(padkind::SlotIn);
    else if (keyword == "SLOT5_OUT")
        cond->SetKindId(padkind::SlotOut);
    else if (keyword == "LMZ763")
        cond->SetKindId(padkind::LMZ763);
    else if (keyword == "LMZ764")
        cond->SetKindId(padkind::LMZ764);
    else if (keyword == "LMZ771")
        cond->SetKindId(padkind::LMZ771);
    return cond;
}

int CQuillomerDoc::CreateSequenceMacro(CQuillomerDoc* doc, uint32_t macroKind, const std::string& baseName,
                                       const std::string& firstSuffix, const std::string& secondSuffix,
                                       CBaseDevice** firstMacro, CBaseDevice** secondMacro)
{
    if (!doc || !firstMacro)
        return 0;
    auto make = [&](int which, const std::string& suffix) -> CBaseDevice* {
        CBaseDevice* macro = doc->NewObject("CMacro");
        if (!macro) {
            ShowMessage(StrFormat("Out of Memory during making new Macro %d !", which), mb::Ok | mb::IconExclamation);
            return nullptr;
        }
        if (!macro->Create(macroKind, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_MACRO, 0, 9, doc)) {
            ShowMessage(StrFormat("Out of Memory during creating Macro %d !", which), mb::Ok | mb::IconStop);
            delete macro;
            return nullptr;
        }
        if (SequenceMacroHook())
            SequenceMacroHook()(macro, which == 1 ? 1 : 0, -1);
        doc->AddObject(macro, CAT_MACRO);
        std::string name = baseName + suffix;
        macro->SetNameUnique(name, true);
        return macro;
    };
    CBaseDevice* first = make(1, firstSuffix);
    if (!first)
        return 0;
    *firstMacro = first;
    if (secondMacro && *secondMacro) {
        CBaseDevice* second = make(2, secondSuffix);
        if (!second)
            return 0;
        *secondMacro = second;
        if (SequenceMacroHook()) {
            SequenceMacroHook()(first, 1, second->GetNumber());
            SequenceMacroHook()(second, 0, first->GetNumber());
        }
    }
    return 1;
}

CBaseDevice* CQuillomerDoc::CreateSequenceReadyInput(CControlPad* pad, const std::string& text)
{
    if (!pad)
        return nullptr;
    CBaseDevice* ready = NewObject("CReadyInput");
    if (!ready)
        return nullptr;
    if (!ready->Create(34282, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, CAT_DIGITAL_IO, 0, 3, this)) {
        delete ready;
        return nullptr;
    }
    AddObject(ready, CAT_DIGITAL_IO);
    std::string name = LoadStringId(34282) + "-" + ready->GetNumberText() + " " + text;
    if (!ready->SetNameUnique(name, false)) {
        ready->OnCommand(objcmd::Delete);
        ShowMessage(LoadStringId(IDS_READYINPUT_EXISTS));
        return nullptr;
    }
    ready->LinkTo(0, pad, 2);
    return ready;
}
