#include "audio/CAudioInFile.h"

bool CAudioInFile::CheckOpen() {
    if (!mFileIsOpen) {
        Fail(-1, "not open");
    }
    return mFileIsOpen;
}
