#pragma once
// Puts a KvtDevice on a pseudo-terminal: the designer opens the terminal's
// slave path as its serial port. The runner honours the host's XON/XOFF, can
// hold its own XOFF, paces its output like a real 19200-baud line and writes
// a traffic log.

#include "KvtDevice.h"
#include "KvtModem.h"
#include "KvtScript.h"

#include <cstdio>
#include <string>

namespace kvtsim {

class KvtRunner {
public:
    // With `modem`, the host talks to the modem, which passes a connected
    // call on to the device.
    KvtRunner(KvtDevice& device, const SimOptions& options, KvtModem* modem = nullptr);
    ~KvtRunner();
    KvtRunner(const KvtRunner&) = delete;
    KvtRunner& operator=(const KvtRunner&) = delete;

    // Creates the pseudo-terminal (raw mode) and, when asked, writes its path
    // to the link file.
    bool Open(std::string& error);
    const std::string& SlavePath() const { return m_slavePath; }
    // Serves the device until a hang-up rule fires or a terminating signal
    // arrives. Returns the exit code.
    int Run();

private:
    void Log(const char* direction, const std::string& bytes);
    void WriteControl(char c);

    KvtDevice& m_device;
    KvtModem* m_modem = nullptr;
    SimOptions m_options;
    int m_master = -1;
    int m_slave = -1;  // kept open: the host may close and reopen its side
    std::string m_slavePath;
    std::FILE* m_log = nullptr;
};

}  // namespace kvtsim
