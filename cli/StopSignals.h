#pragma once

#include <array>
#include <csignal>

// While an object lives, SIGINT, SIGTERM and SIGHUP ask the running command to stop
// instead of ending the process, so that it can remove an unfinished output file or
// close its sound device first. One object at a time; it restores the previous
// handlers when it goes.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // True once one of the signals arrived.
    bool StopRequested() const noexcept;

private:
    static constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, kSignals.size()> mPrevious{};
};
