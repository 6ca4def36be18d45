#include "text/NodeValueText.h"

#include "core/FormatC.h"

namespace {

// The formats of one precision: cartesian, polar radians, polar degrees.
struct ValueFormats {
    const char* cartesian;
    const char* radians;
    const char* degrees;
};

std::string ValueText(FComplex value, int units, const ValueFormats& f) {
    switch (units) {
    case kUnitsCartesian:
        return FormatC(f.cartesian, value.r, value.i);
    case kUnitsPolarRadians:
        return FormatC(f.radians, value.Mag(), value.Phase());
    default:
        return FormatC(f.degrees, value.Mag(), value.Phase() * 180.0 / 3.141592653589793);
    }
}

} // namespace

std::string NodeValueText(FComplex value, int units) {
    return ValueText(value, units, {"%.4f %+0.4fj", "%.4f %.4f rad", "%.4f %.4f deg"});
}

std::string FullNodeValueText(FComplex value, int units) {
    return ValueText(value, units, {"%.17g %+.17gj", "%.17g %.17g rad", "%.17g %.17g deg"});
}

bool ParseNodeValue(const char* text, int units, FComplex* value) {
    switch (units) {
    case kUnitsCartesian:
        return FComplex::IsValidCpxString(text, value);
    case kUnitsPolarRadians:
        return FComplex::IsValidPolarString(text, value, true);
    default:
        return FComplex::IsValidPolarString(text, value, false);
    }
}
