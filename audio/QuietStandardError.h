#pragma once

// While an object lives, standard error goes nowhere. The libraries at the edge (the
// sound file library's MP3 decoder, the device library's back ends) print notes of
// their own probing there; what matters reaches the user through our own results, in
// one line.
class QuietStandardError {
public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int mSaved;
};
