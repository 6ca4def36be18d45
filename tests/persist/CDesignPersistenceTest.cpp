#include "persist/CDesignPersistence.h"

#include "DesignFixtures.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const char* const kExample = "VERSION=2.000000 \n"
                             "DESIGN=ZPlane \n"
                             "POLECOUNT=1 \n"
                             "ZEROCOUNT=1 \n"
                             "P0=0.500000, 0.500000, 1 \n"
                             "Z0=-1.000000, 0.000000, 0 \n";

FNodeList ExampleDesign() {
    return Design({PoleAt(0.5, 0.5, true), ZeroAt(-1, 0)});
}

bool LoadText(const std::string& text, FNodeList* list, std::string* error = nullptr) {
    TempDir dir;
    WriteFileBytes(dir.File("d.pzd"), text);
    return CDesignPersistence::LoadNodeListFromFile(dir.File("d.pzd").c_str(), list, error);
}

// Saves the design, loads the file into a fresh list and returns that list; the file's
// text lands in text.
FNodeList SaveAndLoad(const FNodeList& design, std::string* text = nullptr) {
    TempDir dir;
    const std::string path = dir.File("d.pzd");
    FNodeList loaded;
    EXPECT_TRUE(CDesignPersistence::SaveNodeListToFile(path.c_str(), &design));
    EXPECT_TRUE(CDesignPersistence::LoadNodeListFromFile(path.c_str(), &loaded));
    if (text != nullptr) {
        *text = ReadFileBytes(path);
    }
    return loaded;
}

TEST(CDesignPersistenceTest, SavesTypedValuesWithSixDecimalsWithoutTheOrder) {
    std::string text;
    SaveAndLoad(ExampleDesign(), &text);
    EXPECT_EQ(text, kExample);
    const FNode ordered(kNodePole, FComplex(0.1234567, 0), false, 3);
    EXPECT_EQ(SaveAndLoad(Design({ordered}), &text).GetNodeByIndex(kNodePole, 0).Order(), 1);
    EXPECT_NE(text.find("P0=0.1234567, 0.000000, 0 \n"), std::string::npos);
    // 1e300 is written with 301 digits, more than one read of a line takes.
    EXPECT_EQ(SaveAndLoad(Design({ZeroAt(1e300, -2.5)})).GetNodeByIndex(kNodeZero, 0).Value(),
              FComplex(1e300, -2.5));
}

TEST(CDesignPersistenceTest, RandomDoublesRoundTripExactly) {
    std::mt19937_64 rng(17);
    std::uniform_int_distribution<int> exponent(-300, 300);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    FNodeList original;
    for (int k = 0; k < 200; ++k) {
        const FComplex v(std::ldexp(mantissa(rng), exponent(rng)), std::ldexp(mantissa(rng), -k));
        original.AddNode(FNode(k % 2 != 0 ? kNodePole : kNodeZero, v, k % 3 == 0, 1));
    }
    // Each load reverses the lists; a second one restores their order. The texts are
    // equal only when every value came back as the same double.
    EXPECT_EQ(CDesignPersistence::DesignText(SaveAndLoad(SaveAndLoad(original))),
              CDesignPersistence::DesignText(original));
}

TEST(CDesignPersistenceTest, LenientHeaderAndNodeLinesAddToTheList) {
    FNodeList list = ExampleDesign();
    ASSERT_TRUE(LoadText("\xEF\xBB\xBFversion=2\nsome comment\nDESIGN=ZPlane\nnote\npolecount=2\n"
                         "zerocount= 1 \np7=0.1,0.2,1\nP7= 3e-1 ,\t0, 0 \nz0=1, 0, 0\r\n",
                         &list));
    EXPECT_EQ(list.GetListCount(kNodePole), 3);
    EXPECT_EQ(list.GetListCount(kNodeZero), 2);
    EXPECT_EQ(list.GetNodeByIndex(kNodePole, 0).Value(), FComplex(0.3, 0));
    EXPECT_TRUE(list.GetNodeByIndex(kNodePole, 1).Conjugate());
    FNodeList empty;
    EXPECT_TRUE(LoadText("VERSION=2\nDESIGN=Z\nPOLECOUNT=0\nZEROCOUNT=0\n", &empty));
    EXPECT_EQ(empty.GetListCount(kNodePole), 0);
}

TEST(CDesignPersistenceTest, MalformedFilesAreRejectedAndFailedSavesReported) {
    const std::string head = "VERSION=2\nDESIGN=ZPlane\n";
    const std::string rows[] = {
        "",
        "VERSION=2\nPOLECOUNT=0\nZEROCOUNT=0\n",
        head + "ZEROCOUNT=0\nPOLECOUNT=0\n",
        head + "POLECOUNT 1\nZEROCOUNT=0\nP0=1, 0, 0\n",
        head + "POLECOUNT=x\nZEROCOUNT=0\n",
        head + "POLECOUNT=-1\nZEROCOUNT=0\n",
        head + "POLECOUNT=32768\nZEROCOUNT=0\n",
        head + "POLECOUNT=99999999999999999999\nZEROCOUNT=0\n",
        head + "POLECOUNT=2\nZEROCOUNT=0\nP0=0.5, 0, 0\n",
        head + "POLECOUNT=1\nZEROCOUNT=0\ncomment\nP0=0.5, 0, 0\n",
        head + "POLECOUNT=1\nZEROCOUNT=0\nP0=0.5; 0; 0\n",
        head + "POLECOUNT=1\nZEROCOUNT=0\nZ0=0.5, 0, 0\n",
        head + "POLECOUNT=0\nZEROCOUNT=1\nZ0=nan, 0, 0\n",
        head + "POLECOUNT=0\nZEROCOUNT=1\nZ0=1e999, 0, 0\n",
        head + "POLECOUNT=0\nZEROCOUNT=1\nZ0=0, inf, 1\n",
        head + "POLECOUNT=0\nZEROCOUNT=1\nZ0=0, 1\n",
        head + "POLECOUNT=1\nZEROCOUNT=0\nP0=0,5, 0,5, 1\n",
        head + "POLECOUNT=1\nZEROCOUNT=0\nP0=0.5, 0.5, 2\n",
        head + "POLECOUNT=1\nZEROCOUNT=0\nP0=0.5, 0.5, 1x\n",
        head + "POLECOUNT=1\nZEROCOUNT=0\nP0=0.5x, 0.5, 1\n",
        head + "POLECOUNT=1\nZEROCOUNT=0\nP=0.5, 0.5, 1\n",
        head + "POLECOUNT=1\nZEROCOUNT=0\nP0=, 0.5, 1\n",
    };
    for (const std::string& text : rows) {
        FNodeList list;
        std::string error;
        EXPECT_FALSE(LoadText(text, &list, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    const struct {
        std::string text;
        const char* error;
    } reasons[] = {
        {head + "POLECOUNT=1.9\nZEROCOUNT=0\nP0=1, 0, 0\n",
         "the pole count is not a number from 0 to 32767"},
        {head + "POLECOUNT=0\nZEROCOUNT=1abc\nZ0=1, 0, 0\n",
         "the zero count is not a number from 0 to 32767"},
        {head + "POLECOUNT=1\nPOLECOUNT=2\nZEROCOUNT=0\nP0=1, 0, 0\n",
         "line 4: a second PoleCount line (the first is line 3)"},
        {"DESIGN=ZPlane\nVERSION=2\nPOLECOUNT=0\nZEROCOUNT=0\n",
         "line 1: the Design line is out of order (Version comes first)"},
        {"VERSION=2\nPOLECOUNT=0\nZEROCOUNT=0\n", "no Design line"},
        {head + "POLECOUNT=1\nZEROCOUNT=0\nP0=1\x1B[2J\r, 0, 0\n",
         "pole line 1 is not a valid node: \"P0=1\\x1B[2J\\x0D, 0, 0\""},
    };
    for (const auto& row : reasons) {
        FNodeList list;
        std::string error;
        EXPECT_FALSE(LoadText(row.text, &list, &error)) << row.text;
        EXPECT_EQ(error, row.error);
    }
    FNodeList list;
    std::string error;
    EXPECT_FALSE(CDesignPersistence::LoadNodeListFromFile("/no/such/file.pzd", &list, &error));
    EXPECT_FALSE(error.empty());
    const FNodeList design = ExampleDesign();
    EXPECT_FALSE(CDesignPersistence::SaveNodeListToFile("/no/such/dir.pzd", &design));
    EXPECT_FALSE(CDesignPersistence::SaveNodeListToFile(nullptr, &design));
}

// The SPEC line goes after DESIGN and comes back; a file without one has no
// requirement; a malformed one, or a second, refuses the file for either loader.
TEST(CDesignPersistenceTest, RequirementLineRoundTripsOrRefusesTheFile) {
    TempDir dir;
    const std::string path = dir.File("d.pzd");
    const Requirement req{Requirement::Band::Bandpass, {1000, 2000}, {500, 2500}, 0.5, 60};
    ASSERT_TRUE(CDesignPersistence::SaveDesignToFile(path.c_str(), ExampleDesign(), req));
    std::string text = kExample;
    text.insert(text.find("POLECOUNT"), "SPEC=bandpass;1000:2000;500:2500;0.5;60 \n");
    EXPECT_EQ(ReadFileBytes(path), text);
    const auto load = [&path](const std::string& bytes, std::optional<Requirement>* read,
                              std::string* error) {
        WriteFileBytes(path, bytes);
        FNodeList list;
        return CDesignPersistence::LoadDesignFromFile(path.c_str(), &list, read, error) &&
               list.GetListCount(kNodePole) == 1;
    };
    std::optional<Requirement> read;
    std::string error;
    EXPECT_TRUE(load(text, &read, &error));
    EXPECT_EQ(read, req);
    EXPECT_TRUE(load(kExample, &read, &error));
    EXPECT_FALSE(read.has_value());
    const std::string head = "VERSION=2\nDESIGN=ZPlane\n";
    const std::string nodes = "POLECOUNT=1\nZEROCOUNT=0\nP0=0.5, 0, 0\n";
    const std::pair<std::string, std::string> rows[] = {
        {head + "SPEC=lowpass;1500;1000;1;40\n" + nodes, "SPEC=lowpass;1500;1000;1;40"},
        {"SPEC=lowpass;1000;1500;1;40\n" + head + "spec=lowpass;1000;1500;1;40\n" + nodes,
         "second SPEC line"}};
    for (const auto& [bad, named] : rows) {
        read = req;
        EXPECT_FALSE(load(bad, &read, &error)) << bad;
        EXPECT_NE(error.find(named), std::string::npos) << error;
        EXPECT_EQ(read, req);
        FNodeList list;
        std::string oldError;
        EXPECT_FALSE(LoadText(bad, &list, &oldError));
        EXPECT_EQ(oldError, error);
    }
}

TEST(CDesignPersistenceTest, CommaLocaleSavesAndLoadsExactly) {
    CommaLocale comma;
    if (!comma.Active()) {
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    std::string text;
    const FNodeList loaded = SaveAndLoad(ExampleDesign(), &text);
    EXPECT_EQ(text, kExample);
    EXPECT_EQ(loaded.GetNodeByIndex(kNodePole, 0).Value(), FComplex(0.5, 0.5));
    EXPECT_EQ(loaded.GetNodeByIndex(kNodeZero, 0).Value(), FComplex(-1, 0));
}

} // namespace
