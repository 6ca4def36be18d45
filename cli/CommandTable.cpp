#include "cli/CommandTable.h"

#include "cli/CheckCommand.h"
#include "cli/DesignCommand.h"
#include "cli/DesignTextCommands.h"
#include "cli/ExportCommand.h"
#include "cli/FilterCommand.h"
#include "cli/ImportCommand.h"
#include "cli/PlayCommand.h"
#include "cli/ResponseCommands.h"
#include "cli/SosCommand.h"

namespace {

constexpr const char* kDesignFile = "a design file";

constexpr const char* kTimeResponseDetails =
    "--count N gives N samples (0 to 1000000). --duration MS lengthens the\n"
    "duration to the next whole sample period at --rate HZ (8000 by default)\n"
    "and takes the samples it spans, as the time graph does.\n";

constexpr const char* kArithDetails =
    "--arith f64|f32|q15|q31 looks at the design as that arithmetic runs it: its\n"
    "peak-scaled sections with the coefficients rounded as the arithmetic stores them.\n"
    "info adds whether that filter is stable; freq writes its response, scaled back\n"
    "to the design's gain.\n";

const Syntax kTimeResponseSyntax = {.operands = {kDesignFile},
                                    .valueOptions = {"--count", "--duration", "--rate", "-o"}};

} // namespace

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {.name = "info",
         .synopsis = "info DESIGN.pzd [--units cartesian|degrees|radians] [--arith A]",
         .summary = "Show the pole and zero counts, causality, stability and every node.",
         .details = kArithDetails,
         .syntax = {.operands = {kDesignFile}, .valueOptions = {"--units", "--arith"}},
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
         .synopsis = "freq DESIGN.pzd [--resolution N] [--arith A] [-o FILE]",
         .summary = "Write the frequency response points (N + 1 lines, N = 1023 by default).",
         .details = kArithDetails,
         .syntax = {.operands = {kDesignFile}, .valueOptions = {"--resolution", "--arith", "-o"}},
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
         .synopsis = "sos DESIGN.pzd [--format text|json] [--scale none|peak] [--normalize] "
                     "[-o FILE]",
         .summary = "Write the second-order sections the design runs as.",
         .details = "One line per section: b0 b1 b2 a0 a1 a2, the coefficients of z^0, z^-1, "
                    "z^-2,\nwith a0 = 1. Their product is H(z). --normalize folds 1 / (peak "
                    "gain) into\nthe first section, as the audio filter runs it. --scale peak "
                    "scales every section\nso that the cascade of the first k sections has a "
                    "peak gain of 1 for every k.\n",
         .syntax = {.operands = {kDesignFile},
                    .valueOptions = {"--format", "--scale", "-o"},
                    .flags = {"--normalize"}},
         .run = RunSos},
        {.name = "filter",
         .synopsis = "filter DESIGN.pzd INPUT OUTPUT [--quantize truncate|round|tpdf] [--seed N] "
                     "[--quiet]\n           [--arith A]",
         .summary = "Filter a sound file through the design into OUTPUT (- for standard "
                    "output), scaled to unit peak gain.",
         .details = "The output keeps the input's format, rate and channels (WAV and AIFF also "
                    "their\nheader bytes); it appears only when the whole file was filtered. "
                    "Integer\nsamples are requantized by truncation (default), rounding, or "
                    "triangular\ndither of one step seeded by --seed. INPUT - reads standard "
                    "input. Ctrl+C, SIGTERM,\nSIGHUP, SIGQUIT and SIGPIPE stop the run.\n--arith "
                    "f32|q15|q31 runs the peak-scaled sections in that "
                    "arithmetic, bit for bit\nas qen export's C code does (q15 on 16-bit "
                    "samples, q31 on 32-bit ones), and\nreports the sections that "
                    "overflowed. f64, the default, runs the design in double.\n",
         .syntax = {.operands = {kDesignFile, "an input file", "an output file"},
                    .valueOptions = {"--arith", "--quantize", "--seed"},
                    .flags = {"--quiet"}},
         .run = RunFilter},
        {.name = "export",
         .synopsis = "export DESIGN.pzd --format c|python|json|csv [--arith A] [--name NAME] "
                     "[-o FILE]",
         .summary = "Write the design's peak-scaled sections as C, Python, JSON or CSV.",
         .details = "The sections are scaled so that the cascade of the first k sections has "
                    "unit\npeak gain for every k, with the coefficients as --arith f64 (the "
                    "default), f32,\nq15 or q31 stores them. c writes a C99 header whose "
                    "NAME_process runs them bit for\nbit as qen filter --arith does; NAME is "
                    "the design file's name unless --name\ngives one. python defines sos for "
                    "scipy.signal.sosfilt, json and csv hold the\nsame rows, and for q15 and "
                    "q31 the words and the post-shift.\n",
         .syntax = {.operands = {kDesignFile},
                    .valueOptions = {"--format", "--arith", "--name", "-o"}},
         .run = RunExport},
        {.name = "import",
         .synopsis = "import (--ba FILE | --sos FILE) [-o OUT.pzd]",
         .summary = "Write a design file of the roots of a filter given by its coefficients.",
         .details = "--ba FILE holds two lines of numbers, b then a, in powers of z^-1 as scipy "
                    "and\nMATLAB write them (spaces or commas), or JSON {\"b\": [...], \"a\": "
                    "[...]}. --sos FILE\nholds one line b0 b1 b2 a0 a1 a2 per section, as qen "
                    "sos writes them, or JSON\n{\"sos\": [[...], ...]}. - reads standard "
                    "input. Design files carry no gain, so the\ngain is dropped, with a line "
                    "on standard error.\n",
         .syntax = {.valueOptions = {"--ba", "--sos", "-o"}},
         .run = RunImport},
        {.name = "design",
         .synopsis =
             "design FAMILY TYPE (--order N --corner HZ [--corner2 HZ] | --passband F[:F2]\n"
             "           --stopband F[:F2]) [--ripple DB] [--attenuation DB] [--norm "
             "mag|delay|phase]\n           [--rate HZ] [-o FILE]\n"
             "       qen design notch|peak --corner HZ --q Q [--rate HZ] [-o FILE]",
         .summary = "Write a standard, minimum-order, notch or peak design as a .pzd file.",
         .details =
             "FAMILY is butterworth, chebyshev, chebyshev2, bessel or elliptic; TYPE is lowpass,\n"
             "highpass, bandpass or bandstop. --order N (1 to 40) is the order of the lowpass\n"
             "prototype; band types get twice as many poles. Corners are in Hz at --rate HZ\n"
             "(8000 by default); bandpass and bandstop need --corner2 above --corner.\n"
             "Butterworth and Bessel corners are -3 dB points (Bessel's as --norm says: mag,\n"
             "the default; delay, a group delay of about 1 / (2 pi corner) at DC; phase, half\n"
             "the final phase shift); chebyshev and elliptic corners end the passband, whose\n"
             "ripple is --ripple DB (1 by default); chebyshev2 corners start the stopband,\n"
             "attenuated by --attenuation DB (40 by default, also elliptic).\n"
             "With --passband and --stopband instead of --order and --corner (two edges F1:F2\n"
             "each for band types) the lowest order that loses at most --ripple DB over the\n"
             "passband and attenuates the stopband by --attenuation DB or more is designed,\n"
             "for any family but bessel; a line on standard error gives the order and the\n"
             "corners, and the file keeps the requirement for qen check.\n"
             "notch and peak are the second-order notch and resonator at --corner HZ, whose\n"
             "-3 dB bandwidth is corner / Q. The sampling rate is not part of a design file:\n"
             "use the same rate when you open, analyse or run the design.\n",
         .syntax = {.operands = {"a FAMILY"},
                    .optionalOperands = {"a TYPE"},
                    .valueOptions = {"--order", "--corner", "--corner2", "--rate", "--ripple",
                                     "--attenuation", "--passband", "--stopband", "--norm", "--q",
                                     "-o"}},
         .run = RunDesign},
        {.name = "check",
         .synopsis = "check DESIGN.pzd [--rate HZ] [TYPE --passband F[:F2] --stopband F[:F2] "
                     "[--ripple DB]\n           [--attenuation DB]]",
         .summary = "Check the design's magnitude response against a requirement.",
         .details =
             "The requirement is the one the options give, or else the one the design file\n"
             "keeps (qen design --passband writes it). The response is normalised to 0 dB at\n"
             "its largest value in the passband; one line per band gives the largest passband\n"
             "loss or the smallest stopband attenuation, found to 1e-6 dB, its limit and the\n"
             "margin. Band edges are in Hz at --rate HZ (8000 by default); --ripple is 1 and\n"
             "--attenuation 40 dB unless given. Exit status 0 when every band holds (a margin\n"
             "above -1e-6 dB), 1 when one misses, 2 without a requirement.\n",
         .syntax = {.operands = {kDesignFile},
                    .optionalOperands = {"a TYPE"},
                    .valueOptions = {"--rate", "--passband", "--stopband", "--ripple",
                                     "--attenuation"}},
         .run = RunCheck},
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
