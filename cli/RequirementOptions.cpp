#include "cli/RequirementOptions.h"

#include "core/FormatC.h"

#include <charconv>
#include <cmath>

namespace {

using Band = Requirement::Band;

std::string EdgesText(const std::array<double, 2>& edges, Band band) {
    return FStandardDesign::IsBand(band) ? FormatC("%.10g:%.10g", edges[0], edges[1])
                                         : FormatC("%.10g", edges[0]);
}

// A number as Arguments reads one: the C locale's notation, nothing around it.
bool ParseHz(const std::string& text, double* value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, *value);
    return error == std::errc() && stop == end && std::isfinite(*value);
}

// F, or F1:F2 for the band types.
bool ReadEdges(const Arguments& args, const char* option, Band band, std::array<double, 2>* edges,
               std::string* problem) {
    const std::string* text = args.Value(option);
    if (text == nullptr) {
        *problem = std::string(option) + " is required";
        return false;
    }
    const bool two = FStandardDesign::IsBand(band);
    const size_t colon = text->find(':');
    const std::vector<std::string> parts =
        colon == std::string::npos
            ? std::vector<std::string>{*text}
            : std::vector<std::string>{text->substr(0, colon), text->substr(colon + 1)};
    if (parts.size() != (two ? 2u : 1u)) {
        *problem = Arguments::Refusal(
            option, *text,
            two ? std::string("a ") + Requirement::BandName(band) + " needs two edges, F1:F2"
                : std::string("a ") + Requirement::BandName(band) + " takes one edge");
        return false;
    }
    *edges = {0.0, 0.0};
    for (size_t k = 0; k < parts.size(); ++k) {
        if (!ParseHz(parts[k], &(*edges)[k])) {
            *problem = Arguments::Refusal(option, *text,
                                          two ? "must be two numbers of Hz as F1:F2"
                                              : "must be a number of Hz");
            return false;
        }
    }
    return true;
}

// Where the stopband must lie beside the passband, for the band type.
const char* StopbandPlace(Band band) {
    switch (band) {
    case Band::Lowpass:
        return "above the passband";
    case Band::Highpass:
        return "below the passband";
    case Band::Bandpass:
        return "around the passband, the lower edge first";
    case Band::Bandstop:
        return "inside the passband, the lower edge first";
    }
    return "";
}

} // namespace

bool ReadRequirementOptions(const Arguments& args, double rate, Requirement* req,
                            std::string* problem) {
    if (!ReadEdges(args, "--passband", req->band, &req->passband, problem) ||
        !ReadEdges(args, "--stopband", req->band, &req->stopband, problem) ||
        !args.ReadNumber("--ripple", "a number of dB", &req->rippleDb, problem) ||
        !args.ReadNumber("--attenuation", "a number of dB", &req->attenuationDb, problem)) {
        return false;
    }
    const Requirement::Problem refused = req->CheckAtRate(rate);
    *problem = RequirementRefusal(args, *req, rate, refused);
    return refused == Requirement::Problem::None;
}

std::string RequirementRefusal(const Arguments& args, const Requirement& req, double rate,
                               Requirement::Problem problem) {
    const auto refusal = [&args](const char* option, const std::string& value,
                                 const std::string& requirement) {
        const std::string* given = args.Value(option);
        return Arguments::Refusal(option, given != nullptr ? *given : value, requirement);
    };
    const std::string between =
        FormatC("must lie strictly between 0 and half the rate (%g Hz)", rate / 2.0);
    switch (problem) {
    case Requirement::Problem::Rate:
        return refusal("--rate", FormatC("%g", rate), "must be a positive number of Hz");
    case Requirement::Problem::Passband:
        return refusal("--passband", EdgesText(req.passband, req.band),
                       between +
                           (FStandardDesign::IsBand(req.band) ? ", the lower edge first" : ""));
    case Requirement::Problem::Stopband:
        return refusal("--stopband", EdgesText(req.stopband, req.band),
                       between + ", " + StopbandPlace(req.band));
    case Requirement::Problem::Ripple:
        return refusal(
            "--ripple", FormatC("%g", req.rippleDb),
            FormatC("must be above 0 dB and at most %g dB", FStandardDesign::kMaxDecibels));
    case Requirement::Problem::Attenuation:
        return refusal("--attenuation", FormatC("%g", req.attenuationDb),
                       FormatC("must be above the ripple (%g dB) and at most %g dB", req.rippleDb,
                               FStandardDesign::kMaxDecibels));
    case Requirement::Problem::None:
        break;
    }
    return {};
}
