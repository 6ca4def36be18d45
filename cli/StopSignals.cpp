#include "cli/StopSignals.h"

namespace {

// A signal handler can only reach static storage; this flag is all it touches.
volatile std::sig_atomic_t gStopRequested = 0;

extern "C" void RequestStop(int) {
    gStopRequested = 1;
}

} // namespace

StopSignals::StopSignals() {
    gStopRequested = 0;
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, &mPrevious[i]);
    }
}

StopSignals::~StopSignals() {
    for (size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &mPrevious[i], nullptr);
    }
}

bool StopSignals::StopRequested() const noexcept {
    return gStopRequested != 0;
}
