#include "export/ExportText.h"

#include "core/FormatC.h"
#include "export/CExport.h"

#include <cctype>

namespace {

// The six coefficients b0, b1, b2, a0, a1, a2 of each section as stored.
std::vector<std::string> SectionRows(const QuantizedCascade& q, const char* separator) {
    std::vector<std::string> rows;
    for (const FBiquad& s : q.stored.sections) {
        rows.push_back(FormatC("%.17g%s%.17g%s%.17g%s%.17g%s%.17g%s%.17g", s.b[0].r, separator,
                               s.b[1].r, separator, s.b[2].r, separator, s.a[0].r, separator,
                               s.a[1].r, separator, s.a[2].r));
    }
    return rows;
}

std::vector<std::string> WordRows(const QuantizedCascade& q) {
    std::vector<std::string> rows;
    for (const std::array<std::int32_t, 5>& w : q.integers) {
        rows.push_back(FormatC("%d, %d, %d, %d, %d", w[0], w[1], w[2], w[3], w[4]));
    }
    return rows;
}

// The rows as a list of lists, each row on a line of its own after indent.
std::string ListOfLists(const std::vector<std::string>& rows, const std::string& indent) {
    std::string text = "[\n";
    for (size_t k = 0; k < rows.size(); ++k) {
        text += indent + "[" + rows[k] + (k + 1 < rows.size() ? "],\n" : "]\n");
    }
    return text + indent.substr(4) + "]";
}

// A line of text for a comment that ends at the line's end.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

std::string PythonText(const QuantizedCascade& q, const std::string& designName) {
    const std::string& arith = ArithmeticName(q.arithmetic);
    std::string text =
        FormatC("# The design %s as %zu second-order sections in %s arithmetic,\n",
                OneLine(designName).c_str(), q.stored.sections.size(), arith.c_str());
    text += "# peak-scaled: the cascade of the first k sections has unit peak gain for every k.\n"
            "# Written by qen export.\n\n"
            "# One row [b0, b1, b2, a0, a1, a2] per section, the coefficients as " +
            arith + " stores them,\n# for scipy.signal.sosfilt(sos, x).\n";
    text += "sos = " + ListOfLists(SectionRows(q, ", "), "    ") + "\n";
    const int w = WordLength(q.arithmetic);
    if (w > 0) {
        text += FormatC("\n# The words [b0, b1, b2, a1', a2'] of each section, a1' = -a1 and "
                        "a2' = -a2:\n"
                        "# y[n] = floor((b0 x[n] + b1 x[n-1] + b2 x[n-2] + a1' y[n-1] + a2' "
                        "y[n-2]) / 2**(%d - post_shift)),\n"
                        "# saturated to %d bits, the sum taken modulo 2**64.\n",
                        w - 1, w);
        text += FormatC("post_shift = %d\n", q.postShift);
        text += "coefficients = " + ListOfLists(WordRows(q), "    ") + "\n";
    }
    return text;
}

std::string JsonText(const QuantizedCascade& q) {
    std::string text = "{\n    \"arith\": \"" + ArithmeticName(q.arithmetic) +
                       "\",\n    \"sos\": " + ListOfLists(SectionRows(q, ", "), "        ");
    if (WordLength(q.arithmetic) > 0) {
        text += FormatC(",\n    \"post_shift\": %d,\n    \"coefficients\": ", q.postShift) +
                ListOfLists(WordRows(q), "        ");
    }
    return text + "\n}\n";
}

std::string CsvText(const QuantizedCascade& q) {
    std::string text;
    for (const std::string& row : SectionRows(q, ",")) {
        text += row + "\n";
    }
    return text;
}

} // namespace

const std::vector<std::string>& ExportFormatNames() {
    static const std::vector<std::string> names = {"c", "python", "json", "csv"};
    return names;
}

std::string ExportName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) > 127) {
            c = '_';
        }
    }
    if (name.empty()) {
        return "filter";
    }
    return std::isdigit(static_cast<unsigned char>(name[0])) ? "filter_" + name : name;
}

bool IsExportName(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) {
        return false;
    }
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u > 127 || (!std::isalnum(u) && c != '_')) {
            return false;
        }
    }
    return true;
}

std::string ExportText(const QuantizedCascade& cascade, ExportFormat format,
                       const std::string& name, const std::string& designName) {
    switch (format) {
    case ExportFormat::C:
        return CHeaderText(cascade, name, designName);
    case ExportFormat::Python:
        return PythonText(cascade, designName);
    case ExportFormat::Json:
        return JsonText(cascade);
    case ExportFormat::Csv:
        return CsvText(cascade);
    }
    return {};
}
