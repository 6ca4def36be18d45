#include "cli/CommandTable.h"

#include "cli/DesignCommand.h"
#include "cli/DesignTextCommands.h"
#include "cli/FilterCommand.h"
#include "cli/PlayCommand.h"
#include "cli/ResponseCommands.h"
#include "cli/SosCommand.h"

namespace {

constexpr const char* kDesignFile = "a design file";

constexpr const char* kTimeResponseDetails =
    "--count N gives N samples (0 to 1000000). --duration MS lengthens the\n"
    "duration to the next whole sample period at --rate HZ (8000 by default)\n"
    "and takes the samples it spans, as the time graph does.\n";

const Syntax kTimeResponseSyntax = {.operands = {kDesignFile},
                                    .valueOptions = {"--count", "--duration", "--rate", "-o"}};

} // namespace

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {.name = "info",
         .synopsis = "info DESIGN.pzd [--units cartesian|degrees|radians]",
         .summary = "Show the pole and zero counts, causality, stability and every node.",
         .details = "",
         .syntax = {.operands = {kDesignFile}, .valueOptions = {"--units"}},
         .run = RunInfo},
        {.name = "hz",
         .synopsis = "hz DESIGN.pzd [-o FILE]",
         .summary = "Write the transfer function H(z) as a .hz text.",
         .details = "",
         .syntax = {.operands = {kDesignFile}, .valueOptions = {"-o"}},
         .run = RunHz},
        {.name = "de",
         .synopsis = "de DESIGN.pzd [-o FILE]",
         .summary = "Write the difference equation as a .de text.",
         .details = "",
         .syntax = {.operands = {kDesignFile}, .valueOptions = {"-o"}},
         .run = RunDe},
        {.name = "freq",
         .synopsis = "freq DESIGN.pzd [--resolution N] [-o FILE]",
         .summary = "Write the frequency response points (N + 1 lines, N = 1023 by default).",
         .details = "",
         .syntax = {.operands = {kDesignFile}, .valueOptions = {"--resolution", "-o"}},
         .run = RunFreq},
        {.name = "delay",
         .synopsis = "delay DESIGN.pzd [--resolution N] [--rate HZ] [-o FILE]",
         .summary = "Write the group delay in samples at the frequencies of freq (N + 1 lines).",
         .details = "",
         .syntax = {.operands = {kDesignFile}, .valueOptions = {"--resolution", "--rate", "-o"}},
         .run = RunDelay},
        {.name = "impulse",
         .synopsis = "impulse DESIGN.pzd (--count N | --duration MS [--rate HZ]) [-o FILE]",
         .summary = "Write the impulse response points.",
         .details = kTimeResponseDetails,
         .syntax = kTimeResponseSyntax,
         .run = RunImpulse},
        {.name = "step",
         .synopsis = "step DESIGN.pzd (--count N | --duration MS [--rate HZ]) [-o FILE]",
         .summary = "Write the step response points.",
         .details = kTimeResponseDetails,
         .syntax = kTimeResponseSyntax,
         .run = RunStep},
        {.name = "ramp",
         .synopsis = "ramp DESIGN.pzd (--count N | --duration MS [--rate HZ]) [-o FILE]",
         .summary = "Write the ramp response points.",
         .details = kTimeResponseDetails,
         .syntax = kTimeResponseSyntax,
         .run = RunRamp},
        {.name = "sos",
         .synopsis = "sos DESIGN.pzd [--format text|json] [--normalize] [-o FILE]",
         .summary = "Write the second-order sections the design runs as.",
         .details = "One line per section: b0 b1 b2 a0 a1 a2, the coefficients of z^0, z^-1, "
                    "z^-2,\nwith a0 = 1. Their product is H(z). --normalize folds 1 / (peak "
                    "gain) into\nthe first section, as the audio filter runs it.\n",
         .syntax = {.operands = {kDesignFile},
                    .valueOptions = {"--format", "-o"},
                    .flags = {"--normalize"}},
         .run = RunSos},
        {.name = "filter",
         .synopsis = "filter DESIGN.pzd INPUT OUTPUT [--quantize truncate|round|tpdf] [--seed N] "
                     "[--quiet]",
         .summary = "Filter a sound file through the design into OUTPUT (- for standard "
                    "output), scaled to unit peak gain.",
         .details = "The output keeps the input's format, rate and channels (WAV and AIFF also "
                    "their\nheader bytes); it appears only when the whole file was filtered. "
                    "Integer\nsamples are requantized by truncation (default), rounding, or "
                    "triangular\ndither of one step seeded by --seed. INPUT - reads standard "
                    "input. Ctrl+C, SIGTERM,\nSIGHUP, SIGQUIT and SIGPIPE stop the run.\n",
         .syntax = {.operands = {kDesignFile, "an input file", "an output file"},
                    .valueOptions = {"--quantize", "--seed"},
                    .flags = {"--quiet"}},
         .run = RunFilter},
        {.name = "design",
         .synopsis = "design FAMILY TYPE --order N --corner HZ [--corner2 HZ] [--rate HZ] "
                     "[--ripple DB]\n           [--attenuation DB] [-o FILE]",
         .summary = "Write a standard filter design as a .pzd file.",
         .details =
             "FAMILY is butterworth, chebyshev, chebyshev2, bessel or elliptic; TYPE is lowpass,\n"
             "highpass, bandpass or bandstop. --order N (1 to 20) is the order of the lowpass\n"
             "prototype; band types get twice as many poles. Corners are in Hz at --rate HZ\n"
             "(8000 by default); bandpass and bandstop need --corner2 above --corner.\n"
             "Butterworth and Bessel corners are -3 dB points; chebyshev and elliptic corners "
             "end\nthe passband, whose ripple is --ripple DB (1 by default); chebyshev2 corners "
             "start\nthe stopband, attenuated by --attenuation DB (40 by default, also "
             "elliptic).\nThe sampling rate is not part of a design file: use the same rate "
             "when you open,\nanalyse or run the design.\n",
         .syntax = {.operands = {"a FAMILY", "a TYPE"},
                    .valueOptions = {"--order", "--corner", "--corner2", "--rate", "--ripple",
                                     "--attenuation", "-o"}},
         .run = RunDesign},
        {.name = "play",
         .synopsis = "play DESIGN.pzd INPUT [--loop] [--device NAME] [--latency MS] | play "
                     "--list-devices",
         .summary = "Play a sound file through the design on a sound device.",
         .details = "The output is scaled to unit peak gain and limited below full scale.\n"
                    "--loop plays until Ctrl+C; --device picks a device by the name "
                    "--list-devices shows;\n--latency MS buffers MS milliseconds of sound (1 "
                    "to 1000, 20 by default). A file of\nmore channels than the device has is "
                    "mixed down, one at a rate it cannot play is\nresampled. A lost device "
                    "ends the run with a failure.\n",
         .syntax = {.operands = {kDesignFile, "an input file"},
                    .valueOptions = {"--device", "--latency"},
                    .flags = {"--loop", "--list-devices"},
                    .insteadOfOperands = "--list-devices"},
         .run = RunPlay},
    };
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : Commands()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}
