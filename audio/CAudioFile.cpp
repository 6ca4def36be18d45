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

void CAudioFile::SetFormat(const CSampleCoding& coding, int channels) {
    mCoding = coding;
    mChannels = channels;
    mFrameSize = coding.Bytes() * channels;
}
