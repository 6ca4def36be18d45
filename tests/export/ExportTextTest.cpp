#include "export/ExportText.h"

#include "design/iir/FStandardDesign.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Every innermost [...] group of numbers, or with brackets absent every line, as numbers.
std::vector<std::vector<double>> Rows(const std::string& text) {
    std::vector<std::vector<double>> rows;
    const bool bracketed = text.find('[') != std::string::npos;
    std::string group;
    bool inside = !bracketed;
    for (char c : text + "\n") {
        if (c == '[') {
            inside = true;
            group.clear();
        } else if ((bracketed && c == ']') || (!bracketed && c == '\n')) {
            std::istringstream numbers(group);
            numbers.imbue(std::locale::classic());
            std::vector<double> row;
            for (double v; numbers >> v;) {
                row.push_back(v);
                numbers.ignore(1);
            }
            if (inside && !row.empty()) {
                rows.push_back(row);
            }
            inside = !bracketed;
            group.clear();
        } else if (inside) {
            group += c;
        }
    }
    return rows;
}

// Python, JSON and CSV hold every stored coefficient exactly, in running order, and for
// fixed point the words and the post-shift.
TEST(ExportTextTest, EveryFormatHoldsTheStoredCoefficients) {
    FStandardDesign design;
    design.family = FStandardDesign::Family::Elliptic;
    design.band = FStandardDesign::Band::Bandpass;
    Zpk zpk;
    ASSERT_EQ(design.Design(&zpk), FStandardDesign::Problem::None);
    for (Arithmetic arithmetic :
         {Arithmetic::F64, Arithmetic::F32, Arithmetic::Q15, Arithmetic::Q31}) {
        const QuantizedCascade q = Quantize(zpk, arithmetic);
        std::vector<std::vector<double>> want;
        for (const FBiquad& s : q.stored.sections) {
            want.push_back({s.b[0].r, s.b[1].r, s.b[2].r, s.a[0].r, s.a[1].r, s.a[2].r});
        }
        if (WordLength(arithmetic) > 0) {
            for (const std::array<std::int32_t, 5>& w : q.integers) {
                want.push_back({1.0 * w[0], 1.0 * w[1], 1.0 * w[2], 1.0 * w[3], 1.0 * w[4]});
            }
        }
        for (ExportFormat format : {ExportFormat::Python, ExportFormat::Json, ExportFormat::Csv}) {
            SCOPED_TRACE(::testing::Message()
                         << ArithmeticName(arithmetic) << " " << static_cast<int>(format));
            const std::string text = ExportText(q, format, "flt", "band.pzd");
            const std::vector<std::vector<double>> rows = Rows(text);
            if (format == ExportFormat::Csv) {
                EXPECT_EQ(rows, std::vector<std::vector<double>>(
                                    want.begin(),
                                    want.begin() + static_cast<long>(q.stored.sections.size())));
            } else {
                EXPECT_EQ(rows, want);
                EXPECT_EQ(text.find("post_shift") != std::string::npos, WordLength(arithmetic) > 0);
            }
        }
    }
}

TEST(ExportTextTest, NamesAreCIdentifiers) {
    const std::pair<const char*, const char*> paths[] = {{"designs/lowpass.pzd", "lowpass"},
                                                         {"2nd-order.pzd", "filter_2nd_order"},
                                                         {"a.b.pzd", "a_b"},
                                                         {".pzd", "_pzd"},
                                                         {"dir/", "filter"},
                                                         {"\xc3\xa4.pzd", "__"}};
    for (const auto& [path, name] : paths) {
        EXPECT_EQ(ExportName(path), name);
        EXPECT_TRUE(IsExportName(name));
    }
    for (const char* bad : {"", "1x", "a-b", "a b", "\xc3\xa4"}) {
        EXPECT_FALSE(IsExportName(bad)) << bad;
    }
}

} // namespace
