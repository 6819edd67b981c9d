#include "platform/StopSignals.h"

#include <csignal>

namespace tavek::platform {

namespace {

volatile std::sig_atomic_t requestedSignal = 0;
struct sigaction previousInt, previousTerm;

extern "C" void askToStop(int signal)
{
    if (requestedSignal == 0)
        requestedSignal = signal;
}

}  // namespace

StopSignals::StopSignals()
{
    requestedSignal = 0;
    struct sigaction stop = {};
    stop.sa_handler = askToStop;
    sigemptyset(&stop.sa_mask);
    // Reads and writes under way go on; only a wait is cut short.
    stop.sa_flags = SA_RESTART;
    sigaction(SIGINT, &stop, &previousInt);
    sigaction(SIGTERM, &stop, &previousTerm);
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
}

int StopSignals::requested() const
{
    return requestedSignal;
}

}  // namespace tavek::platform
