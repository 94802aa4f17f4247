#include "comm/windows/CommWindowSamples.h"

#include "comm/CCommLink.h"
#include "comm/CFirmwareSender.h"

CCommLink& SampleCommLink()
{
    // Outlives every window made with it; never deleted, as the windows
    // may still refer to it while the program ends.
    static auto* link = [] {
        auto* sample = new CCommLink;
        // A sample never stands for the program's own link.
        sample->LeaveProgramLinkFree();
        return sample;
    }();
    return *link;
}

CFirmwareSender& SampleFirmwareSender()
{
    static auto* sender = new CFirmwareSender(SampleCommLink());
    return *sender;
}
