#include "analysis/NodeValueText.h"

#include "core/FormatC.h"

std::string NodeValueText(FComplex value, int units) {
    switch (units) {
    case kUnitsCartesian:
        return FormatC("%.4f %+0.4fj", value.r, value.i);
    case kUnitsPolarRadians:
        return FormatC("%.4f %.4f rad", value.Mag(), value.Phase());
    default:
        return FormatC("%.4f %.4f deg", value.Mag(), value.Phase() * 180.0 / 3.141592653589793);
    }
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
