#pragma once

#include "audio/CAudioInFile.h"

#include <memory>
#include <string>

// The reader that takes the file at path, chosen by its content: the native WAV or
// AIFF reader, else the general library's. Its headers were read once to check it, and
// it is closed. Null when none takes the file, with the code in *code (-1 the file
// cannot be opened, -2 no reader takes it) and the reason in *problem.
std::unique_ptr<CAudioInFile> OpenSoundFile(const std::string& path, int* code,
                                            std::string* problem);
