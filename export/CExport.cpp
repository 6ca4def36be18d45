#include "export/CExport.h"

#include "core/FormatC.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace {

// The parts of the header as text with @NAME@, @TYPE@ and further markers in place of
// what each header fills in.

constexpr const char* kFloatingArithmetic =
    R"( * Each section runs in transposed direct form II in @TYPE@, every operation
 * rounded to @TYPE@ in this order, without fused multiply-add:
 *   y = b0*x + s1;  s1 = b1*x - a1*y + s2;  s2 = b2*x - a2*y;
 * with 1 + a1 z^-1 + a2 z^-2 the section's denominator. Compilers that fuse on their
 * own (GCC in its GNU modes on processors with fused multiply-add) need -std=c99 or
 * -ffp-contract=off.
)";

constexpr const char* kFixedArithmetic = R"( * Each section runs in direct form I on @W@-bit words:
 *   acc = b0*x[n] + b1*x[n-1] + b2*x[n-2] + a1*y[n-1] + a2*y[n-2]
 * with a1, a2 the negated denominator coefficients (the denominator is
 * 1 - a1 z^-1 - a2 z^-2), every product exact and the sum taken modulo 2^64 as two's
 * complement; then
 *   y[n] = floor(acc / 2^(@W1@ - @NAME@_POST_SHIFT)), saturated to @W@ bits,
 * is the section's output and the next section's input. Each section keeps its own
 * x[n-1], x[n-2], y[n-1], y[n-2].
)";

constexpr const char* kFloatingCode = R"(/* Zeroes the state. */
static inline void @NAME@_init(@NAME@_state *s)
{
    int k;
    for (k = 0; k < @NAME@_SECTIONS; ++k) {
        s->state[k][0] = 0;
        s->state[k][1] = 0;
    }
}

/* Filters n samples of one channel; in and out may be the same array. */
static inline void @NAME@_process(@NAME@_state *s, const @TYPE@ *in, @TYPE@ *out, size_t n)
{
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#endif
    size_t i;
    int k;
    for (i = 0; i < n; ++i) {
        @TYPE@ x = in[i];
        for (k = 0; k < @NAME@_SECTIONS; ++k) {
            const @TYPE@ *c = @NAME@_coefficients[k];
            @TYPE@ *m = s->state[k];
            const @TYPE@ y = c[0] * x + m[0];
            m[0] = c[1] * x - c[3] * y + m[1];
            m[1] = c[2] * x - c[4] * y;
            x = y;
        }
        out[i] = x;
    }
}
)";

constexpr const char* kFixedCode = R"(/* Zeroes the state. */
static inline void @NAME@_init(@NAME@_state *s)
{
    int k;
    int j;
    for (k = 0; k < @NAME@_SECTIONS; ++k) {
        for (j = 0; j < 4; ++j) {
            s->state[k][j] = 0;
        }
    }
}

/* Filters n samples of one channel; in and out may be the same array. */
static inline void @NAME@_process(@NAME@_state *s, const @TYPE@ *in, @TYPE@ *out, size_t n)
{
    size_t i;
    int k;
    for (i = 0; i < n; ++i) {
        int64_t x = in[i];
        for (k = 0; k < @NAME@_SECTIONS; ++k) {
            const @TYPE@ *c = @NAME@_coefficients[k];
            @TYPE@ *m = s->state[k];
            /* Unsigned sums wrap modulo 2^64 without undefined behaviour. */
            const uint64_t acc = (uint64_t)((int64_t)c[0] * x) +
                                 (uint64_t)((int64_t)c[1] * m[0]) +
                                 (uint64_t)((int64_t)c[2] * m[1]) +
                                 (uint64_t)((int64_t)c[3] * m[2]) +
                                 (uint64_t)((int64_t)c[4] * m[3]);
            int64_t y;
            /* floor(acc / 2^shift) of the two's complement sum, without converting an
               out-of-range value or shifting a negative one. */
            if (acc >> 63) {
                y = -(int64_t)(~acc >> (@W1@ - @NAME@_POST_SHIFT)) - 1;
            } else {
                y = (int64_t)(acc >> (@W1@ - @NAME@_POST_SHIFT));
            }
            if (y > INT@W@_MAX) {
                y = INT@W@_MAX;
            } else if (y < INT@W@_MIN) {
                y = INT@W@_MIN;
            }
            m[1] = m[0];
            m[0] = (@TYPE@)x;
            m[3] = m[2];
            m[2] = (@TYPE@)y;
            x = y;
        }
        out[i] = (@TYPE@)x;
    }
}
)";

std::string Substituted(std::string text,
                        const std::vector<std::pair<std::string, std::string>>& markers) {
    for (const auto& [marker, value] : markers) {
        for (size_t at = text.find(marker); at != std::string::npos;
             at = text.find(marker, at + value.size())) {
            text.replace(at, marker.size(), value);
        }
    }
    return text;
}

// "%.17g" of a double or "%.9g" of a float, both of which read back exactly, as a C
// constant: with a decimal point or an exponent, and the suffix of a float.
std::string FloatConstant(double value, bool isFloat) {
    std::string text = FormatC(isFloat ? "%.9g" : "%.17g", value);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return isFloat ? text + "f" : text;
}

// -2^(W-1) has no constant of its own in C: the minus would apply to 2^(W-1), of a
// wider type.
std::string WordConstant(std::int32_t word, int w) {
    return word == -(std::int64_t{1} << (w - 1)) ? FormatC("INT%d_MIN", w) : FormatC("%d", word);
}

std::string CoefficientRows(const QuantizedCascade& q) {
    const int w = WordLength(q.arithmetic);
    std::string text;
    for (size_t k = 0; k < q.stored.sections.size(); ++k) {
        std::vector<std::string> values;
        if (w > 0) {
            for (std::int32_t word : q.integers[k]) {
                values.push_back(WordConstant(word, w));
            }
        } else {
            const FBiquad& s = q.stored.sections[k];
            for (double c : {s.b[0].r, s.b[1].r, s.b[2].r, s.a[1].r, s.a[2].r}) {
                values.push_back(FloatConstant(c, q.arithmetic == Arithmetic::F32));
            }
        }
        text += "    {" + values[0];
        for (size_t j = 1; j < values.size(); ++j) {
            text += ", " + values[j];
        }
        text += k + 1 < q.stored.sections.size() ? "},\n" : "}\n";
    }
    return text;
}

// The text as it may stand in a comment, which it must not end.
std::string CommentSafe(std::string text) {
    for (size_t at = text.find("*/"); at != std::string::npos; at = text.find("*/")) {
        text.replace(at, 2, "* /");
    }
    return text;
}

} // namespace

std::string CHeaderText(const QuantizedCascade& q, const std::string& name,
                        const std::string& designName) {
    const int w = WordLength(q.arithmetic);
    const std::string type = q.arithmetic == Arithmetic::F64   ? "double"
                             : q.arithmetic == Arithmetic::F32 ? "float"
                                                               : FormatC("int%d_t", w);
    std::string guard = name + "_H";
    std::transform(guard.begin(), guard.end(), guard.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const size_t count = q.stored.sections.size();
    std::string text = FormatC("/* @NAME@: the design @DESIGN@ in %s arithmetic,\n"
                               " * %zu second-order section%s, peak-scaled: the cascade of the "
                               "first k sections\n"
                               " * has unit peak gain for every k. Written by qen export.\n *\n",
                               ArithmeticName(q.arithmetic).c_str(), count, count == 1 ? "" : "s");
    text += w > 0 ? kFixedArithmetic : kFloatingArithmetic;
    text += " */\n#ifndef " + guard + "\n#define " + guard + "\n\n";
    text += "#include <stddef.h>\n#include <stdint.h>\n\n";
    text += FormatC("#define @NAME@_SECTIONS %zu\n", count);
    if (w > 0) {
        text += FormatC("#define @NAME@_POST_SHIFT %d\n", q.postShift);
    }
    text += "\ntypedef struct {\n";
    text += w > 0 ? "    @TYPE@ state[@NAME@_SECTIONS][4]; /* x[n-1], x[n-2], y[n-1], y[n-2] */\n"
                  : "    @TYPE@ state[@NAME@_SECTIONS][2]; /* s1, s2 */\n";
    text += "} @NAME@_state;\n\n"
            "/* b0, b1, b2, a1, a2 of each section, in the order they run. */\n"
            "static const @TYPE@ @NAME@_coefficients[@NAME@_SECTIONS][5] = {\n";
    text += CoefficientRows(q) + "};\n\n";
    text += w > 0 ? kFixedCode : kFloatingCode;
    text += "\n#endif\n";
    // The design's name last, as it may hold anything, markers included.
    return Substituted(text, {{"@TYPE@", type},
                              {"@W1@", FormatC("%d", w - 1)},
                              {"@W@", FormatC("%d", w)},
                              {"@NAME@", name},
                              {"@DESIGN@", CommentSafe(designName)}});
}
