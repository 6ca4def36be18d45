#include "text/DifferenceEquationText.h"

#include "core/FormatC.h"

std::string DifferenceEquationLine(const FInputResponse& response) {
    const int n = response.CpxCount();
    std::string text = "y[n] = ";
    for (int d = 0; d < n; ++d) {
        const double c = response.GetXDelayCoeff(d).r;
        text += "+" + FourDecimals(c) + (d == 0 ? std::string("*x[n] ") : FormatC("*x[n-%d] ", d));
    }
    for (int d = 1; d < n; ++d) {
        text += "+" + FourDecimals(response.GetYDelayCoeff(d).r) + FormatC("*y[n-%d] ", d);
    }
    return text;
}

std::string DifferenceEquationFileText(const FInputResponse& response) {
    const int n = response.CpxCount();
    std::string text = "y[n] = ";
    for (int d = 0; d < n; ++d) {
        const double c = response.GetXDelayCoeff(d).r;
        text += d == 0 ? FormatC("%+0.4f*x[n] ", c) : FormatC("%+0.4f*x[n-%d] ", c, d);
        if (d % 2 == 0) {
            text += "\n\t";
        }
    }
    text += "\n\t";
    for (int d = 1; d < n; ++d) {
        text += FormatC("%+0.4f*y[n-%d] ", response.GetYDelayCoeff(d).r, d);
        if (d % 2 == 0) {
            text += "\n\t";
        }
    }
    return text;
}
