#include "import/CoefficientImport.h"

#include "core/FNodeList.h"
#include "filter/PolynomialRoots.h"
#include "filter/SosCascade.h"
#include "import/JsonCoefficients.h"

#include <algorithm>
#include <cmath>

namespace {

CoefficientImport Refused(int line, std::string reason) {
    CoefficientImport refused;
    refused.problem = {line, std::move(reason)};
    return refused;
}

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool AllZero(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return v == 0.0; });
}

std::vector<FComplex> Roots(const std::vector<double>& highestFirst) {
    std::vector<FComplex> roots;
    for (const std::complex<double>& r : RealPolynomialRoots(highestFirst)) {
        roots.emplace_back(r.real(), r.imag());
    }
    return roots;
}

bool IsJson(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string::npos && text[first] == '{';
}

// The rows of a text: JSON through json, else lines of numbers.
bool ReadRows(const std::string& text,
              bool (*json)(const std::string&, std::vector<CoefficientRow>*, ImportProblem*),
              std::vector<CoefficientRow>* rows, ImportProblem* problem) {
    return IsJson(text) ? json(text, rows, problem) : ReadCoefficientRows(text, rows, problem);
}

} // namespace

CoefficientImport ImportTransferFunction(const std::vector<CoefficientRow>& rows) {
    if (rows.empty()) {
        return Refused(1, "no numbers");
    }
    if (rows.size() == 1) {
        return Refused(rows[0].line, "only one line of numbers: give b, then a on the next");
    }
    if (rows.size() > 2) {
        return Refused(rows[2].line, "more than two lines of numbers: give b, then a");
    }
    const CoefficientRow& b = rows[0];
    const CoefficientRow& a = rows[1];
    for (const auto& [row, name] : {std::pair(&b, "b"), std::pair(&a, "a")}) {
        if (row->values.empty()) {
            return Refused(row->line, std::string(name) + " is empty");
        }
        if (!AllFinite(row->values)) {
            return Refused(row->line, std::string(name) + " holds a number that is not finite");
        }
    }
    if (a.values[0] == 0.0) {
        return Refused(a.line, "a0 is 0");
    }
    if (AllZero(b.values)) {
        return Refused(b.line, "b is all zeros");
    }
    const size_t length = std::max(b.values.size(), a.values.size());
    if (length - 1 > static_cast<size_t>(FNodeList::kMaxNodes)) {
        return Refused(b.values.size() > a.values.size() ? b.line : a.line,
                       "more than 32767 roots");
    }
    std::vector<double> numerator = b.values;
    std::vector<double> denominator = a.values;
    numerator.resize(length, 0.0);
    denominator.resize(length, 0.0);
    // Roots at the origin on both sides cancel, as they do in the sections' roots.
    while (numerator.back() == 0.0 && denominator.back() == 0.0) {
        numerator.pop_back();
        denominator.pop_back();
    }
    CoefficientImport imported;
    imported.zpk.zeros = Roots(numerator);
    imported.zpk.poles = Roots(denominator);
    imported.zpk.gain = *std::find_if(b.values.begin(), b.values.end(), [](double v) {
        return v != 0.0;
    }) / a.values[0];
    return imported;
}

CoefficientImport ImportSections(const std::vector<CoefficientRow>& rows) {
    if (rows.empty()) {
        return Refused(1, "no numbers");
    }
    SosCascade cascade;
    for (const CoefficientRow& row : rows) {
        if (row.values.size() != 6) {
            return Refused(row.line, "a section has six numbers, b0 b1 b2 a0 a1 a2, not " +
                                         std::to_string(row.values.size()));
        }
        if (!AllFinite(row.values)) {
            return Refused(row.line, "a number is not finite");
        }
        if (row.values[3] == 0.0) {
            return Refused(row.line, "a0 is 0");
        }
        if (AllZero({row.values.begin(), row.values.begin() + 3})) {
            return Refused(row.line, "b is all zeros");
        }
        if (2 * (cascade.sections.size() + 1) > static_cast<size_t>(FNodeList::kMaxNodes)) {
            return Refused(row.line, "more than 32767 roots");
        }
        FBiquad& s = cascade.sections.emplace_back();
        for (size_t k = 0; k < 3; ++k) {
            s.b[k] = FComplex(row.values[k], 0.0);
            s.a[k] = FComplex(row.values[3 + k], 0.0);
        }
    }
    CoefficientImport imported;
    imported.zpk = cascade.ToZpk();
    return imported;
}

CoefficientImport ImportTransferFunctionText(const std::string& text) {
    std::vector<CoefficientRow> rows;
    ImportProblem problem;
    if (!ReadRows(text, ReadJsonTransferFunction, &rows, &problem)) {
        return Refused(problem.line, problem.reason);
    }
    return ImportTransferFunction(rows);
}

CoefficientImport ImportSectionsText(const std::string& text) {
    std::vector<CoefficientRow> rows;
    ImportProblem problem;
    if (!ReadRows(text, ReadJsonSections, &rows, &problem)) {
        return Refused(problem.line, problem.reason);
    }
    return ImportSections(rows);
}
