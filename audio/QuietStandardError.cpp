#include "audio/QuietStandardError.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

QuietStandardError::QuietStandardError() : mSaved(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0)) {
    std::fflush(stderr);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (mSaved >= 0 && null >= 0) {
        dup2(null, STDERR_FILENO);
    }
    if (null >= 0) {
        close(null);
    }
}

QuietStandardError::~QuietStandardError() {
    if (mSaved >= 0) {
        std::fflush(stderr);
        dup2(mSaved, STDERR_FILENO);
        close(mSaved);
    }
}
