#include "persist/CDesignPersistence.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const char* const kExample = "VERSION=2.000000 \n"
                             "DESIGN=ZPlane \n"
                             "POLECOUNT=1 \n"
                             "ZEROCOUNT=1 \n"
                             "P0=0.500000, 0.500000, 1 \n"
                             "Z0=-1.000000, 0.000000, 0 \n";

FNodeList ExampleDesign() {
    FNodeList list;
    list.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), true, 1));
    list.AddNode(FNode(kNodeZero, FComplex(-1, 0), false, 1));
    return list;
}

bool LoadText(const std::string& text, FNodeList* list, std::string* error = nullptr) {
    TempDir dir;
    WriteFileBytes(dir.File("d.pzd"), text);
    return CDesignPersistence::LoadNodeListFromFile(dir.File("d.pzd").c_str(), list, error);
}

TEST(CDesignPersistenceTest, SavesTheExampleExactly) {
    TempDir dir;
    const FNodeList list = ExampleDesign();
    ASSERT_TRUE(CDesignPersistence::SaveNodeListToFile(dir.File("a.pzd").c_str(), &list));
    EXPECT_EQ(ReadFileBytes(dir.File("a.pzd")), kExample);
}

TEST(CDesignPersistenceTest, RandomDesignsRoundTripWithReversedOrder) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> value(-3.0, 3.0);
    std::bernoulli_distribution flag(0.5);
    TempDir dir;
    for (int trial = 0; trial < 25; ++trial) {
        FNodeList original;
        for (int k = 0; k < trial % 9; ++k) {
            // Six decimals survive the file exactly.
            const double r = std::round(value(rng) * 1e6) / 1e6;
            const double i = std::round(value(rng) * 1e6) / 1e6;
            original.AddNode(FNode(k % 2 ? kNodePole : kNodeZero, FComplex(r, i), flag(rng), 1));
        }
        ASSERT_TRUE(CDesignPersistence::SaveNodeListToFile(dir.File("r.pzd").c_str(), &original));
        FNodeList loaded;
        ASSERT_TRUE(CDesignPersistence::LoadNodeListFromFile(dir.File("r.pzd").c_str(), &loaded));
        for (int type : {kNodePole, kNodeZero}) {
            const short count = original.GetListCount(type);
            ASSERT_EQ(loaded.GetListCount(type), count);
            for (short k = 0; k < count; ++k) {
                EXPECT_EQ(loaded.GetNodeByIndex(type, k),
                          original.GetNodeByIndex(type, static_cast<short>(count - 1 - k)));
            }
        }
    }
}

TEST(CDesignPersistenceTest, SavingRoundsToSixDecimalsAndDropsTheOrder) {
    FNodeList list;
    list.AddNode(FNode(kNodePole, FComplex(0.1234567, 0), false, 3));
    TempDir dir;
    ASSERT_TRUE(CDesignPersistence::SaveNodeListToFile(dir.File("o.pzd").c_str(), &list));
    EXPECT_NE(ReadFileBytes(dir.File("o.pzd")).find("P0=0.123457, 0.000000, 0 \n"),
              std::string::npos);
    FNodeList loaded;
    ASSERT_TRUE(CDesignPersistence::LoadNodeListFromFile(dir.File("o.pzd").c_str(), &loaded));
    EXPECT_EQ(loaded.GetNodeByIndex(kNodePole, 0).Order(), 1);
}

TEST(CDesignPersistenceTest, LenientHeaderAndNodeLines) {
    FNodeList list;
    ASSERT_TRUE(LoadText("version=2\nsome comment\nDESIGN=ZPlane\nnote\npolecount=2\n"
                         "zerocount=1\nP7=0.1, 0.2, 5\nP7=0.3, 0, 0\nZ0=1, 0, 0\r\n",
                         &list));
    EXPECT_EQ(list.GetListCount(kNodePole), 2);
    EXPECT_EQ(list.GetNodeByIndex(kNodePole, 0).Value(), FComplex(0.3, 0));
    EXPECT_TRUE(list.GetNodeByIndex(kNodePole, 1).Conjugate());
    FNodeList empty;
    EXPECT_TRUE(LoadText("VERSION=2\nDESIGN=Z\nPOLECOUNT=0\nZEROCOUNT=0\n", &empty));
    EXPECT_EQ(empty.GetListCount(kNodePole), 0);
}

TEST(CDesignPersistenceTest, LoadingAddsToTheList) {
    FNodeList list = ExampleDesign();
    ASSERT_TRUE(LoadText(kExample, &list));
    EXPECT_EQ(list.GetListCount(kNodePole), 2);
    EXPECT_EQ(list.GetListCount(kNodeZero), 2);
}

TEST(CDesignPersistenceTest, LongLinesAreReadWhole) {
    // A value of 1e100 is written with over a hundred digits; the file must load back.
    FNodeList list;
    list.AddNode(FNode(kNodeZero, FComplex(1e100, -2.5), false, 1));
    TempDir dir;
    ASSERT_TRUE(CDesignPersistence::SaveNodeListToFile(dir.File("l.pzd").c_str(), &list));
    FNodeList loaded;
    ASSERT_TRUE(CDesignPersistence::LoadNodeListFromFile(dir.File("l.pzd").c_str(), &loaded));
    EXPECT_EQ(loaded.GetNodeByIndex(kNodeZero, 0).Value(), FComplex(1e100, -2.5));
}

TEST(CDesignPersistenceTest, MalformedFilesAreRejected) {
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
    };
    for (const std::string& text : rows) {
        FNodeList list;
        std::string error;
        EXPECT_FALSE(LoadText(text, &list, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    FNodeList list;
    std::string error;
    EXPECT_FALSE(CDesignPersistence::LoadNodeListFromFile("/no/such/file.pzd", &list, &error));
    EXPECT_FALSE(error.empty());
}

TEST(CDesignPersistenceTest, FailedSaveKeepsThePreviousFile) {
    TempDir dir;
    const FNodeList list = ExampleDesign();
    EXPECT_FALSE(CDesignPersistence::SaveNodeListToFile(dir.File("no/dir.pzd").c_str(), &list));
    EXPECT_FALSE(CDesignPersistence::SaveNodeListToFile(nullptr, &list));
}

TEST(CDesignPersistenceTest, CommaLocaleSavesAndLoadsExactly) {
    CommaLocale comma;
    if (!comma.Active()) {
        GTEST_SKIP() << "no comma-decimal locale installed";
    }
    TempDir dir;
    const FNodeList list = ExampleDesign();
    ASSERT_TRUE(CDesignPersistence::SaveNodeListToFile(dir.File("c.pzd").c_str(), &list));
    EXPECT_EQ(ReadFileBytes(dir.File("c.pzd")), kExample);
    FNodeList loaded;
    ASSERT_TRUE(CDesignPersistence::LoadNodeListFromFile(dir.File("c.pzd").c_str(), &loaded));
    EXPECT_EQ(loaded.GetNodeByIndex(kNodePole, 0).Value(), FComplex(0.5, 0.5));
    EXPECT_EQ(loaded.GetNodeByIndex(kNodeZero, 0).Value(), FComplex(-1, 0));
}

} // namespace
