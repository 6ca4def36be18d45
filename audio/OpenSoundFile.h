#pragma once

#include "audio/CAudioInFile.h"

#include <memory>
#include <string>

// The reader that takes the input at path, chosen by its content: the native WAV or
// AIFF reader, else the general library's. Its headers were read once to check it, and
// it is closed. The input is opened only once (FileSource::OpenInput) and the reader
// keeps it, so standard input ("-"), a pipe or a FIFO is read once and never reopened.
// Null when none takes the input, with the code in *code (-1 the input cannot be
// opened, -2 no reader takes it) and the reason in *problem.
std::unique_ptr<CAudioInFile> OpenSoundFile(const std::string& path, int* code,
                                            std::string* problem);
