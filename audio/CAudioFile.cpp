#include "audio/CAudioFile.h"

int CAudioFile::ResetFile() {
    const int closed = CloseFile();
    const int opened = OpenFile();
    return closed == -1 || opened == -1 ? -1 : 0;
}

int CAudioFile::Fail(int code, std::string reason) {
    mProblem = std::move(reason);
    return code;
}

void CAudioFile::SetFormat(int sampleSize, bool stereo) {
    mSampleSize = sampleSize;
    mStereo = stereo;
    mFrameSize = sampleSize * (stereo ? 2 : 1);
}
