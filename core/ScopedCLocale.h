#pragma once

#include <locale.h>

// Switches the calling thread to the "C" locale for as long as it lives, so that
// formatted scanning and printing use '.' as the decimal point whatever locale the
// process runs under. Restores the thread's previous locale on destruction.
class ScopedCLocale {
public:
    ScopedCLocale();
    ~ScopedCLocale();
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    locale_t mPrevious;
};
