#include "cli/DelayCommand.h"

const char* const kDelaySynopsis = "delay DESIGN.pzd [--resolution N] [--rate HZ] [-o FILE]";
const char* const kDelaySummary =
    "Write the group delay in samples at the frequencies of freq (N + 1 lines).";
