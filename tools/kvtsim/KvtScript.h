#pragma once
// Settings of a simulator run: the device's facts, preset values, fault rules
// and line behaviour, from command-line options or a small command file.
//
// A command file holds one directive a line ("#" starts a comment); every
// directive can also be given on the command line as "--directive args...".
//   version V0.551          operating-system version
//   new-version V0.552      version after a successful firmware load
//   device-id KVT7000       answer to /SERVICE/DEVICE ?
//   boot                    start in the boot loader
//   protect PASSWORD        start password protected
//   boot-enter-ms N | erase-ms N | start-ms N | netscan-s N
//   firmware-fails          the loader answers every S-record stream with an error
//   delay MS                answers come MS later than the echo
//   pace [CPS]              send at most CPS characters a second (default 1920, 19200 8N1)
//   read-pace [CPS]         read at most CPS characters a second (default 1920), as a
//                           UART does; while the own output lags, XOFF holds the host back
//   silent                  never answer, never echo
//   set PATH VALUE          preset a stored value
//   load FILE               a configuration held at start: every line of FILE (protocol
//                           lines as the designer sends them, such as its exported
//                           ".par" file) is taken as received, without echo or answers
//   answer PATH VALUE       every "PATH ?" is answered "PATH VALUE", whatever the device holds
//   keep-every N            of every fixed table only the entries numbered a multiple
//                           of N keep what was loaded or set (every N-th entry in use)
//   holdings FILE           on ending, write what the device holds to FILE
//   event TEXT              an entry of the event log at start (in order)
//   at N ACTION [ARG]       after the N-th received line: silent | talk |
//                           garbage COUNT | send TEXT | hangup | xoff MS | delay MS |
//                           read-pace CPS (read CPS characters a second from now on) |
//                           event TEXT (a new entry of the event log)
//   modem                   a dial-up modem in front of the device
//   modem-dial RESULT...    (implies modem) what each dial gives, in order, the last
//                           repeating: connect | busy | no-carrier | no-dialtone | error | none
//   modem-connect TEXT      the connect message (default "CONNECT 19200")
//   dial-ms N | guard-ms N  from ATD to the result; the guard time of "+++"
// TEXT takes the escapes \r \n \t \\ and \xHH.

#include "KvtDevice.h"
#include "KvtModem.h"

#include <string>
#include <utility>
#include <vector>

namespace kvtsim {

struct SimOptions {
    DeviceConfig device;
    ModemConfig modem;
    std::vector<FaultRule> rules;
    std::vector<std::pair<std::string, std::string>> presets;
    std::vector<std::string> loads;  // the texts of the `load` files, in order
    int keepEvery = 0;               // 0: every entry keeps what it holds
    std::string holdingsFile;        // empty: none written
    bool silent = false;
    int cps = 0;  // 0: as fast as the terminal takes it
    int readCps = 0;  // 0: reads whatever the terminal holds at once
    std::string linkFile;
    std::string logFile;
};

// Applies one directive; false with `error` set when it is not understood.
bool ApplyDirective(const std::string& line, SimOptions& options, std::string& error);
// Applies every directive of a command file.
bool LoadScript(const std::string& path, SimOptions& options, std::string& error);
// Parses the command line (--link FILE, --log FILE, --script FILE, -e DIRECTIVE,
// --DIRECTIVE args...).
bool ParseCommandLine(const std::vector<std::string>& args, SimOptions& options, std::string& error);
// Decodes \r \n \t \\ \xHH.
std::string Unescape(const std::string& text);
// The reverse, for the traffic log.
std::string Escape(const std::string& bytes);
// Builds a device from the options (presets and rules applied).
KvtDevice MakeDevice(const SimOptions& options);

}  // namespace kvtsim
