// Hot paths of the analysis engine: the frequency response the views rebuild on every
// edit, the per-sample filter step, audio filtering of whole blocks of frames in double
// and in fixed point, the audio scale, polynomial expansion, the standard design
// generator, and qen import of long polynomials.
#include "arith/QuantizedFilter.h"
#include "audio/live/CStreamEngine.h"
#include "cli/QenTool.h"
#include "core/FNodeList.h"
#include "core/FormatC.h"
#include "design/iir/FStandardDesign.h"
#include "design/requirement/MinimumOrder.h"
#include "design/requirement/RequirementCheck.h"
#include "filter/FDEMaker.h"
#include "filter/PeakGain.h"
#include "filter/Stability.h"
#include "response/FFreqResponse.h"
#include "response/FInputResponse.h"
#include "run/FSectionFilter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

// A design of conjugate pairs spread inside the unit circle: pairs * 2 roots per type.
FNodeList SpreadDesign(int polePairs, int zeroPairs) {
    FNodeList list;
    for (int k = 0; k < polePairs; ++k) {
        FComplex v;
        v.SetByRadian(0.6 + 0.3 * k / polePairs, 0.2 + 2.8 * k / polePairs);
        list.AddNode(FNode(kNodePole, v, true, 1));
    }
    for (int k = 0; k < zeroPairs; ++k) {
        FComplex v;
        v.SetByRadian(1.0, 0.5 + 2.5 * k / zeroPairs);
        list.AddNode(FNode(kNodeZero, v, true, 1));
    }
    return list;
}

void BM_FreqResponseInitialize(benchmark::State& state) {
    const FNodeList list = SpreadDesign(5, 5); // 20 roots
    FFreqResponse response;
    for (auto _ : state) {
        response.Initialize(Zpk::FromNodeList(list), 1023);
        benchmark::DoNotOptimize(response.Scale());
    }
}
BENCHMARK(BM_FreqResponseInitialize);

void BM_InputResponseMillionSamples(benchmark::State& state) {
    const FNodeList list = SpreadDesign(4, 4); // 8 poles: 9 coefficients
    FInputResponse response;
    response.Initialize(Zpk::FromNodeList(list));
    for (auto _ : state) {
        for (int n = 0; n < 1000000; ++n) {
            // A cheap sawtooth, so the input costs next to nothing.
            benchmark::DoNotOptimize(response.GetNextSample((n & 1023) * (1.0 / 512) - 1.0));
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_InputResponseMillionSamples)->Unit(benchmark::kMillisecond);

void BM_SectionFilterStereoBlocks(benchmark::State& state) {
    const FNodeList list = SpreadDesign(4, 4); // 8 poles: 9 coefficients
    FSectionFilter filter;
    SosCascade cascade = *SosCascade::FromZpk(Zpk::FromNodeList(list));
    cascade.gain = 0.25;
    filter.Initialize(cascade, 2);
    std::vector<double> input(2 * 2500);
    for (size_t n = 0; n < input.size(); n += 2) {
        input[n] = static_cast<double>((n & 1023) << 4) - 8192.0;
        input[n + 1] = -input[n];
    }
    std::vector<double> block(input.size());
    for (auto _ : state) {
        block = input;
        filter.Process(block.data(), block.size() / 2);
        benchmark::DoNotOptimize(block.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(block.size() / 2));
}
BENCHMARK(BM_SectionFilterStereoBlocks);

// The same design and blocks as BM_SectionFilterStereoBlocks in q15 arithmetic, on
// 16-bit samples.
void BM_QuantizedFilterStereoBlocksQ15(benchmark::State& state) {
    QuantizedFilter filter;
    filter.Initialize(Quantize(Zpk::FromNodeList(SpreadDesign(4, 4)), Arithmetic::Q15), 2, 16);
    std::vector<double> input(2 * 2500);
    for (size_t n = 0; n < input.size(); n += 2) {
        input[n] = static_cast<double>((n & 1023) << 4) - 8192.0;
        input[n + 1] = -input[n];
    }
    std::vector<double> block(input.size());
    for (auto _ : state) {
        block = input;
        filter.Process(block.data(), block.size() / 2);
        benchmark::DoNotOptimize(block.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(block.size() / 2));
}
BENCHMARK(BM_QuantizedFilterStereoBlocksQ15);

// qen import --ba of b and a of 200 coefficients each (goal: under 50 ms): a 200-tap
// windowed-sinc low-pass over the expansion of 199 poles spread inside the circle.
void BM_ImportTransferFunction200(benchmark::State& state) {
    std::string b;
    for (int n = 0; n < 200; ++n) {
        const double t = n - 99.5;
        const double window = 0.54 - 0.46 * std::cos(2 * kPi * n / 199);
        b += FormatC("%.17g ", window * std::sin(0.3 * kPi * t) / (kPi * t));
    }
    FDEMaker de;
    de.Load(Zpk::FromNodeList(SpreadDesign(99, 0)) /* 198 poles */);
    std::string a;
    for (int k = de.PolePolyCnt() - 1; k >= 0; --k) {
        a += FormatC("%.17g ", de.GetPolePolyCoeff(k).r);
    }
    a += "0.5";
    char path[] = "/tmp/qen-bench-XXXXXX";
    const int fd = mkstemp(path);
    const std::string text = b + "\n" + a + "\n";
    if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        state.SkipWithError("cannot write the coefficients");
        return;
    }
    close(fd);
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        benchmark::DoNotOptimize(RunQen({"import", "--ba", path}, out, err));
    }
    std::remove(path);
}
BENCHMARK(BM_ImportTransferFunction200)->Unit(benchmark::kMillisecond);

void BM_DEMakerLoadNodeList(benchmark::State& state) {
    const FNodeList list = SpreadDesign(10, 10); // 40 roots
    FDEMaker maker;
    for (auto _ : state) {
        maker.Load(Zpk::FromNodeList(list));
        benchmark::DoNotOptimize(maker.GetPolePolyCoeff(0));
    }
}
BENCHMARK(BM_DEMakerLoadNodeList);

// The largest standard designs: 20th-order band-passes, 40 poles and 40 zeros. Bessel
// finds its polynomial's roots, elliptic solves the degree equation.
void BM_StandardDesignBandpass20(benchmark::State& state) {
    FStandardDesign design;
    design.family = static_cast<FStandardDesign::Family>(state.range(0));
    design.band = FStandardDesign::Band::Bandpass;
    design.order = 20;
    design.corner = 1000;
    design.corner2 = 2000;
    for (auto _ : state) {
        Zpk zpk;
        design.Design(&zpk);
        benchmark::DoNotOptimize(zpk.poles.size());
    }
}
BENCHMARK(BM_StandardDesignBandpass20)
    ->Arg(int(FStandardDesign::Family::Butterworth))
    ->Arg(int(FStandardDesign::Family::Bessel))
    ->Arg(int(FStandardDesign::Family::Elliptic))
    ->Unit(benchmark::kMicrosecond);

// What the compact view recomputes on every step of a drag: 101 points of a design of
// 40 roots, each the product of its root factors.
void BM_CompactViewResponse40Roots(benchmark::State& state) {
    const FNodeList list = SpreadDesign(10, 10);
    FFreqResponse response;
    for (auto _ : state) {
        response.Initialize(Zpk::FromNodeList(list), 100);
        benchmark::DoNotOptimize(response.Scale());
    }
}
BENCHMARK(BM_CompactViewResponse40Roots)->Unit(benchmark::kMicrosecond);

// The audio scale of a design of 40 roots, taken once per filtering run.
void BM_TruePeakGain40Roots(benchmark::State& state) {
    const Zpk roots = Zpk::FromNodeList(SpreadDesign(10, 10));
    for (auto _ : state) {
        benchmark::DoNotOptimize(TruePeakGain(roots));
    }
}
BENCHMARK(BM_TruePeakGain40Roots)->Unit(benchmark::kMicrosecond);

// What the main window's status bar works out on each step of a drag while an arithmetic
// is chosen: the design of 40 roots quantized (peak scaling included) and its stability.
void BM_QuantizeDragStep40Roots(benchmark::State& state) {
    const FNodeList list = SpreadDesign(10, 10);
    for (auto _ : state) {
        const QuantizedCascade quantized = Quantize(Zpk::FromNodeList(list), Arithmetic::Q15);
        benchmark::DoNotOptimize(IsStable(quantized.roots));
    }
}
BENCHMARK(BM_QuantizeDragStep40Roots)->Unit(benchmark::kMicrosecond);

// The live stream's device callback: one block of 256 stereo frames through a design of
// 40 roots. The block lasts 5.33 ms at 48 kHz; the goal is under 5 % of that (267 us).
// With fade set, every block is cross-faded from the other of two designs, which runs
// both filters: the worst case.
void BM_StreamBlock40Roots(benchmark::State& state) {
    const bool fade = state.range(0) != 0;
    const FNodeList designs[] = {SpreadDesign(10, 10), SpreadDesign(9, 9)};
    CStreamEngine engine(2, 48000.0);
    engine.Publish(CStreamDesign::Build(Zpk::FromNodeList(designs[0]), 2));
    std::vector<float> block(2 * 256);
    int n = 0;
    for (auto _ : state) {
        if (fade) {
            state.PauseTiming();
            engine.Publish(CStreamDesign::Build(Zpk::FromNodeList(designs[++n % 2]), 2));
            engine.CollectRetired();
            state.ResumeTiming();
        }
        for (size_t i = 0; i < block.size(); ++i) {
            block[i] = static_cast<float>(static_cast<double>((i * 37) & 1023) / 2048 - 0.25);
        }
        engine.Render(block.data(), 256);
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(BM_StreamBlock40Roots)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What the user-interface thread does on each step of a drag while the stream plays:
// the sections and the true peak gain of a design of 40 roots.
void BM_StreamDesignBuild40Roots(benchmark::State& state) {
    const FNodeList list = SpreadDesign(10, 10);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CStreamDesign::Build(Zpk::FromNodeList(list), 2));
    }
}
BENCHMARK(BM_StreamDesignBuild40Roots)->Unit(benchmark::kMicrosecond);

// Requirements of each type, indexed by the band's place in its enum.
Requirement TypeRequirement(int band) {
    using Band = FStandardDesign::Band;
    const Requirement reqs[] = {{Band::Lowpass, {1000, 0}, {1200, 0}, 0.5, 60},
                                {Band::Highpass, {1200, 0}, {1000, 0}, 0.5, 60},
                                {Band::Bandpass, {1000, 2000}, {900, 2200}, 0.5, 60},
                                {Band::Bandstop, {800, 2400}, {1000, 2000}, 0.5, 60}};
    return reqs[band];
}

// The Magnitude Requirement panel's table: the minimum order of all four families,
// recomputed on every change of a field. The goal is under 5 ms.
void BM_MinimumOrderTable(benchmark::State& state) {
    const Requirement req = TypeRequirement(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (const auto family :
             {FStandardDesign::Family::Butterworth, FStandardDesign::Family::Chebyshev,
              FStandardDesign::Family::InverseChebyshev, FStandardDesign::Family::Elliptic}) {
            benchmark::DoNotOptimize(MinimumOrderDesign(family, req, 8000));
        }
    }
}
BENCHMARK(BM_MinimumOrderTable)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// An elliptic design of 40 roots for the requirement of each type: poles close to the
// circle across the passband, zeros on it in the stopbands.
FNodeList EllipticDesign40Roots(int band) {
    FStandardDesign design;
    design.family = FStandardDesign::Family::Elliptic;
    design.band = static_cast<FStandardDesign::Band>(band);
    design.order = FStandardDesign::IsBand(design.band) ? 10 : 20;
    const Requirement req = TypeRequirement(band);
    design.corner = req.passband[0];
    design.corner2 = req.passband[1];
    design.rippleDb = req.rippleDb;
    design.attenuationDb = req.attenuationDb;
    Zpk zpk;
    design.Design(&zpk);
    FNodeList list;
    zpk.AddToNodeList(&list);
    return list;
}

// One step of a drag with a requirement set: the compact view's 101 points and the
// check of the design against the requirement, for a design of 40 roots. The goal is
// under 1 ms.
void BM_DragStepWithRequirement40Roots(benchmark::State& state) {
    const int band = static_cast<int>(state.range(0));
    const FNodeList list = EllipticDesign40Roots(band);
    const Requirement req = TypeRequirement(band);
    FFreqResponse response;
    for (auto _ : state) {
        const Zpk zpk = Zpk::FromNodeList(list);
        response.Initialize(zpk, 100);
        benchmark::DoNotOptimize(CheckRequirement(zpk, req, 8000).Holds());
    }
}
BENCHMARK(BM_DragStepWithRequirement40Roots)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// qen check of a design file of 40 roots (an elliptic band-pass of order 10) that keeps
// its requirement, as a whole run: reading the file, checking and writing the report.
// The goal is under 20 ms.
void BM_QenCheck40Roots(benchmark::State& state) {
    const std::string path = "/tmp/qen-bench-check.pzd";
    std::ostringstream out, err;
    RunQen({"design", "elliptic", "bandpass", "--passband", "1000:2000", "--stopband", "900:2200",
            "--ripple", "0.1", "--attenuation", "90", "-o", path},
           out, err);
    for (auto _ : state) {
        std::ostringstream report;
        benchmark::DoNotOptimize(RunQen({"check", path}, report, err));
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_QenCheck40Roots)->Unit(benchmark::kMillisecond);

} // namespace
