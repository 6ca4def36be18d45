#include "export/ExportText.h"

#include <gtest/gtest.h>

namespace {

TEST(ExportTextTest, NamesAreCIdentifiers) {
    const char* const paths[][2] = {{"designs/lowpass.pzd", "lowpass"},
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
