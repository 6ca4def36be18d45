#include "design/requirement/Requirement.h"

#include <cmath>

namespace {

using Band = Requirement::Band;

constexpr Band kBands[] = {Band::Lowpass, Band::Highpass, Band::Bandpass, Band::Bandstop};

// Every edge the type uses is finite and above 0, a pair ascending.
bool Ascending(const std::array<double, 2>& edges, Band band) {
    const bool first = std::isfinite(edges[0]) && edges[0] > 0.0;
    if (!FStandardDesign::IsBand(band)) {
        return first;
    }
    return first && std::isfinite(edges[1]) && edges[1] > edges[0];
}

// Whether the stopband lies where the type needs it beside the passband.
bool StopbandInPlace(const Requirement& s) {
    switch (s.band) {
    case Band::Lowpass:
        return s.stopband[0] > s.passband[0];
    case Band::Highpass:
        return s.stopband[0] < s.passband[0];
    case Band::Bandpass:
        return s.stopband[0] < s.passband[0] && s.stopband[1] > s.passband[1];
    case Band::Bandstop:
        return s.stopband[0] > s.passband[0] && s.stopband[1] < s.passband[1];
    }
    return false;
}

double HighestEdge(const std::array<double, 2>& edges, Band band) {
    return FStandardDesign::IsBand(band) ? edges[1] : edges[0];
}

} // namespace

Requirement::Problem Requirement::Check() const {
    if (!Ascending(passband, band)) {
        return Problem::Passband;
    }
    if (!Ascending(stopband, band) || !StopbandInPlace(*this)) {
        return Problem::Stopband;
    }
    if (!(rippleDb > 0.0 && rippleDb <= FStandardDesign::kMaxDecibels)) {
        return Problem::Ripple;
    }
    if (!(attenuationDb > rippleDb && attenuationDb <= FStandardDesign::kMaxDecibels)) {
        return Problem::Attenuation;
    }
    return Problem::None;
}

Requirement::Problem Requirement::CheckAtRate(double rate) const {
    const Problem problem = Check();
    if (problem != Problem::None) {
        return problem;
    }
    if (!std::isfinite(rate) || rate <= 0.0) {
        return Problem::Rate;
    }
    if (HighestEdge(passband, band) >= rate / 2.0) {
        return Problem::Passband;
    }
    if (HighestEdge(stopband, band) >= rate / 2.0) {
        return Problem::Stopband;
    }
    return Problem::None;
}

std::vector<Requirement::Region> Requirement::Regions(double rate) const {
    const double nyquist = rate / 2.0;
    const Region pass = {false, passband[0], passband[1], rippleDb};
    const Region stop = {true, stopband[0], stopband[1], attenuationDb};
    switch (band) {
    case Band::Lowpass:
        return {{false, 0.0, passband[0], rippleDb}, {true, stopband[0], nyquist, attenuationDb}};
    case Band::Highpass:
        return {{true, 0.0, stopband[0], attenuationDb}, {false, passband[0], nyquist, rippleDb}};
    case Band::Bandpass:
        return {{true, 0.0, stopband[0], attenuationDb},
                pass,
                {true, stopband[1], nyquist, attenuationDb}};
    case Band::Bandstop:
        return {{false, 0.0, passband[0], rippleDb}, stop, {false, passband[1], nyquist, rippleDb}};
    }
    return {};
}

const char* Requirement::BandName(Band band) {
    switch (band) {
    case Band::Lowpass:
        return "lowpass";
    case Band::Highpass:
        return "highpass";
    case Band::Bandpass:
        return "bandpass";
    case Band::Bandstop:
        return "bandstop";
    }
    return "";
}

bool Requirement::BandNamed(const std::string& name, Band* band) {
    for (const Band b : kBands) {
        if (name == BandName(b)) {
            *band = b;
            return true;
        }
    }
    return false;
}
