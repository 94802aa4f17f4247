#include "comm/CCommLink.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QStringDecoder>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <exception>
#include <limits>
#include <optional>
#include <system_error>
#include <thread>

#include "comm/CFirmwareSender.h"
#include "comm/CModemInfo.h"
#include "comm/CommIds.h"
#include "comm/CommStrings.h"
#include "comm/ParameterGroups.h"
#include "comm/SettingsFile.h"
#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "platform/AnswerLine.h"
#include "platform/CMessageHold.h"
#include "platform/Cp1252.h"
#include "platform/FileWriter.h"
#include "platform/serial/SettingsReadAnew.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "platform/serial/SerialPortList.h"

namespace {

CCommLink* g_link = nullptr;

// ---- Texts of the device link ----
const char* const kComError =
    QT_TRANSLATE_NOOP("CCommLink", "COM-Übertragungsfehler !");
const char* const kPortBusy =
    QT_TRANSLATE_NOOP("CCommLink", "Die Kommunikationsschnittstelle wird von einer anderen Anwendung genutzt !\r\n"
    "Schliessen Sie diese und versuchen Sie es dann noch einmal !");
const char* const kPortNoAccess =
    QT_TRANSLATE_NOOP("CCommLink", "Keine Zugriffsberechtigung für die Kommunikationsschnittstelle %1 !\r\n"
    "Der Benutzer muss Mitglied der Gruppe '%2' sein, der das Gerät gehört, und sich danach neu anmelden.");
const char* const kPortNoPermission =
    QT_TRANSLATE_NOOP("CCommLink", "Keine Zugriffsberechtigung für die Kommunikationsschnittstelle %1 !\r\n"
    "Die Rechte des Geräts erlauben diesem Benutzer nicht, es zu lesen und zu schreiben.");
const char* const kPortMissing =
    QT_TRANSLATE_NOOP("CCommLink", "Die Kommunikationsschnittstelle COM %1 (%2) ist an diesem Rechner nicht vorhanden !\r\n"
    "Wählen Sie die Schnittstelle, an der QUILLOMER angeschlossen ist.");
const char* const kPortNotOpened =
    QT_TRANSLATE_NOOP("CCommLink", "Die Kommunikationsschnittstelle COM %1 (%2) kann nicht geöffnet werden !\r\n( %3 )");
const char* const kLogFailed =
    QT_TRANSLATE_NOOP("CCommLink", "Kommunikations LOG-File kann nicht geöffnet werden !");
const char* const kBootMode =
    QT_TRANSLATE_NOOP("CCommLink", "QUILLOMER befindet sich im Bootmodus !\r\nMit 'Ja' wird ein neues Betriebssystem geladen.\r\n"
    "Mit 'Nein' wird das aktuelle Betriebssystem gestartet.");
const char* const kNoReaction =
    QT_TRANSLATE_NOOP("CCommLink", "Keine Reaktion an der Kommunikationsschnittstelle !\r\n\n"
    "Versorgungsspannung und Verbindungskabel zum QUILLOMER überprüfen !");
const char* const kUnknownDevice =
    QT_TRANSLATE_NOOP("CCommLink", "Unbekanntes Gerät an der Kommunikationsschnittstelle !");
const char* const kDialFailed =
    QT_TRANSLATE_NOOP("CCommLink", "Das Wählen ist fehlgeschlagen!\nEntweder wurde die letzte Verbindung nicht getrennt,\n"
    "oder der KVT ist an einem lokalen Port angeschlossen.");
const char* const kModemSilent =
    QT_TRANSLATE_NOOP("CCommLink", "Das Modem reagiert nicht!\nBitte überprüfen Sie, ob das Modem am richtigen COM Port angeschlossen ist.");
const char* const kVariantMismatch =
    QT_TRANSLATE_NOOP("CCommLink", "Das Arbeitsblatt paßt nicht mit der Geräteversion zusammen!");
const char* const kProtectFailed =
    QT_TRANSLATE_NOOP("CCommLink", "Passwortschutz konnte nicht aktiviert werden !\n");
const char* const kHangupFailed =
    QT_TRANSLATE_NOOP("CCommLink", "Das Trennen der Modemverbindung ist nicht möglich!");
const char* const kAskCancel =
    QT_TRANSLATE_NOOP("CCommLink", "Wollen Sie den Vorgang wirklich abbrechen ?");
const char* const kCheckLog =
    QT_TRANSLATE_NOOP("CCommLink", "Überprüfen Sie die LOG Datei!");
const char* const kUploadDone =
    QT_TRANSLATE_NOOP("CCommLink", "Upload beendet ! Überprüfen Sie ggf. die '*.err' Datei auf Unstimmigkeiten !\"");
const char* const kBusySending =
    QT_TRANSLATE_NOOP("CCommLink", "Bitte warten bis aktuelle Übertragung abgeschlossen ist !\n");
const char* const kConnectFirst =
    QT_TRANSLATE_NOOP("CCommLink", "Bitte zuerst Verbindung zu QUILLOMER herstellen !");
const char* const kTextFileOpen =
    QT_TRANSLATE_NOOP("CCommLink", "Das Textfile kann nicht geöffnet werden !");
const char* const kTextFileEmpty =
    QT_TRANSLATE_NOOP("CCommLink", "Die Datei ist leer !");
const char* const kNoVersion =
    QT_TRANSLATE_NOOP("CCommLink", "Versionsabfrage nicht möglich,da QUILLOMER nicht antwortet !");
const char* const kCheckOs =
    QT_TRANSLATE_NOOP("CCommLink", "Überprüfen Sie das zu ladende Betriebssystem!\nDie Geräteversionskennung stimmt nicht überein!");
const char* const kLastChance =
    QT_TRANSLATE_NOOP("CCommLink", "Warnung: Dies ist die letzte Möglichkeit den Vorgang 'QUILLOMER-Betriebssystem laden' abzubrechen !\r\r\n"
    "Wollen Sie wirklich das vorhandene QUILLOMER-Betriebssystem ersetzen ?");
const char* const kFirmwareAborted =
    QT_TRANSLATE_NOOP("CCommLink", "Vorgang 'QUILLOMER-Betriebssystem erneuern' wurde abgebrochen !");
const char* const kFirmwareOk =
    QT_TRANSLATE_NOOP("CCommLink", "Vorgang 'QUILLOMER-Betriebssystem laden' wurde erfolgreich durchgeführt !");
const char* const kFirmwareNotValid =
    QT_TRANSLATE_NOOP("CCommLink", "Das QUILLOMER-Betriebssystem ist fehlerhaft und kann daher nicht gestartet werden.\r\n"
    "Möglicherweise haben Sie keines oder das falsche File geladen.\r\n"
    "Wenn nicht, wenden Sie sich bitte umgehend an den Hersteller !");
const char* const kFirmwareStarted =
    QT_TRANSLATE_NOOP("CCommLink", "Das QUILLOMER-Betriebssystem wurde gestartet !");
const char* const kFirmwareFileOpen =
    QT_TRANSLATE_NOOP("CCommLink", "Die Datei kann nicht geöffnet werden !\n");
const char* const kFirmwareNoData =
    QT_TRANSLATE_NOOP("CCommLink", "Die Datei '%s' enthält keine Daten für QUILLOMER (keine S1-, S2- oder S3-Records) !\r\n"
    "Es wurde nichts an QUILLOMER gesendet.");
const char* const kLoaderSilent =
    QT_TRANSLATE_NOOP("CCommLink", "QUILLOMER antwortet nicht mehr !\r\n\n"
    "QUILLOMER befindet sich wahrscheinlich noch im Bootmodus.\r\n"
    "Verbindungskabel überprüfen, neu verbinden und das Betriebssystem erneut laden !");
const char* const kSystemSilent =
    QT_TRANSLATE_NOOP("CCommLink", "Das gestartete QUILLOMER-Betriebssystem meldet sich nicht !\r\n\n"
    "Verbindungskabel überprüfen und neu verbinden !");
const char* const kLoginRefused =
    QT_TRANSLATE_NOOP("CCommLink", "Login wurde abgelehnt !");
const char* const kInputsInvalid =
    QT_TRANSLATE_NOOP("CCommLink", "Eingaben ungülig !");
const char* const kNetscanDone =
    QT_TRANSLATE_NOOP("CCommLink", "Netscan ist abgeschlossen !\n");
const char* const kNetscanTimeout =
    QT_TRANSLATE_NOOP("CCommLink", "Zeit für Netscan wurde überschritten !\n");
const char* const kNoAnswer =
    QT_TRANSLATE_NOOP("CCommLink", "Keine Antwort von QUILLOMER ! Die Übertragung wurde abgebrochen.");
const char* const kNotUnderstood =
    QT_TRANSLATE_NOOP("CCommLink", "QUILLOMER hat '%s' nicht verstanden ! Die Übertragung wurde abgebrochen.");
const char* const kUnreadable =
    QT_TRANSLATE_NOOP("CCommLink", "Die Antwort '%s' von QUILLOMER ist nicht lesbar ! Die Übertragung wurde abgebrochen.");
// How long a transfer waits for an answer the walk cannot go on without.
constexpr int64_t kAnswerWaitMs = 5000;
// How much of an unreadable answer a message names: a garbled list of free
// numbers may run to hundreds of characters.
constexpr size_t kNamedAnswerLength = 120;
// How many of a text file's lines the device cannot take are named one by one.
constexpr int kNamedLines = 10;

// The magic words of the boot loader.
const char* const kLoaderPrompt = "* FLASHBOOT>";
const char* const kEndRecord = "S9030000FC\r\n";

struct Capability {
    const char* name;
    const char* limit;
};
const Capability kCapabilities[] = {
    {"MONI_CLR", "V0.550"},     {"VIRTCTRL_CLR", "V0.547"}, {"MACRO_CLR", "V0.551"},
    {"TRIGGER_CLR", "V0.551"},  {"CAL_CLR", "V0.551"},      {"COND_CLR", "V0.551"},
    {"LOGICOUT_CLR", "V0.551"}, {"SPAREAMP_CLR", "V0.551"}, {"READYINP_CLR", "V0.551"},
};

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// ---- Profile (the same sections and values as the rest of the program) ----
QString Key(const char* section, const char* entry)
{
    return QString::fromUtf8(section) + QLatin1Char('/') + QString::fromUtf8(entry);
}
int ProfileInt(const char* section, const char* entry, int def)
{
    ReadSettingsAnewIfChanged();
    QSettings s;
    const QVariant v = s.value(Key(section, entry));
    bool ok = false;
    const int n = v.toInt(&ok);
    return v.isValid() && ok ? n : def;
}
std::string ProfileString(const char* section, const char* entry, const std::string& def)
{
    ReadSettingsAnewIfChanged();
    QSettings s;
    return s.value(Key(section, entry), QString::fromStdString(def)).toString().toStdString();
}
void WriteProfileInt(const char* section, const char* entry, int value)
{
    WriteSetting(Key(section, entry), value);
}
void WriteProfileString(const char* section, const char* entry, const std::string& value)
{
    WriteSetting(Key(section, entry), QString::fromStdString(value));
}

// ---- Text helpers ----
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
std::string TrimLeft(const std::string& s)
{
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b]))
        ++b;
    return s.substr(b);
}
std::string TrimRight(const std::string& s)
{
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1]))
        --e;
    return s.substr(0, e);
}
std::string Trim(const std::string& s)
{
    return TrimRight(TrimLeft(s));
}
std::string Upper(std::string s)
{
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}
bool StartsWith(const std::string& s, const char* prefix)
{
    return s.compare(0, std::strlen(prefix), prefix) == 0;
}
bool EndsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}
std::string Last(const std::string& s, size_t n)
{
    return s.size() <= n ? s : s.substr(s.size() - n);
}
void RemoveAll(std::string& s, const std::string& what)
{
    if (what.empty())
        return;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p))
        s.erase(p, what.size());
}
// The text after `key` up to the next "\r" or "\n"; empty when absent.
std::string ValueAfter(const std::string& text, const std::string& key)
{
    const size_t p = text.find(key);
    if (p == std::string::npos)
        return {};
    const size_t b = p + key.size();
    const size_t e = text.find_first_of("\r\n", b);
    return text.substr(b, e == std::string::npos ? std::string::npos : e - b);
}
// The lines of `text` (ended by "\r" or "\n", the last one perhaps not),
// trimmed; empty ones are left out.
std::vector<std::string> TrimmedLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string::npos)
            end = text.size();
        std::string line = Trim(text.substr(begin, end - begin));
        begin = end + 1;
        if (!line.empty())
            lines.push_back(std::move(line));
    }
    return lines;
}
// The device's modem-init line out of its answer to "/COMM/MODEM/INIT ?",
// to be given back to a newly loaded system; empty when the answer holds
// none (a loader's prompt, a refused query, silence).
std::string ModemInitLine(const std::string& answer)
{
    for (const std::string& line : TrimmedLines(answer)) {
        std::string key;
        std::string value;
        if (StartsWith(line, "/COMM/MODEM/INIT ") && ReadAnswerLine(line, 0, key, value))
            return WithoutControlChars(line);
    }
    return {};
}
// The last word of an answer (after its last blank), trimmed.
std::string LastWord(const std::string& answer)
{
    const std::string t = Trim(answer);
    const size_t p = t.rfind(' ');
    return Trim(p == std::string::npos ? t : t.substr(p + 1));
}
// The echo of "/PROTECT ?", which may follow the prompt of the line before.
bool IsProtectQueryEcho(const std::string& line)
{
    static const std::string query = "/PROTECT ?";
    return line.size() >= query.size() && line.compare(line.size() - query.size(), query.size(), query) == 0;
}
// The answer to a "/PROTECT ?" holds the echo of the query: the device echoes.
bool EchoesProtectQuery(const std::string& answer)
{
    const std::vector<std::string> lines = TrimmedLines(answer);
    return std::any_of(lines.begin(), lines.end(), IsProtectQueryEcho);
}
// The device's word ("ON", "OFF") in its answer to "/PROTECT ?", from what
// came back since the lines of the exchange were sent; empty when it did not
// answer. A device that echoes answers after the echo of the query: what
// comes before is the echo of the lines sent, and "/PROTECT ON" sent reads
// the same as "/PROTECT ON" answered. A device that does not echo sends its
// answer alone.
std::string ProtectWord(const std::string& text, bool echoes)
{
    const std::vector<std::string> lines = TrimmedLines(text);
    auto from = lines.begin();
    if (echoes) {
        const auto query = std::find_if(lines.rbegin(), lines.rend(), IsProtectQueryEcho);
        if (query == lines.rend())
            return {};
        from = query.base();
    }
    std::string word;
    for (auto line = from; line != lines.end(); ++line) {
        if (line->rfind("/PROTECT ", 0) != 0 || LastWord(*line) == "?")
            continue;
        word = LastWord(*line);
        if (echoes)
            break;  // the first answer after the echo
    }
    return word;
}
// An answer of "/COMM/ECHO ?" and the like without its path, marks and blanks.
std::string AnswerValue(std::string answer, const std::string& path)
{
    RemoveAll(answer, path);
    RemoveAll(answer, "?");
    RemoveAll(answer, ">");
    RemoveAll(answer, " ");
    return Trim(answer);
}
// Text of a user's file: UTF-8 when it is valid UTF-8, else Windows-1252.
std::string FileTextToUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return bytes.toStdString();
    return Cp1252ToUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}
// One line of a user's text file as a protocol command: a tab parts path and
// value as a blank does; no other control character may end or bend the line
// on the device (a carriage return inside stays: it ends a line there too).
std::string TextFileLine(const QByteArray& bytes)
{
    std::string out;
    for (char c : FileTextToUtf8(bytes)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\t')
            out += ' ';
        else if (c == '\r' || (u >= 0x20 && u != 0x7f))
            out += c;
    }
    return out;
}
QByteArray ToLine(const std::string& utf8)
{
    const std::string bytes = Utf8ToCp1252(utf8);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string FromLine(const QByteArray& bytes)
{
    return Cp1252ToUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}
// A text of the link's own lines: its commands joined by "\r\n" stay apart
// and an ETX standing alone stays (the device's abort word); any other
// control character, such as a lone carriage return inside a value, is
// taken out so that it cannot end a line the link did not mean to end.
std::string CleanLineText(const std::string& text)
{
    std::string out;
    size_t begin = 0;
    for (;;) {
        const size_t end = text.find("\r\n", begin);
        const std::string piece = text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        out += piece == "\x03" ? piece : WithoutControlChars(piece);
        if (end == std::string::npos)
            return out;
        out += "\r\n";
        begin = end + 2;
    }
}

class NeutralHost : public ICommLinkHost {};

// A text of the link in the language in use.
std::string Tr(const char* german)
{
    return QCoreApplication::translate("CCommLink", german).toStdString();
}

}  // namespace

CCommLink* GetCommLink()
{
    return g_link;
}

bool TransferHoldsLink()
{
    return g_link && g_link->IsHeldByTransfer();
}

// ==================================================================== construction

CCommLink::CCommLink(QObject* parent)
    : CMSComm(parent)
    , m_firmware(std::make_unique<CFirmwareSender>(*this))
{
    m_portNumber = ProfileInt("COMSECTION", "PORT", 1) + 1;
    m_textTimer.setInterval(50);
    connect(&m_textTimer, &QTimer::timeout, this, &CCommLink::OnTextFileTimer);
    connect(this, &CMSComm::OnComm, this, &CCommLink::OnCommEvent);
    m_loaderWatch.setSingleShot(true);
    connect(&m_loaderWatch, &QTimer::timeout, this, &CCommLink::OnLoaderSilent);
    if (!g_link)
        g_link = this;
}

void CCommLink::LeaveProgramLinkFree()
{
    if (g_link == this)
        g_link = nullptr;
}

CCommLink::~CCommLink()
{
    // Objects must not send through a link that is gone.
    ILineSender* installed = SetLineSender(nullptr);
    if (installed != this)
        SetLineSender(installed);
    m_textTimer.stop();
    // The connection has ended before (closing the project disconnects); a
    // link that goes while the program ends has no window left to tell.
    m_log.Close();
    if (g_link == this)
        g_link = nullptr;
}

void CCommLink::SetHost(ICommLinkHost* host)
{
    m_host = host;
}

ICommLinkHost& CCommLink::Host() const
{
    static NeutralHost neutral;
    return m_host ? *m_host : neutral;
}

// ==================================================================== waiting

void CCommLink::Sleep(int ms)
{
    const short saved = GetRThreshold();
    SetRThreshold(0);
    if (ms > 0) {
        // Precise: a coarse timer may end a long wait 5 % early, before the
        // device's answer time is over.
        QEventLoop loop;
        QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (saved != 0)
        SetRThreshold(saved);
}

void CCommLink::PumpMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {
// A short pause that lets every event run (receive events included).
void Breathe(int ms = 5)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
}  // namespace

void CCommLink::WaitForWire(QEventLoop::ProcessEventsFlags flags)
{
    int64_t us = GetOutputRemainingUs();
    if (us <= 0)
        us = 5000;  // only the driver knows: look again shortly
    if (us > 1500) {
        // The event loop runs meanwhile; it wakes a little early and the rest
        // is waited out precisely, so the line does not fall idle between lines.
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(std::min<int64_t>((us - 500) / 1000, 50)), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        loop.exec(flags);
    } else {
        std::this_thread::sleep_for(std::chrono::microseconds(us));
    }
}

void CCommLink::WaitUntilSent()
{
    const short saved = GetRThreshold();
    SetRThreshold(0);
    int last = GetOutBufferCount();
    int64_t since = NowMs();
    // A device that holds XOFF stops the count: give up after 5 s without
    // progress, and at once on a line that was found stopped before and has
    // not moved since (a disconnect asks several times).
    int count = last;
    for (; GetPortOpen() && count != 0; count = GetOutBufferCount()) {
        if (count != last) {
            if (count < last)
                m_outputStalled = false;
            last = count;
            since = NowMs();
        } else if (NowMs() - since > (m_outputStalled ? 250 : 5000)) {
            m_outputStalled = true;
            break;
        }
        WaitForWire(QEventLoop::ExcludeUserInputEvents);
    }
    if (count == 0) {
        m_outputStalled = false;
        NoteOutputEmpty();
    }
    if (saved != 0)
        SetRThreshold(saved);
}

int64_t CCommLink::GetLinkIdleTime() const
{
    // Output still on its way is activity: idle time counts from when it left.
    return std::max<int64_t>(0, NowMs() - std::max(m_lastActivity, GetOutputDoneMs()));
}

// ==================================================================== sending

void CCommLink::Write(const QByteArray& bytes)
{
    // The port takes no more than its buffer holds: a longer text (a long
    // line of a text file) goes in pieces as the line carries the bytes
    // away, rather than overfilling the buffer, which would report an
    // error although every byte goes out. What is written meanwhile (a
    // timer's line) waits behind it, in order.
    m_heldOutput += bytes;
    if (m_writing)
        return;
    m_writing = true;
    int last = -1;
    int64_t since = NowMs();
    while (!m_heldOutput.isEmpty() && GetPortOpen()) {
        const int count = CMSComm::GetOutBufferCount();
        const int room = GetOutBufferSize() - count;
        // A line that takes nothing for 5 s (the device holds XOFF) gets the
        // rest all the same: the port keeps it, and says its buffer is full.
        const bool stuck = count == last && NowMs() - since > 5000;
        if (room > 0 || stuck) {
            const QByteArray piece = stuck ? m_heldOutput : m_heldOutput.left(room);
            m_heldOutput.remove(0, piece.size());
            SetOutput(piece);
            m_charsSent += static_cast<uint64_t>(piece.size());
            m_echoes.OnSent(piece.constData(), static_cast<size_t>(piece.size()));
            continue;
        }
        if (count != last) {
            last = count;
            since = NowMs();
        }
        WaitForWire(QEventLoop::ExcludeUserInputEvents);
    }
    // A port closed meanwhile takes nothing more.
    m_heldOutput.clear();
    m_writing = false;
}

void CCommLink::SendText(const std::string& text, CQuillomerDoc* doc)
{
    if (doc && doc != m_doc)
        return;
    const QByteArray bytes = ToLine(text);
    Write(bytes);
    m_lastActivity = NowMs();
    // The echo comes back as the bytes that went, a '?' in place of what the
    // code page lacks: those are what it is matched with.
    if (m_counting)
        CountSent(FromLine(bytes));
    // The device now stands on whatever path this text named: the shorthand
    // of the next command starts afresh.
    m_lastSentPath.clear();
}

void CCommLink::SendLine(const std::string& line, CQuillomerDoc* doc)
{
    if (m_export) {
        m_exportLines.push_back(CleanLineText(line));
        m_lastSentPath.clear();
        return;
    }
    SendText(CleanLineText(line) + "\r\n", doc);
}

void CCommLink::SendCommand(const std::string& text, CQuillomerDoc* doc, bool shorten)
{
    // One command: nothing in its value may end the line or start another.
    const std::string line = WithoutControlChars(text);
    const size_t blank = line.find(' ');
    const std::string path = line.substr(0, blank);
    if (shorten && path == m_lastSentPath && blank != std::string::npos)
        SendLine(line.substr(blank), doc);
    else
        SendLine(line, doc);
    m_lastSentPath = path;
}

void CCommLink::AnswerUnreadable(const std::string& answer)
{
    ++m_unreadableCount;
    m_lastUnreadable = answer.size() > kNamedAnswerLength ? answer.substr(0, kNamedAnswerLength) + "..." : answer;
}

void CCommLink::SetLinkState(int state)
{
    if (state == linkstate::Download)
        SendLine("/MACRO/LOCK ON", nullptr);
    else if (state == linkstate::Online && m_linkState == linkstate::Download && !m_downloadRunning)
        SendLine("/MACRO/LOCK OFF", nullptr);
    if (state == linkstate::Upload && m_linkState != linkstate::Upload && m_doc)
        m_doc->BeginUploadRound();
    if (state != linkstate::Upload && m_linkState == linkstate::Upload && m_doc)
        m_doc->DropUnnamedFreePlaceholders();
    m_linkState = state;
}

void CCommLink::EndDownloadKeepingLock()
{
    if (m_linkState == linkstate::Download)
        m_linkState = linkstate::Online;
}

// ==================================================================== receiving

std::string CCommLink::ReadInput()
{
    const QByteArray bytes = GetInput();
    m_charsReceived += static_cast<uint64_t>(bytes.size());
    m_echoes.OnReceived(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (!bytes.isEmpty())
        m_lastReceived = NowMs();
    return FromLine(bytes);
}

void CCommLink::OnCommEvent()
{
    const short event = GetCommEvent();
    if (event == comEvSend) {
        if (GetOutBufferCount() == 0)
            NoteOutputEmpty();
        return;
    }
    if (event == comEvReceive) {
        m_lastActivity = NowMs();
        const std::string text = ReadInput();
        if (m_linkState != linkstate::SystemConfig)
            Host().AppendMonitorText(text);
        m_rxBuffer += text;
        SplitReceived();
        return;
    }
    const char* text = nullptr;
    switch (event) {
    case comEventBreak: text = "Break error"; break;
    case comEventCTSTO: text = "CTS timeout error"; break;
    case comEventDSRTO: text = "DSR timeout error"; break;
    case comEventFrame: text = "Framing error"; break;
    case comEventOverrun: text = "MSCOMM Overrun error"; break;
    case comEventCDTO: text = "CD timeout error"; break;
    case comEventRxOver: text = "RX overrun error"; break;
    case comEventRxParity: text = "RX parity error"; break;
    case comEventTxFull: text = "TX full error"; break;
    default: return;  // send events, line-state events
    }
    // An error that took the port with it (the device hung up): everything
    // that runs over the line stops before the user is told, so no timer
    // keeps feeding a dead port while the message is open.
    if (!GetPortOpen() && (m_connected || m_doc))
        OnLineLost();
    ShowMessage(Tr(kComError) + StrFormat("( %s )", text), mb::IconStop);
    ReportLostClosingLines();
}

void CCommLink::SplitReceived()
{
    // What a received line makes the project or a window say waits until
    // the lines at hand are handled: the port hands nothing more to a
    // handler that is still running, so a box opened here would keep the
    // device's next answers unread while the user reads it (an upload would
    // then take the device for silent and lose them). The boot loader's
    // dialogue goes on from its own messages: they stay where they are.
    std::optional<CMessageHold> hold;
    if (m_linkState != linkstate::FirmwareLoad)
        hold.emplace();
    size_t p;
    while ((p = m_rxBuffer.find('\r')) != std::string::npos) {
        const std::string line = TrimLeft(m_rxBuffer.substr(0, p));
        if (StartsWith(line, ";") || StartsWith(line, "ISP")) {
            // Comments and status output: dropped, and the splitting pauses.
            // The complete lines behind them are split from the event loop,
            // so none is left unread when nothing more arrives.
            m_rxBuffer = TrimLeft(m_rxBuffer.substr(p));
            if (m_rxBuffer.find('\r') != std::string::npos)
                PostSplit(0);
            break;
        }
        // A " ? " is the device's mark of a command it did not understand;
        // the line being split off counts as well as those behind it.
        if (m_rxBuffer.find(" ? ") != std::string::npos)
            m_queryMark = true;
        if (line.find(" ? ") != std::string::npos) {
            ++m_refusedCount;
            m_lastRefused = Trim(line);
            if (m_firstRefused.empty())
                m_firstRefused = m_lastRefused;
        }
        m_rxBuffer = TrimLeft(m_rxBuffer.substr(p));
        if (m_counting && !line.empty())
            CountReceived(line);
        if (!line.empty())
            OnReceiveLine(line);
        if (m_linkState == linkstate::BlockRequest)
            m_answers.push_back(line);
    }
    if (m_linkState == linkstate::BlockRequest)
        DeliverAnswers();
    if (hold)
        for (CMessageHold::Message& m : hold->Take())
            ShowWhenLineHandled(std::move(m));
}

void CCommLink::ShowWhenLineHandled(CMessageHold::Message message)
{
    m_waitingMessages.push_back(std::move(message));
    PostWaitingMessages(0);
}

void CCommLink::PostWaitingMessages(int ms)
{
    if (m_messagesPosted)
        return;
    m_messagesPosted = true;
    QTimer::singleShot(ms, this, [this] {
        m_messagesPosted = false;
        // Not while a waiting caller holds the receive events back: the box
        // would hold them for as long as it is open.
        if (GetRThreshold() == 0) {
            PostWaitingMessages(10);
            return;
        }
        // One box at a time, in the order they were said; what comes while
        // one is open follows it.
        if (m_showingMessages)
            return;
        m_showingMessages = true;
        const QPointer<CCommLink> self(this);
        while (self && !m_waitingMessages.empty()) {
            const CMessageHold::Message m = std::move(m_waitingMessages.front());
            m_waitingMessages.pop_front();
            ShowMessageWithDetail(m.text, m.detail, m.type);
        }
        if (self)
            m_showingMessages = false;
    });
}

void CCommLink::PostSplit(int ms)
{
    if (m_splitPosted)
        return;
    m_splitPosted = true;
    QTimer::singleShot(ms, this, [this] {
        m_splitPosted = false;
        // Not while a waiting caller reads the input itself.
        if (GetRThreshold() == 0)
            PostSplit(10);
        else
            SplitReceived();
    });
}

ILinkAnswerSink* CCommLink::GetRequestReply() const
{
    if (m_linkState != linkstate::BlockRequest || m_request.replyAlive.expired())
        return nullptr;
    return m_request.reply;
}

void CCommLink::EndRequestOf(const ILinkAnswerSink* asker)
{
    if (m_linkState == linkstate::BlockRequest && m_request.reply == asker)
        SetLinkState(linkstate::Online);
}

void CCommLink::DeliverAnswers()
{
    if (m_answers.empty() || !m_request.reply || m_request.replyAlive.expired())
        return;
    m_request.reply->OnLinkAnswer(m_request.param, m_answers);
}

void CCommLink::OnReceiveLine(const std::string& received)
{
    // A log that stopped taking lines keeps the ones that come meanwhile
    // for the moment it takes them again.
    if (m_log.IsOpen() || m_log.HoldsWaitingLines())
        WriteLog(received + "\r\n");
    std::string line = Trim(received);
    const size_t comment = line.find(';');
    if (comment != std::string::npos)
        line = TrimRight(line.substr(0, comment));
    if (line.empty())
        return;
    RouteLine(line);
}

void CCommLink::RouteLine(const std::string& line)
{
    switch (m_linkState) {
    case linkstate::FirmwareLoad: {
        const std::string upper = Upper(line);
        if (StartsWith(upper, "*"))
            OnFirmwareLine(upper);
        break;
    }
    case linkstate::SystemConfig:
        Host().SystemConfigLine(line, m_linkState);
        break;
    case linkstate::Online:
    case linkstate::Upload:
        if (!m_doc)
            break;
        if (m_linkState == linkstate::Upload && line.back() == '?')
            break;  // the echo of a query
        if (line[0] == '/') {
            try {
                m_doc->DispatchAnswerLine(line, m_errFileName, m_linkState);
            } catch (const std::exception& e) {
                NoteErrorFileFailure(e);
            }
        } else if ((line[0] >= '0' && line[0] <= '9') || line[0] == '-') {
            m_doc->IgnoreLine(line);
        }
        break;
    default:
        break;  // shown only; block-request answers go through the answer list
    }
}

void CCommLink::WriteLog(const std::string& text)
{
    const QByteArray bytes = ToLine(text);
    if (m_log.Append(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))) || !m_log.TakeNewFailure())
        return;
    // Told once, after the line that failed has been handled: a box must not
    // stop the receiving in the middle of a line.
    ShowWhenLineHandled(
        {FileNotWrittenText(m_log.Path(), m_log.Reason()) + "\n" + LinesKeptText(), {}, mb::IconExclamation});
}

void CCommLink::CloseLog()
{
    const size_t lost = m_log.Close();
    if (lost > 0)
        ShowMessage(LinesLostText(m_log.Path(), lost, m_log.Reason()), mb::IconExclamation);
}

// ==================================================================== queries

std::string CCommLink::QueryValue(const std::string& key, int waitMs)
{
    const std::string lead = key + " ";
    for (const std::string& line : TrimmedLines(Query(lead + "?", waitMs))) {
        const size_t at = line.find(lead);
        if (at == std::string::npos)
            continue;
        std::string value = Trim(line.substr(at + lead.size()));
        if (!value.empty() && value != "?")
            return value;
    }
    return {};
}

std::string CCommLink::Query(const std::string& line, int waitMs)
{
    Host().SetWaitCursor(true);
    SendLine(line, m_doc);
    // The answer time starts when the query has left, not when it was queued
    // behind other output.
    WaitUntilSent();
    Sleep(waitMs);
    std::string text;
    if (GetInBufferCount() != 0) {
        text = ReadInput();
        Host().AppendMonitorText(text);
        SetInBufferCount(0);
    }
    Host().SetWaitCursor(false);
    return text;
}

std::string CCommLink::QueryUntilLineEnd(const std::string& line, int timeoutMs)
{
    Host().SetWaitCursor(true);
    SendLine(line, m_doc);
    WaitUntilSent();
    const std::string echo = line + "\r\n";
    std::string text;
    for (int elapsed = 0; elapsed < timeoutMs; elapsed += 250) {
        Sleep(250);
        if (GetInBufferCount() != 0) {
            const std::string got = ReadInput();
            Host().AppendMonitorText(got);
            SetInBufferCount(0);
            text += got;
            RemoveAll(text, echo);
            if (text.find('\r') != std::string::npos) {
                Host().SetWaitCursor(false);
                return Trim(text);
            }
        }
    }
    Host().SetWaitCursor(false);
    return text;
}

bool CCommLink::SendAndCollect(const std::vector<std::string>& lines, std::vector<std::string>* answers)
{
    if (lines.empty())
        return true;
    const short savedR = GetRThreshold();
    SetRThreshold(0);
    SetSThreshold(0);
    auto restore = [&] {
        SetSThreshold(1);
        SetRThreshold(savedR ? savedR : 1);
    };
    Sleep(250);
    SetInBufferCount(0);

    int64_t start = NowMs();
    while (GetOutBufferCount() != 0) {
        if ((NowMs() - start) / 1000 > 5) {
            restore();
            return false;
        }
        Sleep(10);
    }
    for (const std::string& line : lines)
        Write(ToLine(WithoutControlChars(line) + "\r\n"));
    m_lastSentPath.clear();
    start = NowMs();
    int last = GetOutBufferCount();
    while (GetOutBufferCount() != 0) {
        const int count = GetOutBufferCount();
        if (count != last) {
            last = count;
            start = NowMs();
        } else if ((NowMs() - start) / 1000 > 5) {
            restore();
            return false;
        }
        Sleep(10);
    }
    Sleep(750);
    std::string text = ReadInput();
    Host().AppendMonitorText(text);
    if (answers) {
        // Line by line: the echoes of the sent lines and repeated answers are
        // dropped whole, empty parts skipped; a last piece without a line end
        // is an answer as well.
        std::vector<std::string> seen;
        for (const std::string& line : lines) {
            const std::string echo = Trim(line);
            if (!echo.empty())
                seen.push_back(echo);
        }
        for (size_t begin = 0, end = 0; begin < text.size(); begin = end + 1) {
            end = std::min(text.find_first_of("\r\n", begin), text.size());
            const std::string raw = TrimLeft(text.substr(begin, end - begin));
            std::string answer = Trim(raw);
            if (answer.empty())
                continue;
            // "PATH ? " is the device's word for a line it did not understand:
            // trimmed it would pass for the echo of the query, and the caller
            // would miss an answer. It keeps its blank.
            if (raw.size() > answer.size() && answer.size() >= 2 && answer.compare(answer.size() - 2, 2, " ?") == 0)
                answer += ' ';
            if (std::find(seen.begin(), seen.end(), answer) != seen.end())
                continue;
            seen.push_back(answer);
            answers->push_back(answer);
        }
    }
    restore();
    return true;
}

bool CCommLink::SendBlock(const std::vector<std::string>& lines, bool expectAnswers, int tag, ILinkAnswerSink* reply,
                          intptr_t param)
{
    (void)expectAnswers;
    return !IsHeldByTransfer() && SendBlockNow(lines, tag, reply, param);
}

bool CCommLink::SendHeldBlock(const std::vector<std::string>& lines, ILinkAnswerSink* reply)
{
    return SendBlockNow(lines, 0, reply, 0);
}

bool CCommLink::SendBlockNow(const std::vector<std::string>& lines, int tag, ILinkAnswerSink* reply, intptr_t param)
{
    std::string block;
    for (const std::string& line : lines)
        block += WithoutControlChars(line) + "\r\n";
    const QByteArray bytes = ToLine(block);  // counted as the characters on the line
    if (bytes.size() > 512)
        return false;
    if (m_linkState == linkstate::Upload || m_linkState == linkstate::Download) {
        // The state stays with what set it (an export keeps its download
        // state and its macro lock lines): the request goes out all the same.
        Write(bytes);
        m_lastSentPath.clear();
        if (m_counting)
            CountSent(FromLine(bytes));
        return true;
    }
    if (m_linkState != linkstate::BlockRequest) {
        SetLinkState(linkstate::BlockRequest);
        m_request.tag = tag;
        m_request.reply = reply;
        m_request.replyAlive = reply ? reply->AliveToken() : std::weak_ptr<void>();
        m_request.param = param;
    }
    m_answers.clear();
    Write(bytes);
    m_lastSentPath.clear();
    return true;
}

// ==================================================================== port

void CCommLink::ConfigurePort()
{
    if (m_modemMode) {
        const std::string name = ProfileString("Configuration", "ModemName", "");
        m_portNumber = CModemInfo().GetModemComPortByName(QString::fromStdString(name));
    } else {
        m_portNumber = ProfileInt("COMSECTION", "PORT", 1) + 1;
    }
    SetCommPort(static_cast<short>(m_portNumber));
    SetSettings(QStringLiteral("19200,n,8,1"));
    SetDTREnable(true);
    SetRTSEnable(true);
    SetHandshaking(comXOnXoff);
    SetRThreshold(1);
    SetSThreshold(1);
    SetOutBufferSize(1024);
    m_lastActivity = 0;
    m_rxBuffer.clear();
    // Lines a device of an earlier connection never echoed are not awaited
    // from this one.
    m_echoes.Forget();
}

void CCommLink::ClosePort()
{
    Host().ShowProtocolMonitor(false);
    // The last lines reach the device before the port closes.
    WaitUntilSent();
    if (GetPortOpen() && GetOutBufferCount() != 0) {
        // The device takes nothing more (it holds XOFF): what it holds back is
        // dropped, so closing does not wait for it.
        SetOutBufferCount(0);
    }
    // Closing lines of a download that had not left by now never will.
    m_closingLinesLost = m_closingLinesLost || m_closingLinesPending;
    m_closingLinesPending = false;
    m_counting = false;
    SetPortOpen(false);
    m_connectionEnded = m_connectionEnded || m_connected;
    m_connected = false;
    if (m_doc) {
        m_doc->SetConnected(0);
        m_doc = nullptr;
    }
    CloseLog();
    m_portNumber = ProfileInt("COMSECTION", "PORT", 1) + 1;
    m_modemMode = false;
    m_loaderWatch.stop();
    m_rxBuffer.clear();
    m_outputStalled = false;
    // What this connection told of its device does not hold for the next.
    m_incompleteDownloads.clear();
    m_deviceUnknown = false;
    ++m_sessionEnds;
    SetConnectedText();
    if (!m_deferCloseReport)
        ReportLostClosingLines();
}

void CCommLink::OnSelectComPort(int id)
{
    if (id < commid::ComPort1 || id > commid::ComPort4)
        return;
    m_portNumber = id - commid::ComPort1 + 1;
    WriteProfileInt("COMSECTION", "PORT", m_portNumber - 1);
}

void CCommLink::OnUpdateSelectComPort(CCmdUI& ui) const
{
    const int id = static_cast<int>(ui.m_nID);
    bool enable = !m_connected;
    if (id == commid::ComControl && CModemInfo().GetModemCount() == 0)
        enable = false;
    ui.Enable(enable);
    ui.SetCheck(id == commid::ComPort1 + ProfileInt("COMSECTION", "PORT", 1) ? 1 : 0);
}

std::string CCommLink::GetStatusText() const
{
    // The project's name: the title without the mark of unsaved changes.
    if (m_doc)
        return Tr(QT_TRANSLATE_NOOP("CCommLink", "Projekt '")) + m_doc->GetProjectName()
               + Tr(QT_TRANSLATE_NOOP("CCommLink", "' mit QUILLOMER verbunden !"));
    return Tr(QT_TRANSLATE_NOOP("CCommLink", "               Kein Projekt mit QUILLOMER verbunden.          "));
}

void CCommLink::SetConnectedText()
{
    Host().SetConnectionText(GetStatusText());
}

// ==================================================================== connection

void CCommLink::OnDocumentRenamed(CQuillomerDoc* doc)
{
    if (doc && doc == m_doc)
        SetConnectedText();
}

void CCommLink::OnDocumentClosing(CQuillomerDoc* doc, bool closing)
{
    if (closing && doc && doc == m_doc && m_connected)
        OnDisconnect();
}

void CCommLink::BindOpenPort(CQuillomerDoc* doc)
{
    m_doc = doc;
    m_connected = GetPortOpen();
    m_linkState = linkstate::Online;
    if (m_doc)
        m_doc->SetConnected(1);
    SetConnectedText();
}

void CCommLink::OnConnectModem()
{
    WriteProfileInt("Configuration", "Modem", 1);
    m_modemMode = true;
    OnConnect();
}

void CCommLink::OpenLog()
{
    const std::string workDir = ProfileString("Settings", "WorkDirectory", "");
    std::string name = "QUILLOMER.log";
    if (m_doc)
        name = m_doc->GetLogFileName();
    if (name.empty() && m_doc) {
        name = UnsavedSideBase(m_doc);
        if (name.find(".qlx") == std::string::npos)
            name += ".log";
    } else if (!workDir.empty() && QFileInfo(QString::fromStdString(name)).isRelative()) {
        name = workDir + "/" + name;
    }
    const std::string reason = m_log.Open(name);
    if (!reason.empty()) {
        ShowMessage(Tr(kLogFailed) + "\n" + FileNotWrittenText(name, reason), mb::IconInformation);
        return;
    }
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    const std::string stamp = locale.toString(now.date(), QLocale::ShortFormat).toStdString() + " "
                              + now.time().toString(QStringLiteral("HH:mm")).toStdString();
    WriteLog(";\r\n;Beginn neue Übertragung: " + stamp + "\r\n");
}

std::string CCommLink::UnsavedSideBase(CQuillomerDoc* doc)
{
    const std::string workDir = ProfileString("Settings", "WorkDirectory", "");
    std::string project = doc->GetTitle();
    project = project.substr(0, project.find(' '));
    return (workDir.empty() ? std::string() : workDir + "/") + project;
}

void CCommLink::OnConnect()
{
    m_queryMark = false;
    CQuillomerDoc* active = GetActiveDoc();
    if (!active)
        return;
    if (m_doc)
        m_doc->SetConnected(0);
    m_doc = active;
    const int stay = ProfileInt("Configuration", "StayOnline", 0);
    const bool wasConnected = m_connected;
    if (!m_connected) {
        ConfigurePort();
        if (!SetPortOpen(true)) {
            // The real reason: a device the user may not open, one another
            // program holds, one that is not there.
            const QString path = DevicePathForPort(m_portNumber);
            const SerialPortList::Access access = SerialPortList::MissingAccess(path);
            auto tr = [](const char* text) { return QCoreApplication::translate("CCommLink", text); };
            if (!access.groupToJoin.isEmpty())
                ShowMessage(tr(kPortNoAccess).arg(path, access.groupToJoin).toStdString(), mb::IconStop);
            else if (access.refused)
                ShowMessage(tr(kPortNoPermission).arg(path).toStdString(), mb::IconStop);
            else if (GetOpenFailure() == OpenFailure::InUse)
                ShowMessage(Tr(kPortBusy), mb::IconInformation);
            else if (GetOpenFailure() == OpenFailure::NoDevice)
                ShowMessage(tr(kPortMissing).arg(m_portNumber).arg(path).toStdString(), mb::IconStop);
            else
                ShowMessage(tr(kPortNotOpened).arg(m_portNumber).arg(path, GetLastError().remove(path + QStringLiteral(": ")))
                                .toStdString(),
                            mb::IconStop);
            m_doc = nullptr;  // not connected: nothing is bound
            m_modemMode = false;
            SetConnectedText();
            return;
        }
    } else if (stay == 0) {
        OnDisconnect();
        return;
    }
    m_doc->SetConnected(1);
    SetConnectedText();
    // The device may hang up while the notice is open or during the wake-up:
    // the connection is then over and nothing more is asked of it.
    const unsigned session = m_sessionEnds;

    ShowOnlineNoticeIfDue();
    if (SessionEndedSince(session))
        return;

    Host().SetWaitCursor(true);
    m_connected = true;
    m_connectionEnded = false;
    m_linkState = linkstate::Online;
    CloseLog();
    OpenLog();
    if (ProfileInt("Configuration", "KVT Registry", 0) & 0x20) {
        Host().ShowProtocolMonitor(true);
        ClearLastSentPath();
    }
    if (wasConnected) {
        Host().SetWaitCursor(false);
        return;
    }
    if (m_modemMode && !Dial()) {
        Host().SetWaitCursor(false);
        return;
    }

    // Wake the command interpreter up.
    SendLine("/\r\n\x03\r\ne\r\nPROMPT ON\r\n/COMM/PROMPT ON\r\n", nullptr);
    for (int i = 0; i < 20; ++i) {
        SetInBufferCount(0);
        Sleep(100);
    }
    Host().ClearProtocolMonitor();
    SendLine("?", nullptr);
    Sleep(300);
    std::string reply;
    if (GetInBufferCount() != 0) {
        reply = ReadInput();
        Host().AppendMonitorText(reply);
        SetInBufferCount(0);
    }
    if (SessionEndedSince(session)) {
        Host().SetWaitCursor(false);
        return;
    }
    reply = Trim(Upper(reply));
    const std::string tail = Last(reply, 12);
    if (tail == "COMM/PROMPT>") {
        SetRThreshold(1);
        SetSThreshold(1);
        SetupSession();
    } else if (tail == kLoaderPrompt) {
        SetRThreshold(1);
        SetSThreshold(1);
        m_linkState = linkstate::FirmwareLoad;
        Host().SetWaitCursor(false);
        if (ShowMessage(Tr(kBootMode), mb::YesNo | mb::IconQuestion | mb::DefButton2) == mb::IdYes) {
            OnLoadFirmware();
        } else {
            StartSystem();
        }
    } else if (reply.empty()) {
        Host().SetWaitCursor(false);
        ShowMessage(Tr(kNoReaction), mb::IconStop);
        OnDisconnect();
    } else {
        const std::string answer = Query("?", 1000);
        if (answer.find("PROTECT") != std::string::npos) {
            SetupSession();
            PumpMessages();
            Sleep(1000);
            PumpMessages();
            SetRThreshold(1);
            SetSThreshold(1);
        } else {
            Host().SetWaitCursor(false);
            ShowMessage(Tr(kUnknownDevice), mb::IconInformation);
            m_deviceUnknown = true;
            OnDisconnect();
        }
    }
    Host().SetWaitCursor(false);
}

void CCommLink::ShowOnlineNoticeIfDue()
{
    // 1: every time; 0: never; above 1: a connect counter that shows the
    // notice every twentieth time (19, 39, ...) and keeps counting while the
    // user leaves the interval choice ticked.
    const int counter = ProfileInt("KVT7000", "OnlineCounter", 1);
    // At the end of its range the count starts again: a counter that ran over
    // would turn negative and hide the notice for good.
    const int next = counter < std::numeric_limits<int>::max() ? counter + 1 : 2;
    if (counter == 1 || (counter > 1 && counter % 20 == 19)) {
        Host().ShowOnlineNotice();
        if (counter > 1 && ProfileInt("KVT7000", "OnlineCounter", 1) == 2)
            WriteProfileInt("KVT7000", "OnlineCounter", next);
    } else if (counter > 1) {
        WriteProfileInt("KVT7000", "OnlineCounter", next);
    }
}

bool CCommLink::Dial()
{
    SetRThreshold(0);
    SetSThreshold(0);
    const QString modem = QString::fromStdString(ProfileString("Configuration", "ModemName", ""));
    QStringList init;
    CModemInfo().BuildInitCommands(modem, init);
    std::string answers;
    bool dial = true;
    for (const QString& entry : init) {
        std::string command = entry.toStdString();
        RemoveAll(command, "<cr>");
        RemoveAll(command, "\r");
        RemoveAll(command, "\n");
        answers += QueryUntilLineEnd(command, 1000);
    }
    if (answers == "?") {
        if (ShowMessage(Tr(kDialFailed), mb::OkCancel) == mb::IdCancel) {
            ClosePort();
            return false;
        }
        dial = false;
    }
    if (dial && !EndsWith(answers, "OK")) {
        if (ShowMessage(Tr(kModemSilent), mb::OkCancel) == mb::IdCancel) {
            ClosePort();
            return false;
        }
    }
    if (!dial)
        return true;

    std::string number = m_doc ? m_doc->m_data.systemCallNumber : std::string();
    if (number.empty())
        number = ProfileString("Configuration", "CallNumber", "0");
    number = WithoutControlChars(number);
    std::unique_ptr<IProgress> progress = Host().CreateProgress(ProgressKind::Plain, "Verbinden");
    progress->SetPercentFormat("%d s");
    progress->SetStatus(Tr(QT_TRANSLATE_NOOP("CCommLink", "Wähle")) + " " + number + "...");
    progress->SetRange(0, 60);
    SendLine("atd " + number + " ", nullptr);
    std::string collected;
    for (int seconds = 0; seconds < 60; ++seconds) {
        Sleep(1000);
        collected += ReadInput();
        if (collected.find("CONNECT") != std::string::npos)
            return true;
        for (const char* word : {"NO DIALTONE", "NO CARRIER", "BUSY", "ERROR"}) {
            if (collected.find(word) != std::string::npos) {
                progress.reset();
                ShowMessage(word);
                SetDTREnable(false);
                ClosePort();
                return false;
            }
        }
        if (progress->CheckCancelButton()) {
            progress.reset();
            SendLine("ATH", nullptr);
            SetDTREnable(false);
            ClosePort();
            return false;
        }
        progress->SetPos(seconds + 1);
    }
    progress.reset();
    ShowMessage(Tr(kDialFailed), mb::Ok);
    return true;
}

void CCommLink::SetupSession()
{
    // A hang-up in the middle leaves the stored device facts as they were.
    const unsigned session = m_sessionEnds;
    std::string answer = Query("/PROTECT ?\r\n", 500);
    if (SessionEndedSince(session))
        return;
    m_protectEcho = EchoesProtectQuery(answer);
    if (answer.find("ON") != std::string::npos) {
        m_protectionWasOn = true;
        if (!Host().RunLogin(*this, 1)) {
            OnDisconnect();
            return;
        }
    } else {
        m_protectionWasOn = false;
    }
    const std::string dateWord = DateFormatWord();

    answer = Query("/COMM/PROMPT OFF\r\n/COMM/ECHO OFF\r\n/SERVICE/ACCESS/TIME ?\r\n/SERVICE/ACCESS/DATE ?", 400);
    if (SessionEndedSince(session))
        return;
    WriteProfileString("KVT7000", "Last access time", ValueAfter(answer, "/SERVICE/ACCESS/TIME "));
    WriteProfileString("KVT7000", "Last access date", ValueAfter(answer, "/SERVICE/ACCESS/DATE "));

    SendLine("/COMM/ECHO ON", nullptr);
    answer = Query("/COMM/ECHO ?", 500);
    if (SessionEndedSince(session))
        return;
    WriteProfileInt("KVT7000", "Echo On", AnswerValue(answer, "/COMM/ECHO") == "ON" ? 1 : 0);
    answer = Query("/COMM/PROMPT ?", 500);
    if (SessionEndedSince(session))
        return;
    WriteProfileInt("KVT7000", "Prompt On", AnswerValue(answer, "/COMM/PROMPT") == "ON" ? 1 : 0);
    answer = Query("/SERVICE/DEVICE ?", 500);
    if (SessionEndedSince(session))
        return;
    WriteProfileString("KVT7000", "Device Id", AnswerValue(answer, "/SERVICE/DEVICE"));

    answer = Query("/SERVICE/VER ?", 500);
    if (SessionEndedSince(session))
        return;
    const std::string version = VersionFromAnswer(answer);
    if (!version.empty()) {
        WriteProfileString("KVT7000", "OS Version", version);
        StoreCapabilities(version);
        const bool upgraded = EndsWith(version, "a");
        if (m_doc && (upgraded == (m_doc->m_data.deviceVariant == 0)))
            ShowMessage(Tr(kVariantMismatch), mb::Ok);
    }
    SendLine("/CLOCK/DATEFORMAT " + dateWord + "\r\n/COMM/PROMPT OFF\r\n/COMM/ECHO ON", nullptr);
}

std::string CCommLink::DateFormatWord()
{
    return QLocale::system().language() == QLocale::German ? "GERMAN" : "US";
}

std::string CCommLink::VersionFromAnswer(const std::string& answer)
{
    const size_t v = answer.find(" V");
    const size_t rel = answer.find("rel");
    if (v == std::string::npos || rel == std::string::npos || rel < v + 3)
        return {};
    return answer.substr(v + 1, rel - 1 - (v + 1));
}

void CCommLink::StoreCapabilities(const std::string& version)
{
    for (const Capability& c : kCapabilities)
        WriteProfileInt("KVT7000", c.name, version.compare(c.limit) >= 0 ? 1 : 0);
}

void CCommLink::OnDisconnect()
{
    SetRThreshold(0);
    // A boot loader knows none of the operating system's commands; while it
    // listens (at its prompt, erasing or taking records) they would only
    // reach it as broken records. Then the line is just released.
    const bool loaderListens = m_linkState == linkstate::FirmwareLoad && m_firmwareStep != 3;
    m_loaderWatch.stop();
    if (!loaderListens) {
        std::string answer = Query("/COMM/ECHO OFF\r\n/CLOCK/MAIN/TIME ?\r\n/CLOCK/MAIN/DATE ?", 800);
        const std::string time = Trim(WithoutControlChars(ValueAfter(answer, "/CLOCK/MAIN/TIME ")));
        const std::string date = Trim(WithoutControlChars(ValueAfter(answer, "/CLOCK/MAIN/DATE ")));
        // The device's stored last access is overwritten only with a clock
        // it gave in time: a late, missing or refused answer leaves it as it was.
        auto read = [](const std::string& value) { return !value.empty() && value.find('?') == std::string::npos; };
        if (read(time) && read(date))
            SendLine("/SERVICE/ACCESS/DATE " + date + "\r\n/SERVICE/ACCESS/TIME " + time + "\r\n/COMM/ECHO ON",
                     nullptr);
        else
            SendLine("/COMM/ECHO ON", nullptr);
        SendLine(m_password, nullptr);
        if (MaySaveOnDisconnect())
            OnSaveDeviceSettings();
        Sleep(1000);
        if (m_protectionWasOn) {
            answer = Query("/PROTECT ?\r\n", 1000);
            if (LastWord(answer) == "OFF" && !m_removeProtection) {
                const std::string password = TrimRight(m_password);
                SendLine("/PROTECT ON", nullptr);
                SendLine(password, nullptr);
                SendLine(password, nullptr);
                answer = Query("/PROTECT ?\r\n", 750);
                if (LastWord(answer) == "OFF")
                    ShowMessage(Tr(kProtectFailed), mb::Ok);
            }
        }
        Sleep(250);
    }
    if (m_modemMode) {
        SetRThreshold(0);
        SetSThreshold(0);
        SetDTREnable(false);
        Sleep(1000);
        const std::string answer = QueryUntilLineEnd("ATH", 3000);
        if (!EndsWith(answer, "OK") && answer.find("NO CARRIER") == std::string::npos)
            ShowMessage(Tr(kHangupFailed), mb::OkCancel);
        SetRThreshold(1);
        SetSThreshold(1);
    }
    // Nothing of this connection survives it.
    m_cancelledWhileErasing = false;
    m_password.clear();
    m_protectionWasOn = false;
    m_removeProtection = false;
    Host().ShowProtocolMonitor(false);
    ClosePort();
}

bool CCommLink::MaySaveOnDisconnect()
{
    if (m_deviceUnknown)
        return false;
    if (m_incompleteDownloads.empty())
        return true;
    return ShowMessage(LoadStringId(IDS_SAVE_INCOMPLETE_ASK), mb::YesNo | mb::IconQuestion | mb::DefButton2) ==
           mb::IdYes;
}

void CCommLink::NoteIncompleteDownload(const std::string& what)
{
    if (std::find(m_incompleteDownloads.begin(), m_incompleteDownloads.end(), what) == m_incompleteDownloads.end())
        m_incompleteDownloads.push_back(what);
}

void CCommLink::NoteCompleteDownload(const std::string& what)
{
    // The whole download sends the whole configuration and saves it.
    if (what.empty())
        m_incompleteDownloads.clear();
    else
        m_incompleteDownloads.erase(std::remove(m_incompleteDownloads.begin(), m_incompleteDownloads.end(), what),
                                    m_incompleteDownloads.end());
}

void CCommLink::OnLineLost()
{
    EndTextFile();
    if (m_firmware->IsOpen())
        m_firmware->CloseAsCancelled();
    m_firmwareStep = 1;
    m_cancelledWhileErasing = false;
    m_password.clear();
    m_protectionWasOn = false;
    m_removeProtection = false;
    // The caller tells of the hang-up first, then of what it cost.
    m_deferCloseReport = true;
    ClosePort();
    m_deferCloseReport = false;
    m_linkState = linkstate::Idle;
}

// ==================================================================== transfers

std::string CCommLink::TextFileName(CQuillomerDoc* doc) const
{
    if (!doc)
        return {};
    std::string name = doc->GetTitle();
    name = name.substr(0, name.find(' '));
    name = name.substr(0, name.find('.'));
    return name + ".txt";
}

std::string CCommLink::TextFilePath(CQuillomerDoc* doc) const
{
    const std::string name = TextFileName(doc);
    if (!doc || doc->GetPathName().empty())
        return name;
    return QFileInfo(QString::fromStdString(doc->GetPathName())).dir().filePath(QString::fromStdString(name)).toStdString();
}

bool CCommLink::AskCancel()
{
    return ShowMessage(Tr(kAskCancel), mb::YesNo) == mb::IdYes;
}

bool CCommLink::WaitOutputEmpty(IProgress* progress)
{
    while (GetOutBufferCount() != 0) {
        // Once the user has cancelled the transfer, no wait stands for output
        // the device holds back (its XOFF): the lines go when it lets go.
        if (m_transferCancelled)
            return false;
        if (progress && progress->CheckCancelButton() && AskCancel()) {
            m_transferCancelled = true;
            return false;
        }
        WaitForWire(QEventLoop::AllEvents);
    }
    NoteOutputEmpty();
    return true;
}

void CCommLink::WaitForLastAnswers(IProgress& progress, unsigned session)
{
    while (!SessionEndedSince(session)) {
        // Once the user has cancelled, output the device holds back is no
        // activity: only what comes from the device keeps the wait going.
        const int64_t idle = m_transferCancelled ? NowMs() - m_lastActivity : GetLinkIdleTime();
        if (idle > 1000)
            return;
        if (progress.CheckCancelButton() && AskCancel()) {
            m_transferCancelled = true;
            return;
        }
        Breathe(10);
    }
}

bool CCommLink::WaitForEchoes(IProgress& progress, unsigned session)
{
    // A short download into a device that had fallen silent before it began
    // is over before the silence shows: its end waits for the echo as well.
    while (!SessionEndedSince(session) && EchoAwaited() && !m_transferEchoes.empty()) {
        if (EchoStalled())
            return false;
        if (progress.CheckCancelButton() && AskCancel()) {
            m_transferCancelled = true;
            return true;
        }
        Breathe(10);
    }
    return true;
}

bool CCommLink::EchoStalled()
{
    if (!EchoAwaited() || m_transferEchoes.empty() || !GetPortOpen())
        return false;
    // A line still on its way (also one the device holds back with its XOFF,
    // which has its own wait) cannot have been echoed yet.
    const auto waiting = static_cast<uint64_t>(std::max(0, GetOutBufferCount()));
    if (m_charsSent - std::min(waiting, m_charsSent) < m_transferEchoes.front().end)
        return false;
    if (m_leftLine != m_linesEchoed + 1) {
        m_leftLine = m_linesEchoed + 1;
        m_leftLineMs = NowMs();
    }
    return NowMs() - std::max(m_leftLineMs, m_lastReceived) > kAnswerWaitMs;
}

void CCommLink::CountSent(const std::string& text)
{
    for (std::string& line : TrimmedLines(text)) {
        // The echo of a comment (a text file's) is dropped unread: none is awaited.
        if (StartsWith(line, ";") || StartsWith(line, "ISP"))
            continue;
        if (line.back() == '?')
            ++m_uploadQueries;
        m_transferEchoes.push_back({std::move(line), m_barPlace, m_charsSent});
        ++m_linesSent;
    }
}

void CCommLink::CountReceived(const std::string& line)
{
    // The device echoes a line before it answers it, so the received line can
    // only echo one of the oldest lines whose echo is missing; older ones
    // whose echo noise spoilt are passed over. Noise or a prompt may stand
    // before the echo of a whole path.
    const std::string text = Trim(line);
    const size_t lookAhead = std::min<size_t>(m_transferEchoes.size(), 32);
    for (size_t k = 0; k < lookAhead; ++k) {
        const std::string& sent = m_transferEchoes[k].text;
        if (text != sent && !(sent[0] == '/' && EndsWith(text, sent)))
            continue;
        m_echoPlace = m_transferEchoes[k].place;
        m_transferEchoes.erase(m_transferEchoes.begin(), m_transferEchoes.begin() + static_cast<std::ptrdiff_t>(k + 1));
        m_linesEchoed += k + 1;
        // What came before the first echo belongs to lines sent before the
        // transfer (the echo of the connection set-up's last lines).
        m_echoSeen = true;
        m_uploadEarlyLines = 0;
        return;
    }
    if (m_echoSeen)
        ++m_uploadAnswers;
    else
        ++m_uploadEarlyLines;
}

void CCommLink::NoteOutputEmpty()
{
    m_closingLinesPending = false;
}

std::string CCommLink::TransferEndText(int mode, TransferStop stop, IProgress& progress) const
{
    std::string text = LoadStringId(mode == 0 ? IDS_DOWNLOAD_INCOMPLETE : IDS_UPLOAD_INCOMPLETE);
    std::string why;
    switch (stop) {
    case TransferStop::Cancelled: why = LoadStringId(IDS_TRANSFER_CANCELLED); break;
    case TransferStop::LineLost: why = LoadStringId(IDS_TRANSFER_LINE_LOST); break;
    case TransferStop::NoAnswer: why = Tr(kNoAnswer); break;
    case TransferStop::Refused: why = StrFormat(Tr(kNotUnderstood).c_str(), m_lastRefused.c_str()); break;
    case TransferStop::Unreadable: why = StrFormat(Tr(kUnreadable).c_str(), m_lastUnreadable.c_str()); break;
    case TransferStop::NoEcho:
        if (mode == 0)
            why = StrFormat(LoadStringId(IDS_DOWNLOAD_NO_ECHO).c_str(), static_cast<int>((kAnswerWaitMs + 999) / 1000));
        else
            why = StrFormat(LoadStringId(IDS_UPLOAD_UNANSWERED).c_str(), std::max(0, m_uploadQueries - m_uploadAnswers),
                            m_uploadQueries);
        break;
    case TransferStop::None: break;
    }
    if (!why.empty())
        text += "\n" + why;
    // How far the device got: the step of the last line it echoed (none: the
    // first object's step 0; from a device without echo, the step the bar
    // reached). The bar is put there as well, so that both name the same step.
    TransferPlace place = EchoAwaited() ? m_echoPlace : m_barPlace;
    if (place.object < 0)
        place = TransferPlace {0, 0};
    if (place.object < static_cast<int>(m_transferObjects.size())) {
        const auto& [name, count] = m_transferObjects[static_cast<size_t>(place.object)];
        const int step = std::clamp(place.step, 0, count);
        progress.SetStatus(Tr(QT_TRANSLATE_NOOP("CCommLink", "Parameter: [")) + name + "]");
        progress.SetRange(0, count);
        progress.SetPos(step);
        text += "\n" + StrFormat(LoadStringId(IDS_TRANSFER_REACHED).c_str(), name.c_str(), step, count);
    }
    return text;
}

void CCommLink::ReportDownloadEnd(TransferStop stop, bool closingQueued, bool closingUnread, IProgress& progress)
{
    const bool held = closingQueued && m_closingLinesPending && GetPortOpen() && GetOutBufferCount() != 0;
    // The disconnect does not save what this message calls incomplete and unsaved.
    if ((!closingQueued || closingUnread) && m_connected)
        NoteIncompleteDownload({});
    else if (stop == TransferStop::None)
        NoteCompleteDownload({});
    if (stop == TransferStop::None && closingQueued && !held)
        return;
    std::string text;
    if (stop != TransferStop::None)
        text = TransferEndText(0, stop, progress);
    uint32_t closing = 0;
    if (!closingQueued)
        closing = IDS_LOCK_RELEASE_NOT_SENT;
    else if (closingUnread)
        closing = IDS_LOCK_RELEASE_UNREAD;
    else if (held)
        closing = IDS_LOCK_RELEASE_HELD;
    if (closing != 0)
        text += (text.empty() ? "" : "\n\n") + LoadStringId(closing);
    ShowMessage(text, mb::IconExclamation);
}

void CCommLink::ReportLostClosingLines()
{
    if (!m_closingLinesLost)
        return;
    m_closingLinesLost = false;
    ShowMessage(LoadStringId(IDS_LOCK_RELEASE_NOT_SENT), mb::IconExclamation);
}

void CCommLink::ReportUploadLineLost(IProgress& progress)
{
    // The serial error has told what happened; this tells what it means: the
    // values the device had answered were compared, the others never were.
    ShowErrorFile();
    ShowMessage(TransferEndText(1, TransferStop::LineLost, progress), mb::IconExclamation);
}

void CCommLink::RunObjectLoop(const std::vector<CBaseDevice*>& objects, int mode, IProgress& progress,
                              unsigned session)
{
    // The device's answers may delete objects of the list while it runs (an
    // entry the device reports free takes the project's object of that
    // number with it): an object is asked for its steps only while it exists.
    std::vector<std::weak_ptr<void>> alive;
    alive.reserve(objects.size());
    for (const CBaseDevice* obj : objects)
        alive.push_back(obj->AliveToken());
    auto stopped = [&](TransferStop why) {
        m_transferStop = why;
        return true;
    };
    // An answer the walk needs that cannot be read: what the device holds is
    // not known, and the transfer ends there, naming it.
    const auto unreadable = [&] { return m_unreadableCount != m_unreadableAtStart; };
    for (size_t k = 0; k < objects.size(); ++k) {
        if (SessionEndedSince(session) && stopped(TransferStop::LineLost))
            return;
        if (unreadable() && stopped(TransferStop::Unreadable))
            return;
        if (alive[k].expired())
            continue;
        CBaseDevice* obj = objects[k];
        const uint64_t refusedBefore = m_refusedCount;
        const int n = obj->GetDownloadLines(mode, -1);
        const std::string name = obj->GetName();
        if (n != 0) {
            progress.SetRange(0, n);
            m_transferObjects.emplace_back(name, n);
            m_barPlace = TransferPlace {static_cast<int>(m_transferObjects.size()) - 1, 0};
        }
        progress.SetStatus(Tr(QT_TRANSLATE_NOOP("CCommLink", "Parameter: [")) + name + "]");
        progress.SetPos(0);
        progress.SetStep(1);
        int i = 0;
        while (i < n) {
            if (!WaitOutputEmpty(&progress) && stopped(TransferStop::Cancelled))
                return;
            if (SessionEndedSince(session) && stopped(TransferStop::LineLost))
                return;
            if (alive[k].expired())
                break;  // the answers that came meanwhile took it
            const int previous = i;
            const uint64_t linesBefore = m_linesSent;
            i = obj->GetDownloadLines(mode, i);
            // The lines of this step take the bar to where the step took it.
            m_barPlace.step = i;
            for (uint64_t l = 0; l < m_linesSent - linesBefore && l < m_transferEchoes.size(); ++l)
                m_transferEchoes[m_transferEchoes.size() - 1 - l].place = m_barPlace;
            if (SessionEndedSince(session) && stopped(TransferStop::LineLost))
                return;
            if (progress.CheckCancelButton() && AskCancel()) {
                m_transferCancelled = true;
                stopped(TransferStop::Cancelled);
                return;
            }
            // A device that no longer echoes what it is sent takes nothing more.
            if (EchoStalled() && stopped(TransferStop::NoEcho))
                return;
            if (unreadable() && stopped(TransferStop::Unreadable))
                return;
            // A block that waits for the device's answer waits no longer than
            // the device may take to answer at all; a device that refused a
            // line and then fell silent will not answer either, and is named
            // for what it did.
            const bool refused = m_refusedCount != refusedBefore;
            if (i == previous && GetLinkIdleTime() > (refused ? kRefusedWaitMs : kAnswerWaitMs)) {
                stopped(refused ? TransferStop::Refused : TransferStop::NoAnswer);
                return;
            }
            progress.SetPos(i);
        }
    }
}

void CCommLink::OnTransferParameters()
{
    m_queryMark = false;
    m_transferCancelled = false;
    m_errFileName.clear();
    ParamSelection selection;
    selection.doc = m_doc;
    selection.direction = 1;
    selection.textFileName = TextFileName(m_doc);
    // A hang-up ends the transfer where it stands: no closing lines go to a
    // dead line and no end-of-transfer message pretends it went well.
    const unsigned session = m_sessionEnds;
    const bool chosen = Host().RunParamSelect(selection);
    // The project's text file goes as it is when the download begins; a line
    // of it the device cannot take is named before anything is sent.
    std::vector<std::string> textLines;
    TextFileRead text = TextFileRead::Nothing;
    if (chosen && selection.direction != 0 && selection.textFile && !SessionEndedSince(session) && m_connected)
        text = ReadTextFileLines(TextFilePath(m_doc), textLines, true);
    if (chosen && (SessionEndedSince(session) || !m_connected)) {
        // The line went while the dialog was open (or before): its OK has
        // nothing to send to or ask, and must not run a bar as if it had.
        ShowMessage(LoadStringId(IDS_ONLINE_ONLY), mb::Ok);
    } else if (chosen && text != TextFileRead::Cancelled) {
        const int mode = selection.direction == 0 ? 1 : 0;
        // Another window that ends its own exchange meanwhile must not take the
        // macro lock off under the download: it is released once, at the end.
        struct DownloadFlag {
            bool& flag;
            ~DownloadFlag() { flag = false; }
        } downloadFlag {m_downloadRunning};
        // Until its end has been told, the transfer has the line to itself.
        struct Hold {
            CCommLink& link;
            ~Hold() { link.ReleaseTransferHold(); }
        } hold {*this};
        HoldForTransfer();
        // Every line from here on is followed until the device echoes it.
        m_counting = true;
        m_transferEchoes.clear();
        m_linesEchoed = 0;
        m_leftLine = 0;
        m_echoSeen = false;
        m_echoOn = ProfileInt("KVT7000", "Echo On", 1) != 0;
        m_uploadQueries = 0;
        m_uploadAnswers = 0;
        m_uploadEarlyLines = 0;
        m_transferObjects.clear();
        m_barPlace = TransferPlace {};
        m_echoPlace = TransferPlace {};
        m_transferStop = TransferStop::None;
        m_unreadableAtStart = m_unreadableCount;
        if (mode == 0) {
            SetLinkState(linkstate::Download);
            m_downloadRunning = true;
        } else {
            SetLinkState(linkstate::Upload);
            if (m_doc)
                ResetErrorFile();
        }
        std::unique_ptr<IProgress> progress = Host().CreateProgress(ProgressKind::Animated, "Einstellungen übertragen");
        RunObjectLoop(selection.objects, mode, *progress, session);
        TransferStop stop = SessionEndedSince(session) ? TransferStop::LineLost : m_transferStop;
        if (mode == 0 && stop == TransferStop::None && !WaitForEchoes(*progress, session))
            stop = TransferStop::NoEcho;
        if (!SessionEndedSince(session)) {
            Sleep(200);
            PumpMessages();
        }
        if (SessionEndedSince(session) && mode == 1) {
            ReportUploadLineLost(*progress);
        } else if (mode == 0) {
            m_counting = false;
            // A device that takes nothing more is sent nothing more.
            bool deviceReads = stop != TransferStop::NoEcho;
            bool closingQueued = false;
            if (text == TextFileRead::Lines && deviceReads && !SessionEndedSince(session) && MayStartTextFile()) {
                if (!SendTextLinesWithProgress(TextFilePath(m_doc), std::move(textLines), true)
                    && !SessionEndedSince(session)) {
                    stop = TransferStop::NoEcho;
                    deviceReads = false;
                } else if (m_transferCancelled && stop == TransferStop::None && m_textSent < m_textTotal) {
                    // Cancelled in the file: the rest of it was not sent, and so the user is told.
                    stop = TransferStop::Cancelled;
                }
            }
            if (!SessionEndedSince(session)) {
                Host().SetWaitCursor(true);
                Sleep(200);
                PumpMessages();
            }
            if (deviceReads && !SessionEndedSince(session)) {
                // Whatever the state became meanwhile (the text file runs in
                // terminal mode, other windows may have set theirs), the
                // download still holds the macro lock: release it exactly once.
                m_downloadRunning = false;
                m_linkState = linkstate::Download;
                // The release and the save are the download's last lines:
                // followed to their echo as every line before them.
                m_counting = stop == TransferStop::None;
                SetLinkState(linkstate::Online);
                SendLine("/SERVICE/START FASTSAVE", nullptr);
                closingQueued = true;
                m_closingLinesPending = true;
                Sleep(1000);
            } else if (!SessionEndedSince(session)) {
                m_downloadRunning = false;
                m_linkState = linkstate::Online;
            }
            Host().SetWaitCursor(false);
            if (!SessionEndedSince(session))
                WaitOutputEmpty(progress.get());
            // A device that fell silent after the last configuration line
            // never took the release and the save: its macros stay locked
            // and its settings unsaved, as when it stops earlier.
            bool closingUnread = false;
            if (m_counting && !m_transferCancelled && !SessionEndedSince(session) && GetOutBufferCount() == 0
                && !WaitForEchoes(*progress, session) && !SessionEndedSince(session)) {
                closingUnread = true;
                stop = TransferStop::NoEcho;
                // Every line before them was read: the device got to the
                // end of the configuration, its steps without a line included.
                if (!m_transferEchoes.empty())
                    m_echoPlace = m_transferEchoes.front().place;
            }
            m_counting = false;
            if (SessionEndedSince(session) && stop == TransferStop::None && !closingQueued)
                stop = TransferStop::LineLost;
            // A download that stopped short leaves the device with part of
            // the configuration: the user must know, and whether the device
            // still holds its macro lock unsaved.
            ReportDownloadEnd(stop, closingQueued, closingUnread, *progress);
        } else {
            // Every query has left the line; the device is done when it has
            // been silent for a second, however long it keeps answering.
            WaitOutputEmpty(progress.get());
            WaitForLastAnswers(*progress, session);
            if (SessionEndedSince(session)) {
                ReportUploadLineLost(*progress);
            } else {
                // Answers a comment line held up are still the upload's.
                SplitReceived();
                m_counting = false;
                // A device without echo: every line that came was an answer.
                if (!m_echoSeen)
                    m_uploadAnswers += m_uploadEarlyLines;
                m_linkState = linkstate::Online;
                ShowErrorFile();
                if (stop == TransferStop::None && m_unreadableCount != m_unreadableAtStart)
                    stop = TransferStop::Unreadable;
                // A cancel after the last query only ends the wait for the
                // last answers: every query went out.
                if (stop == TransferStop::None && m_uploadQueries > m_uploadAnswers && !m_transferCancelled)
                    stop = TransferStop::NoEcho;
                if (stop == TransferStop::None)
                    ShowMessage(Tr(kUploadDone), mb::Ok);
                else
                    ShowMessage(TransferEndText(1, stop, *progress), mb::IconExclamation);
            }
        }
        m_counting = false;
        selection.objects.clear();
    }
    if (m_queryMark) {
        ShowMessage(Tr(kCheckLog), mb::Ok);
        m_queryMark = false;
    }
}

void CCommLink::OnExportWorksheet()
{
    m_export = true;
    RunDownload();
    m_export = false;
}

void CCommLink::RunDownload()
{
    m_errFileName.clear();
    CQuillomerDoc* doc = GetActiveDoc();
    ParamSelection selection;
    selection.doc = doc;
    selection.direction = 1;
    selection.textFileName = TextFileName(doc);
    SetLinkState(linkstate::Download);
    bool writePar = false;
    if (doc && Host().RunParamSelect(selection)) {
        m_exportLines.clear();
        m_returnLines.clear();
        m_exportLines.push_back("/MACRO/LOCK ON");
        std::unique_ptr<IProgress> progress = Host().CreateProgress(ProgressKind::Animated, "Einstellungen übertragen");
        progress->SetRange(0, static_cast<int>(selection.objects.size()));
        progress->SetStep(1);
        progress->SetStatus(Tr(QT_TRANSLATE_NOOP("CCommLink", "Vorbereiten zun Download ...")));
        bool cancelled = false;
        // Whatever runs while the progress lets events through may delete an
        // object of the list: each is asked for its lines only while it exists.
        std::vector<std::weak_ptr<void>> alive;
        for (const CBaseDevice* obj : selection.objects)
            alive.push_back(obj->AliveToken());
        for (size_t k = 0; k < selection.objects.size(); ++k) {
            CBaseDevice* obj = selection.objects[k];
            const int n = alive[k].expired() ? 0 : obj->GetDownloadLines(0, -1);
            int i = 0;
            while (i < n && !cancelled && !alive[k].expired()) {
                i = obj->GetDownloadLines(0, i);
                if (progress->CheckCancelButton() && AskCancel())
                    cancelled = true;
            }
            if (cancelled)
                break;
            progress->StepIt();
        }
        if (!cancelled) {
            // The lines a download would send: a file that cannot be read
            // adds none; a line the device cannot take is named.
            std::vector<std::string> lines;
            if (selection.textFile && ReadTextFileLines(TextFilePath(doc), lines, false) == TextFileRead::Cancelled)
                cancelled = true;
            for (std::string& line : lines) {
                while (!line.empty() && line.back() == '\r')
                    line.pop_back();
                m_exportLines.push_back(std::move(line));
            }
            m_exportLines.push_back("/MACRO/LOCK OFF");
            m_exportLines.push_back("/SERVICE/START FASTSAVE");
            writePar = !cancelled;
        }
    }
    WriteExportFiles(doc, writePar);
    m_exportLines.clear();
    m_returnLines.clear();
    Sleep(500);
    const int64_t start = NowMs();
    while (GetInBufferCount() != 0 && GetRThreshold() != 0 && NowMs() - start < 5000)
        Breathe();
    SetLinkState(linkstate::Online);
}

void CCommLink::WriteExportFiles(CQuillomerDoc* doc, bool writePar)
{
    if (!doc)
        return;
    std::string base = doc->GetPathName();
    if (base.empty()) {
        const std::string workDir = ProfileString("Settings", "WorkDirectory", "");
        base = (workDir.empty() ? std::string() : workDir + "/") + doc->GetProjectName();
    }
    // Each file whole or not at all: an older file of that name stays as it
    // was, and the user is told which file was not written and why.
    auto write = [](const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& line : lines) {
            const QByteArray encoded = ToLine(line + "\r\n");
            bytes.append(encoded.constData(), static_cast<size_t>(encoded.size()));
        }
        const std::string reason = WriteFileReplacing(name, bytes);
        if (!reason.empty())
            ShowMessage(LoadStringId(IDS_EXPORT_NOT_WRITTEN) + "\n" + FileNotWrittenText(name, reason),
                        mb::Ok | mb::IconStop);
    };
    if (writePar)
        write(base + ".par", m_exportLines);
    write(base + ".ret", m_returnLines);
}

std::string CCommLink::ErrorFileName() const
{
    std::string name = m_doc ? m_doc->GetErrFileName() : std::string();
    // A project not saved yet compares all the same: its differences go
    // where its protocol log goes.
    if (name.empty() && m_doc && !m_doc->GetTitle().empty())
        name = UnsavedSideBase(m_doc) + ".err";
    return name;
}

void CCommLink::ContinueErrorFile()
{
    m_errFileName = ErrorFileName();
    m_errFileReported = false;
    m_errFileEmptied = false;
}

void CCommLink::ResetErrorFile()
{
    m_errFileName = ErrorFileName();
    m_errFileReported = false;
    m_errFileEmptied = false;
    if (m_errFileName.empty())
        return;
    const std::string reason = WriteFileReplacing(m_errFileName, {});
    m_errFileEmptied = reason.empty();
    if (!reason.empty()) {
        // Said now, and not again for each difference that follows. What a
        // window still shows of the file is an earlier upload's.
        m_errFileReported = true;
        Host().FileNotRewritten(m_errFileName);
        ShowMessage(FileNotWrittenText(m_errFileName, reason), mb::IconStop);
        // The upload reads without it: every answer is taken whole, and
        // nothing tries the file again.
        m_errFileName.clear();
    }
}

void CCommLink::NoteErrorFileFailure(const std::exception& e)
{
    // Said once per upload, after the line has been handled (never in the
    // middle of the receiving, see SplitReceived).
    if (m_errFileReported)
        return;
    m_errFileReported = true;
    const auto* system = dynamic_cast<const std::system_error*>(&e);
    const std::string reason = system ? WriteFailureReason(system->code().value()) : e.what();
    ShowWhenLineHandled({FileNotWrittenText(m_errFileName, reason), {}, mb::IconStop});
    // The rest of the upload reads without it, so that no answer stops half
    // read where its line would have gone; what the file holds so far is
    // not shown as if it were all.
    m_errFileName.clear();
}

void CCommLink::ShowErrorFile()
{
    // A file that could not be emptied holds an earlier upload's
    // differences: shown now, they would pass for this one's.
    if (!m_errFileName.empty() && m_errFileEmptied) {
        // Only a file with differences in it: not a folder of that name.
        const QFileInfo info(QString::fromStdString(m_errFileName));
        if (info.isFile() && info.size() > 0)
            Host().OpenInEditor(m_errFileName);
        else
            Host().FileRewritten(m_errFileName);
    }
    m_errFileName.clear();
}

// ==================================================================== text files

void CCommLink::OnSendConfigFile()
{
    const std::string path = Host().ChooseConfigFile();
    if (!path.empty())
        SendTextFileWithProgress(path);
}

void CCommLink::SendTextFile(const std::string& path)
{
    std::vector<std::string> lines;
    if (MayStartTextFile() && ReadTextFileLines(path, lines, true) == TextFileRead::Lines)
        StartTextLines(std::move(lines));
}

bool CCommLink::MayStartTextFile()
{
    if (m_textSending) {
        ShowMessage(Tr(kBusySending), mb::IconStop);
        return false;
    }
    if (!m_connected) {
        ShowMessage(Tr(kConnectFirst), mb::IconStop);
        return false;
    }
    return true;
}

CCommLink::TextFileRead CCommLink::ReadTextFileLines(const std::string& path, std::vector<std::string>& lines,
                                                      bool tell)
{
    lines.clear();
    std::string bytes;
    if (ReadWholeFile(path, bytes) != 0) {
        if (tell)
            ShowMessage(Tr(kTextFileOpen), mb::IconStop);
        return TextFileRead::Nothing;
    }
    // A byte-order mark is no part of the first line.
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        bytes.erase(0, 3);
    if (bytes.empty()) {
        if (tell)
            ShowMessage(Tr(kTextFileEmpty), mb::IconStop);
        return TextFileRead::Nothing;
    }
    // A line the device cannot take as written would reach it with '?' in
    // place of what it lacks: a name set to "?" is a query, and not the name.
    std::string named;
    int left = 0;
    int number = 0;
    for (size_t begin = 0; begin < bytes.size(); ++number) {
        size_t end = bytes.find('\n', begin);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = TextFileLine(QByteArray::fromRawData(bytes.data() + begin, static_cast<qsizetype>(end - begin)));
        begin = next;
        const std::string lacks = Cp1252Lacks(line);
        if (lacks.empty()) {
            lines.push_back(std::move(line));
            continue;
        }
        if (++left <= kNamedLines)
            named += StrFormat(LoadStringId(IDS_TEXTFILE_LINE_LACKS).c_str(), number + 1, TrimRight(line).c_str(),
                               lacks.c_str()) + "\n";
    }
    if (left == 0)
        return TextFileRead::Lines;
    if (left > kNamedLines)
        named += StrFormat(LoadStringId(IDS_TEXTFILE_MORE_LINES).c_str(), left - kNamedLines) + "\n";
    const std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    const std::string ask = StrFormat(LoadStringId(IDS_TEXTFILE_LINES_LEFT_OUT).c_str(), name.c_str(), named.c_str());
    if (ShowMessage(ask, mb::YesNo | mb::IconQuestion | mb::DefButton2) != mb::IdYes) {
        lines.clear();
        return TextFileRead::Cancelled;
    }
    return lines.empty() ? TextFileRead::Nothing : TextFileRead::Lines;
}

void CCommLink::StartTextLines(std::vector<std::string> lines)
{
    m_textLines = std::move(lines);
    m_textNext = 0;
    m_textTotal = static_cast<int>(m_textLines.size());
    m_textSent = 0;
    // A download's text file is named, line by line, where the device stopped reading.
    if (m_counting) {
        m_transferObjects.emplace_back(TextFileName(m_doc), m_textTotal);
        m_barPlace = TransferPlace {static_cast<int>(m_transferObjects.size()) - 1, 0};
    }
    m_textSending = true;
    m_linkState = linkstate::Terminal;
    m_textTimer.start();
    SendNextTextLine();
}

void CCommLink::OnTextFileTimer()
{
    if (GetOutBufferCount() < 512)
        SendNextTextLine();
}

void CCommLink::SendNextTextLine()
{
    if (m_textNext >= m_textLines.size()) {
        EndTextFile();
        return;
    }
    std::string line = m_textLines[m_textNext++];
    if (line.empty() || line.back() != '\r')
        line += '\r';
    if (m_counting)
        m_barPlace.step = m_textSent + 1;
    SendText(line, m_doc);
    ++m_textSent;
}

void CCommLink::EndTextFile()
{
    m_textLines.clear();
    m_textNext = 0;
    m_textTimer.stop();
    m_textSending = false;
}

bool CCommLink::SendTextFileWithProgress(const std::string& path, bool ofDownload)
{
    std::vector<std::string> lines;
    if (!MayStartTextFile() || ReadTextFileLines(path, lines, true) != TextFileRead::Lines)
        return true;
    return SendTextLinesWithProgress(path, std::move(lines), ofDownload);
}

bool CCommLink::SendTextLinesWithProgress(const std::string& path, std::vector<std::string> lines, bool ofDownload)
{
    const unsigned session = m_sessionEnds;
    m_counting = ofDownload;
    StartTextLines(std::move(lines));
    if (!m_textSending) {
        m_counting = false;
        return true;
    }
    std::unique_ptr<IProgress> progress = Host().CreateProgress(ProgressKind::Animated, "Textfile senden");
    progress->SetStatus(Tr(QT_TRANSLATE_NOOP("CCommLink", "File : ")) + path);
    progress->SetRange(0, m_textTotal);
    while (m_textSending) {
        progress->SetPos(m_textSent);
        if (progress->CheckCancelButton()) {
            // Nothing more goes while the user is asked whether to stop.
            m_textTimer.stop();
            if (AskCancel()) {
                m_transferCancelled = true;
                EndTextFile();
                break;
            }
            if (m_textSending)
                m_textTimer.start();
        }
        if (ofDownload && EchoStalled()) {
            EndTextFile();
            m_counting = false;
            return false;
        }
        Breathe(10);
    }
    // The last lines are read only once the device has echoed them.
    const bool read = !ofDownload || m_transferCancelled || WaitForEchoes(*progress, session);
    m_counting = false;
    return read;
}

// ==================================================================== firmware

namespace {
// A firmware file that cannot be opened: the file and why.
std::string FirmwareFileOpenText(const std::string& path)
{
    return Tr(kFirmwareFileOpen) + path + "\n( " + CFirmwareSender::OpenFailureReason(path) + " )";
}
}  // namespace

bool CCommLink::ConfirmFirmwareLoad()
{
    const std::string answer = Query("/SERVICE/VER ?", 200);
    if (answer.empty()) {
        ShowMessage(Tr(kNoVersion), mb::IconExclamation);
        return true;
    }
    const size_t v = answer.find(" V");
    const std::string version = v == std::string::npos ? std::string() : answer.substr(v);
    return ShowMessage(Tr(QT_TRANSLATE_NOOP("CCommLink", "QUILLOMER SW-Version : ")) + version
                           + Tr(QT_TRANSLATE_NOOP("CCommLink", "\n\rWollen Sie ein anderes QUILLOMER-Betriebssystem laden ?\n")),
                       mb::YesNo | mb::IconQuestion)
           == mb::IdYes;
}

std::string CCommLink::ChooseFirmwareFile()
{
    return Host().ChooseFirmwareFile();
}

void CCommLink::OnLoadFirmware()
{
    // A new load supersedes what an earlier, cancelled one still waited for.
    m_loaderWatch.stop();
    if (!ConfirmFirmwareLoad())
        return;
    const std::string path = ChooseFirmwareFile();
    const std::string osVersion = ProfileString("KVT7000", "OS Version", "");
    if (EndsWith(path, "a.hex") && !EndsWith(osVersion, "a"))
        ShowMessage(Tr(kCheckOs), mb::Ok);
    if (!path.empty()) {
        // A file the loader could not program is refused before the device
        // is asked for anything: erasing the old system for it would leave
        // the device with none. A device already in its loader goes back to
        // the system it holds, as when the user cancels there.
        const CFirmwareSender::FileCheck check = CFirmwareSender::CheckFile(path);
        if (check != CFirmwareSender::FileCheck::Ok) {
            if (check == CFirmwareSender::FileCheck::CannotOpen)
                ShowMessage(FirmwareFileOpenText(path), mb::IconStop);
            else
                ShowMessage(StrFormat(Tr(kFirmwareNoData).c_str(), path.c_str()), mb::IconStop);
            if (m_linkState == linkstate::FirmwareLoad)
                StartSystem();
            return;
        }
    }
    if (path.empty() || ShowMessage(Tr(kLastChance), mb::YesNo | mb::IconQuestion | mb::DefButton2) != mb::IdYes) {
        ShowMessage(Tr(kFirmwareAborted), mb::IconStop);
        if (m_linkState == linkstate::FirmwareLoad) {
            StartSystem();
        }
        return;
    }
    m_modemInit = ModemInitLine(Query("/COMM/MODEM/INIT ?", 2000));
    if (m_linkState != linkstate::FirmwareLoad) {
        SendLine("/SERVICE/START BOOTLOAD", nullptr);
        Host().SetWaitCursor(true);
        Sleep(4000);
        Host().SetWaitCursor(false);
    } else {
        SendLine("", nullptr);
        Sleep(200);
    }
    std::string reply;
    if (GetInBufferCount() != 0) {
        reply = ReadInput();
        Host().AppendMonitorText(reply);
        SetInBufferCount(0);
    }
    reply = Upper(reply);
    if (Last(reply, 12) == kLoaderPrompt) {
        if (!m_firmware->Begin(path)) {
            // Checked before the loader erases anything.
            ShowMessage(FirmwareFileOpenText(path), mb::IconStop);
            ShowMessage(Tr(kFirmwareAborted), mb::IconStop);
            m_linkState = linkstate::FirmwareLoad;
            StartSystem();
            return;
        }
        SendLine("UPDATE", nullptr);
        m_linkState = linkstate::FirmwareLoad;
        m_firmwareStep = 1;
        m_cancelledWhileErasing = false;
        WatchLoader(m_loaderEraseMs);
        if (!Host().RunFirmwareDialog(*m_firmware)) {
            // A cancelled stream was ended with the end record: the loader's
            // answer to it gets its full time.
            if (m_linkState == linkstate::FirmwareLoad && m_firmwareStep == 2 && m_loaderWatch.isActive())
                WatchLoader(m_loaderVerdictMs);
            // Cancelled while the loader erased the old system: that system
            // is gone, and the loader's verdict on the end record it gets for
            // its request decides, as after a cancel while sending.
            m_cancelledWhileErasing = m_linkState == linkstate::FirmwareLoad && m_firmwareStep == 1 && m_loaderWatch.isActive();
            ShowMessage(Tr(kFirmwareAborted), mb::IconStop);
        }
        return;
    }
    if (Trim(reply).empty())
        ShowMessage(Tr(kNoReaction), mb::IconStop);
    else
        ShowMessage(Tr(kUnknownDevice), mb::IconInformation);
    // Told to leave its system, the device did not show the loader's prompt:
    // who listens now is unknown, so the line is let go without the system's
    // farewell (no clock query, no saving of settings).
    m_linkState = linkstate::FirmwareLoad;
    m_firmwareStep = 0;
    OnDisconnect();
    m_firmwareStep = 1;
}

void CCommLink::OnFirmwareLine(const std::string& line)
{
    switch (m_firmwareStep) {
    case 1:
        if (line == "* \tPROG") {
            if (!m_firmware->IsOpen()) {
                m_loaderWatch.stop();
                SendLine(kEndRecord, nullptr);
                if (m_cancelledWhileErasing) {
                    m_cancelledWhileErasing = false;
                    m_firmwareStep = 2;
                    WatchLoader(m_loaderVerdictMs);
                }
            } else {
                m_firmwareStep = 2;
                WatchLoader(m_loaderVerdictMs);
                m_firmware->StartSending();
            }
        }
        break;
    case 2:
        if (line == "* \tOK.") {
            m_loaderWatch.stop();
            if (m_firmware->IsOpen())
                m_firmware->CloseAsDone();
            m_firmwareStep = 3;
            ShowMessage(Tr(kFirmwareOk), mb::IconInformation);
            StartSystem();
        } else if (line.compare(0, 8, "* \tERROR") == 0) {
            m_loaderWatch.stop();
            if (m_firmware->IsOpen())
                m_firmware->CloseAsCancelled();
            ShowMessage(Tr(QT_TRANSLATE_NOOP("CCommLink", "Fehler beim Laden des QUILLOMER-Betriebssystems !\r\n\n")) + line.substr(3)
                            + Tr(QT_TRANSLATE_NOOP("CCommLink", "\r\n\nBitte File überprüfen und Vorgang wiederholen !")),
                        mb::IconStop);
            m_firmwareStep = 1;
            OnDisconnect();
        }
        break;
    case 3:
        if (Last(line, 13) == "N O T  VALID!") {
            m_loaderWatch.stop();
            ShowMessage(Tr(kFirmwareNotValid), mb::IconInformation);
            m_firmwareStep = 1;
            OnDisconnect();
        } else if (line.compare(0, 11, "*** KVT7000") == 0) {
            m_loaderWatch.stop();
            ShowMessage(Tr(kFirmwareStarted), mb::IconInformation);
            SendLine(m_modemInit, nullptr);
            m_linkState = linkstate::Online;
            m_firmwareStep = 1;
            SetupSession();
        }
        break;
    default:
        break;
    }
}

void CCommLink::SetLoaderTimeouts(int eraseMs, int verdictMs, int startMs)
{
    m_loaderEraseMs = eraseMs;
    m_loaderVerdictMs = verdictMs;
    m_loaderStartMs = startMs;
}

void CCommLink::OnFirmwareRecordSent()
{
    // A loader that takes records is alive: its silence is counted anew.
    if (m_linkState == linkstate::FirmwareLoad && m_firmwareStep == 2)
        WatchLoader(m_loaderVerdictMs);
}

void CCommLink::WatchLoader(int ms)
{
    m_loaderWatch.start(ms);
}

void CCommLink::StartSystem()
{
    // The loader starts the system it holds; its answer is awaited for a while.
    SendLine("START\r\n", nullptr);
    m_firmwareStep = 3;
    WatchLoader(m_loaderStartMs);
}

void CCommLink::OnLoaderSilent()
{
    if (m_linkState != linkstate::FirmwareLoad || m_firmwareStep < 1 || m_firmwareStep > 3)
        return;
    // Started, but neither the system nor the loader says so: who listens is
    // unknown, and the line is let go without a word to either. Before that,
    // a loader that is still taking records is made to leave its receive
    // mode, as after a cancel, so that it can be reached again.
    const bool started = m_firmwareStep == 3;
    if (!started)
        m_firmware->Cancel();
    // Whatever the loader still says belongs to a load that is over.
    m_firmwareStep = 0;
    ShowMessage(Tr(started ? kSystemSilent : kLoaderSilent), mb::IconStop);
    if (m_connected)
        OnDisconnect();
    m_firmwareStep = 1;
}

// ==================================================================== service commands

void CCommLink::OnPassword()
{
    SetRThreshold(0);
    const std::string answer = Query("/PROTECT ?\r\n", 500);
    m_protectEcho = EchoesProtectQuery(answer);
    if (LastWord(answer) == "ON") {
        if (!Host().RunLogin(*this, 1)) {
            PumpMessages();
            Sleep(1000);
            SetRThreshold(1);
            return;
        }
    }
    Host().RunLogin(*this, 2);
    SetRThreshold(1);
}

bool CCommLink::TryLogin(const std::string& typed, bool removeProtection)
{
    const std::string password = WithoutControlChars(typed);
    SendLine("/PROTECT OFF", nullptr);
    SendLine(password, nullptr);
    const std::string word = ProtectWord(Query("/PROTECT ?", 500), m_protectEcho);
    // Only an answer counts: a device fallen silent has accepted nothing.
    if (!word.empty() && word != "ON") {
        m_password = password;
        m_removeProtection = removeProtection;
        return true;
    }
    ShowMessage(Tr(word.empty() ? kNoReaction : kLoginRefused), mb::IconStop);
    m_removeProtection = false;
    return false;
}

bool CCommLink::TrySetPassword(const std::string& typed, const std::string& confirmation)
{
    m_removeProtection = false;
    const std::string password = WithoutControlChars(typed);
    if (typed != confirmation) {
        ShowMessage(Tr(kInputsInvalid), mb::IconStop);
        return false;
    }
    SendLine("/PROTECT ON", nullptr);
    SendLine(password, nullptr);
    SendLine(password, nullptr);
    std::string word = ProtectWord(Query("/PROTECT ?", 500), m_protectEcho);
    PumpMessages();
    if (word.empty() || word == "OFF") {
        ShowMessage(Tr(word.empty() ? kNoReaction : kProtectFailed), mb::IconStop);
        return false;
    }
    m_protectionWasOn = true;
    SendLine("/PROTECT OFF", nullptr);
    SendLine(password, nullptr);
    word = ProtectWord(Query("/PROTECT ?", 500), m_protectEcho);
    PumpMessages();
    if (!word.empty() && word != "ON") {
        m_password = password;
        return true;
    }
    ShowMessage(Tr(word.empty() ? kNoReaction : kLoginRefused), mb::IconStop);
    return false;
}

void CCommLink::OnNetScan()
{
    std::unique_ptr<IProgress> progress = Host().CreateProgress(ProgressKind::Plain, "Netscan");
    progress->SetStatus(Tr(QT_TRANSLATE_NOOP("CCommLink", "Suche ...")));
    const int timeout = ProfileInt("Configuration", "Netscan", 60);
    progress->SetRange(0, std::max(timeout, 1));
    const int64_t start = NowMs();
    Query("/service/netscan on", 400);
    for (;;) {
        bool cancelled = false;
        if (progress->CheckCancelButton() && AskCancel())
            cancelled = true;
        const int64_t elapsed = (NowMs() - start) / 1000;
        progress->SetPos(static_cast<int>(elapsed));
        const std::string answer = Query("?", 400);
        std::string word = answer;
        const size_t blank = word.rfind(' ');
        if (blank != std::string::npos)
            word = word.substr(blank + 1);
        word = word.substr(0, word.find('\r'));
        if (elapsed > 5 && word == "OFF") {
            progress.reset();
            ShowMessage(Tr(kNetscanDone), mb::Ok);
            return;
        }
        if (elapsed > timeout && word == "ON") {
            progress.reset();
            ShowMessage(Tr(kNetscanTimeout), mb::Ok);
            return;
        }
        if (cancelled)
            return;
    }
}

void CCommLink::OnClearSettings()
{
    SetRThreshold(0);
    const std::string init = Query("/COMM/MODEM/INIT ?", 1000);
    Query("/SERVICE/START EEPCLR \r\n", 5000);
    SendLine("/COMM/PROMPT OFF", nullptr);
    SendLine(init, nullptr);
    SendLine("/", nullptr);
    Sleep(1000);
    SetRThreshold(1);
}

void CCommLink::OnSaveDeviceSettings()
{
    SendCommand("/SERVICE/START FASTSAVE", nullptr, false);
}

void CCommLink::OnSystemConfiguration()
{
    m_linkState = linkstate::SystemConfig;
    Host().RunSystemConfigDialog();
    m_linkState = linkstate::Online;
}

void CCommLink::OnMonitorChar(const std::string& ch)
{
    // Typing during a transfer is sent but leaves the transfer's state alone.
    if (m_linkState != linkstate::Upload && m_linkState != linkstate::Download)
        SetLinkState(linkstate::Terminal);
    SendText(ch, nullptr);
}

// ==================================================================== commands

bool CCommLink::OnCommand(int id)
{
    switch (id) {
    case commid::Connect: OnConnect(); return true;
    case commid::ConnectModem: OnConnectModem(); return true;
    case commid::Disconnect: OnDisconnect(); return true;
    case commid::LoadFirmware: OnLoadFirmware(); return true;
    case commid::TransferParameters: OnTransferParameters(); return true;
    case commid::ExportWorksheet: OnExportWorksheet(); return true;
    case commid::SendConfigFile: OnSendConfigFile(); return true;
    case commid::SaveDeviceSettings: OnSaveDeviceSettings(); return true;
    case commid::SystemConfiguration: OnSystemConfiguration(); return true;
    case commid::NetScan: OnNetScan(); return true;
    case commid::Password: OnPassword(); return true;
    case commid::ClearSettings: OnClearSettings(); return true;
    default:
        if (id >= commid::ComPort1 && id <= commid::ComPort4) {
            OnSelectComPort(id);
            return true;
        }
        return false;
    }
}

bool CCommLink::OnUpdateCommand(CCmdUI& ui)
{
    const int id = static_cast<int>(ui.m_nID);
    CQuillomerDoc* active = GetActiveDoc();
    switch (id) {
    case commid::Connect:
        // Connecting again while connected only makes sense when it keeps the connection.
        ui.Enable(active != nullptr && (!m_connected || ProfileInt("Configuration", "StayOnline", 0) != 0));
        return true;
    case commid::Disconnect:
        ui.Enable(m_connected);
        return true;
    case commid::ConnectModem:
        ui.Enable(active != nullptr && CModemInfo().GetModemCount() > 0
                  && (!m_connected || ProfileInt("Configuration", "StayOnline", 0) != 0));
        return true;
    case commid::LoadFirmware:
    case commid::NetScan:
    case commid::Password:
    case commid::ClearSettings:
    case commid::SaveDeviceSettings:
        ui.Enable(m_connected);
        return true;
    case commid::TransferParameters:
    case commid::SendConfigFile:
        ui.Enable(m_connected && active != nullptr && active == m_doc);
        return true;
    case commid::ExportWorksheet:
        ui.Enable(active != nullptr);
        return true;
    case commid::SystemConfiguration:
        if (!(ProfileInt("Configuration", "KVT Registry", 0) & 0x01))
            ui.Remove();
        else
            ui.Enable(m_connected && active != nullptr && active == m_doc);
        return true;
    default:
        if (id >= commid::ComPort1 && id <= commid::ComControl) {
            OnUpdateSelectComPort(ui);
            return true;
        }
        return false;
    }
}
