#include "TestSupport.h"
#include "cli/ExitCode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <regex>
#include <sstream>

namespace {

class ImportCommand : public testing::Test {
protected:
    // qen import with text as the file of the option, which writes to out.pzd.
    QenRun Import(const std::string& option, const std::string& text) {
        WriteFileBytes(dir.File("in.txt"), text);
        return Qen({"import", option, dir.File("in.txt"), "-o", dir.File("out.pzd")});
    }
    TempDir dir;
};

// Every refusal names the file, the line and the reason, and writes nothing.
TEST_F(ImportCommand, BadInputIsRefusedInOneLine) {
    const struct {
        const char* option;
        std::string text;
        int line;
        const char* reason;
    } rows[] = {
        {"--ba", "", 1, "no numbers"},
        {"--ba", "1 2 x\n1\n", 1, "not a finite number: x"},
        {"--ba", "1 2\n1 nan\n", 2, "not a finite number: nan"},
        {"--ba", "1 2\n\n0 1\n", 3, "a0 is 0"},
        {"--ba", "1, 2\n", 1, "only one line of numbers: give b, then a on the next"},
        {"--ba", "1\n1\n1\n", 3, "more than two lines of numbers: give b, then a"},
        {"--ba", "0 0\n1 1\n", 1, "b is all zeros"},
        {"--ba", "1\n1" + std::regex_replace(std::string(32768, '0'), std::regex("0"), " 0") + "\n",
         2, "more than 32767 roots"},
        {"--ba", "{\"b\": [1],\n \"a\": []}", 2, "a is empty"},
        {"--ba", "{\"b\": [1]}", 1, "no \"a\" in the JSON object"},
        {"--ba", "{\"b\": [1], \"a\": [1, \"x\"]}", 1, "a holds something other than a number"},
        {"--ba", "{\"b\": [1],\n \"a\": [1,]}", 2, "not valid JSON"},
        {"--ba", "{\"b\": [1],\n \"a\": [1e999]}", 2, "a number is not finite"},
        {"--sos", "1 2 1 1 0\n", 1, "a section has six numbers, b0 b1 b2 a0 a1 a2, not 5"},
        {"--sos", "1 2 1 1 0 0\n1 2 1 0 0.5 0\n", 2, "a0 is 0"},
        {"--sos", "0 0 0 1 0 0\n", 1, "b is all zeros"},
        {"--sos", "{\"sos\": [[1, 2, 1, 1, 0, 0],\n  [1, 2]]}", 2,
         "a section has six numbers, b0 b1 b2 a0 a1 a2, not 2"},
        {"--sos", "{\"sos\": 5}", 1, "sos is not an array of sections"},
        {"--sos", "{\"b\": [1], \"a\": [1]}", 1, "no \"sos\" in the JSON object"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 40));
        const QenRun run = Import(row.option, row.text);
        EXPECT_EQ(run.code, kExitFailure);
        EXPECT_EQ(run.err.substr(0, run.err.find(row.reason) + std::string(row.reason).size()),
                  "qen: " + dir.File("in.txt") + ": line " + std::to_string(row.line) + ": " +
                      row.reason);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.pzd")));
    }
    EXPECT_EQ(Qen({"import", "--sos", dir.Path()}).err,
              "qen: " + dir.Path() + ": cannot read: Is a directory\n");
}

// The gain goes, with a line saying so; "-" reads standard input; what qen export writes
// as JSON and CSV reads back.
TEST_F(ImportCommand, GainIsDroppedAndSaid) {
    std::istringstream in("0.5 1\n1 0.25\n");
    std::streambuf* const keep = std::cin.rdbuf(in.rdbuf());
    const QenRun run = Qen({"import", "--ba", "-"});
    std::cin.rdbuf(keep);
    EXPECT_EQ(run.code, kExitOk);
    EXPECT_EQ(run.err, "qen: gain 0.5 not kept (designs carry no gain)\n");
    EXPECT_EQ(run.out, "VERSION=2.000000 \nDESIGN=ZPlane \nPOLECOUNT=1 \nZEROCOUNT=1 \n"
                       "P0=-0.250000, 0.000000, 0 \nZ0=-2.000000, 0.000000, 0 \n");

    WriteFileBytes(dir.File("d.pzd"), run.out);
    for (const char* format : {"json", "csv", "python"}) {
        EXPECT_EQ(Qen({"export", dir.File("d.pzd"), "--format", format, "--arith", "q15", "-o",
                       dir.File(format)})
                      .code,
                  kExitOk);
    }
    EXPECT_NE(ReadFileBytes(dir.File("python")).find("\npost_shift = "), std::string::npos);
    // The coefficients as q15 stores them, alike in JSON and CSV.
    const QenRun back = Qen({"import", "--sos", dir.File("json")});
    EXPECT_EQ(back.code, kExitOk) << back.err;
    EXPECT_EQ(Qen({"import", "--sos", dir.File("csv")}).out, back.out);
    EXPECT_NE(back.out.find("P0=-0.250000, 0.000000, 0 \nZ0=-2.0000"), std::string::npos)
        << back.out;
}

} // namespace
