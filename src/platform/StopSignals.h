#pragma once

// A request to stop, by Ctrl+C (SIGINT) or SIGTERM, taken as a flag instead of
// ending the process at once, so that a command running until it is told to
// stop finishes the line it is writing and ends in order.
//
// A Windows build takes Ctrl+C and the console's closing through
// SetConsoleCtrlHandler here.

namespace tavek::platform {

class StopSignals {
public:
    // From now on SIGINT and SIGTERM only ask to stop; the destructor puts
    // back what handled them before. One at a time.
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal that asked to stop (the first, if several did); 0 while none has.
    int requested() const;
};

}  // namespace tavek::platform
