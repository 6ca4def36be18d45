#pragma once

#include <array>
#include <csignal>

// While an object lives, SIGINT, SIGTERM, SIGHUP, SIGQUIT and SIGPIPE ask the running
// command to stop instead of ending the process, so that it can remove an unfinished
// output file or close its sound device first (after SIGPIPE a write to the closed pipe
// fails, and says so). One object at a time; it restores the previous
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
    static constexpr std::array<int, 5> kSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};
    std::array<struct sigaction, kSignals.size()> mPrevious{};
};
