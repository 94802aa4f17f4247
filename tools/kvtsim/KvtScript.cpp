#include "KvtScript.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace kvtsim {

namespace {
bool ToInt(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, value);
    return r.ec == std::errc() && r.ptr == end && value >= 0;
}

std::string Rest(std::istringstream& in)
{
    std::string rest;
    std::getline(in, rest);
    const size_t b = rest.find_first_not_of(" \t");
    return b == std::string::npos ? std::string() : rest.substr(b);
}
}  // namespace

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char c = text[++i];
        switch (c) {
        case 'r': out.push_back('\r'); break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case '\\': out.push_back('\\'); break;
        case 'x':
            if (i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1]))
                && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
                out.push_back(static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
                i += 2;
            } else {
                out += "\\x";
            }
            break;
        default:
            out.push_back('\\');
            out.push_back(c);
        }
    }
    return out;
}

std::string Escape(const std::string& bytes)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else if (c < 0x20 || c >= 0x7f) {
            out += "\\x";
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        } else
            out.push_back(static_cast<char>(c));
    }
    return out;
}

bool ApplyDirective(const std::string& line, SimOptions& o, std::string& error)
{
    std::istringstream in(line);
    std::string name;
    if (!(in >> name) || name[0] == '#')
        return true;  // blank or comment
    std::string arg;
    int n = 0;
    auto intArg = [&](int& target) {
        if (!(in >> arg) || !ToInt(arg, n)) {
            error = name + ": a number is missing";
            return false;
        }
        target = n;
        return true;
    };
    if (name == "version")
        return (in >> o.device.version) ? true : (error = "version: text missing", false);
    if (name == "new-version")
        return (in >> o.device.newVersion) ? true : (error = "new-version: text missing", false);
    if (name == "device-id") {
        o.device.deviceId = Rest(in);
        return true;
    }
    if (name == "boot") {
        o.device.startInBoot = true;
        return true;
    }
    if (name == "protect")
        return (in >> o.device.password) ? true : (error = "protect: password missing", false);
    if (name == "boot-enter-ms")
        return intArg(o.device.bootEnterMs);
    if (name == "erase-ms")
        return intArg(o.device.eraseMs);
    if (name == "start-ms")
        return intArg(o.device.startMs);
    if (name == "netscan-s")
        return intArg(o.device.netscanSeconds);
    if (name == "delay")
        return intArg(o.device.answerDelayMs);
    if (name == "firmware-fails") {
        o.device.firmwareFails = true;
        return true;
    }
    if (name == "silent") {
        o.silent = true;
        return true;
    }
    if (name == "pace") {
        o.cps = 1920;
        if (in >> arg && (!ToInt(arg, o.cps) || o.cps == 0)) {
            error = "pace: characters per second expected";
            return false;
        }
        return true;
    }
    if (name == "read-pace") {
        o.readCps = 1920;
        if (in >> arg && (!ToInt(arg, o.readCps) || o.readCps == 0)) {
            error = "read-pace: characters per second expected";
            return false;
        }
        return true;
    }
    if (name == "modem") {
        o.modem.enabled = true;
        return true;
    }
    if (name == "modem-dial") {
        o.modem.enabled = true;
        o.modem.dialResults.clear();
        while (in >> arg) {
            DialResult result;
            if (!ParseDialResult(arg, result)) {
                error = "modem-dial: unknown result " + arg;
                return false;
            }
            o.modem.dialResults.push_back(result);
        }
        if (o.modem.dialResults.empty()) {
            error = "modem-dial: a result is expected";
            return false;
        }
        return true;
    }
    if (name == "modem-connect") {
        o.modem.connectText = Rest(in);
        if (o.modem.connectText.empty()) {
            error = "modem-connect: text missing";
            return false;
        }
        return true;
    }
    if (name == "dial-ms")
        return intArg(o.modem.dialMs);
    if (name == "guard-ms")
        return intArg(o.modem.guardMs);
    if (name == "set") {
        std::string path;
        if (!(in >> path) || path[0] != '/') {
            error = "set: a path beginning with / is expected";
            return false;
        }
        o.presets.emplace_back(path, Rest(in));
        return true;
    }
    if (name == "load") {
        const std::string file = Rest(in);
        std::ifstream text(file, std::ios::binary);
        if (file.empty() || !text) {
            error = "load: cannot read " + file;
            return false;
        }
        std::ostringstream all;
        all << text.rdbuf();
        o.loads.push_back(all.str());
        return true;
    }
    if (name == "answer") {
        std::string path;
        if (!(in >> path) || path[0] != '/') {
            error = "answer: a path beginning with / is expected";
            return false;
        }
        for (char& c : path)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        o.device.answers[path] = Rest(in);
        return true;
    }
    if (name == "keep-every") {
        if (!intArg(o.keepEvery) || o.keepEvery == 0) {
            error = "keep-every: a number from 1 is expected";
            return false;
        }
        return true;
    }
    if (name == "holdings") {
        o.holdingsFile = Rest(in);
        if (o.holdingsFile.empty()) {
            error = "holdings: a file is expected";
            return false;
        }
        return true;
    }
    if (name == "unknown") {
        std::string path;
        if (!(in >> path) || path[0] != '/') {
            error = "unknown: a path beginning with / is expected";
            return false;
        }
        for (char& c : path)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        o.device.unknown.push_back(path);
        return true;
    }
    if (name == "event") {
        o.device.events.push_back(Unescape(Rest(in)));
        return true;
    }
    if (name == "at") {
        FaultRule rule;
        std::string what;
        if (!(in >> arg) || !ToInt(arg, rule.afterLines) || rule.afterLines == 0 || !(in >> what)) {
            error = "at: a line count (from 1) and an action are expected";
            return false;
        }
        if (what == "silent")
            rule.what = FaultRule::Silent;
        else if (what == "talk")
            rule.what = FaultRule::Talk;
        else if (what == "hangup")
            rule.what = FaultRule::Hangup;
        else if (what == "send") {
            rule.what = FaultRule::Send;
            rule.text = Unescape(Rest(in));
        } else if (what == "event") {
            rule.what = FaultRule::Event;
            rule.text = Unescape(Rest(in));
        } else if (what == "garbage" || what == "xoff" || what == "delay" || what == "read-pace") {
            rule.what = what == "garbage" ? FaultRule::Garbage
                        : what == "xoff"  ? FaultRule::HoldXoff
                        : what == "delay" ? FaultRule::Delay
                                          : FaultRule::ReadPace;
            if (!(in >> arg) || !ToInt(arg, rule.amount) || (rule.what == FaultRule::ReadPace && rule.amount <= 0)) {
                error = "at: " + what + " needs a number";
                return false;
            }
        } else {
            error = "at: unknown action " + what;
            return false;
        }
        o.rules.push_back(rule);
        return true;
    }
    error = "unknown directive " + name;
    return false;
}

bool LoadScript(const std::string& path, SimOptions& options, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!ApplyDirective(line, options, error)) {
            error = path + ":" + std::to_string(number) + ": " + error;
            return false;
        }
    }
    return true;
}

bool ParseCommandLine(const std::vector<std::string>& args, SimOptions& o, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= args.size()) {
                error = a + ": value missing";
                return false;
            }
            target = args[++i];
            return true;
        };
        if (a == "--link") {
            if (!value(o.linkFile))
                return false;
        } else if (a == "--log") {
            if (!value(o.logFile))
                return false;
        } else if (a == "--script") {
            std::string file;
            if (!value(file) || !LoadScript(file, o, error))
                return false;
        } else if (a == "-e") {
            std::string directive;
            if (!value(directive) || !ApplyDirective(directive, o, error))
                return false;
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            std::string directive = a.substr(2);
            while (i + 1 < args.size() && args[i + 1].compare(0, 2, "--") != 0 && args[i + 1] != "-e")
                directive += " " + args[++i];
            if (!ApplyDirective(directive, o, error))
                return false;
        } else {
            error = "unexpected argument " + a;
            return false;
        }
    }
    return true;
}

KvtDevice MakeDevice(const SimOptions& options)
{
    KvtDevice device(options.device);
    for (const std::string& text : options.loads)
        device.Preload(text);
    for (const auto& [path, value] : options.presets)
        device.SetValue(path, value);
    if (options.keepEvery > 0)
        device.KeepEveryNth(options.keepEvery);
    for (const FaultRule& rule : options.rules)
        device.AddRule(rule);
    if (options.silent)
        device.AddRule({0, FaultRule::Silent, 0, {}});
    return device;
}

}  // namespace kvtsim
