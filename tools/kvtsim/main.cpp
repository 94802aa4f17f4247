// kvtsim: a stand-in for the central device on a pseudo-terminal.
// Prints the terminal's path; point the designer's port at it (settings
// "COMSECTION"/"DevicePath<n>"). See README.md.

#include "KvtDevice.h"
#include "KvtRunner.h"
#include "KvtScript.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& a : args) {
        if (a == "-h" || a == "--help") {
            std::printf("usage: kvtsim [--link FILE] [--log FILE] [--script FILE] [-e DIRECTIVE] [--DIRECTIVE args...]\n"
                        "directives: version V, new-version V, device-id ID, boot, protect PW, boot-enter-ms N,\n"
                        "  erase-ms N, start-ms N, netscan-s N, firmware-fails, delay MS, pace [CPS], read-pace [CPS],\n"
                        "  silent,\n"
                        "  set PATH VALUE, answer PATH VALUE, load FILE, keep-every N, holdings FILE,\n"
                        "  at N (silent|talk|garbage COUNT|send TEXT|hangup|xoff MS|delay MS),\n"
                        "  modem, modem-dial (connect|busy|no-carrier|no-dialtone|error|none)..., modem-connect TEXT,\n"
                        "  dial-ms N, guard-ms N\n");
            return 0;
        }
    }
    kvtsim::SimOptions options;
    std::string error;
    if (!kvtsim::ParseCommandLine(args, options, error)) {
        std::fprintf(stderr, "kvtsim: %s\n", error.c_str());
        return 2;
    }
    kvtsim::KvtDevice device = kvtsim::MakeDevice(options);
    std::unique_ptr<kvtsim::KvtModem> modem;
    if (options.modem.enabled)
        modem = std::make_unique<kvtsim::KvtModem>(device, options.modem);
    kvtsim::KvtRunner runner(device, options, modem.get());
    if (!runner.Open(error)) {
        std::fprintf(stderr, "kvtsim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", runner.SlavePath().c_str());
    std::fflush(stdout);
    const int code = runner.Run();
    if (!options.holdingsFile.empty()) {
        std::ofstream out(options.holdingsFile, std::ios::binary | std::ios::trunc);
        out << device.Holdings();
        if (!out.flush()) {
            std::fprintf(stderr, "kvtsim: cannot write %s\n", options.holdingsFile.c_str());
            return code == 0 ? 1 : code;
        }
    }
    return code;
}
