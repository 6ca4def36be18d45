#include "persist/QENPref.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s.push_back(static_cast<char>(v));
    }
    return s;
}

const std::string kDefaultRecord =
    Bytes({0x00, 0x80, 0x00, 0x00, 0xC0, 0xC0, 0xC0, 0x00, 0x00, 0x00, 0x00,
           0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x7D, 0x00,
           0x00, 0x00, 0x40, 0x1F, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00});

TEST(QENPrefTest, DefaultsWriteTheKnownRecord) {
    TempDir dir;
    ASSERT_TRUE(WritePrefFile(QENPref(), dir.File("WinQEN.ini")));
    EXPECT_EQ(ReadFileBytes(dir.File("WinQEN.ini")), kDefaultRecord);
    // A missing folder is made; one that cannot be (a file stands there) fails.
    ASSERT_TRUE(WritePrefFile(QENPref(), dir.File("new/folder/WinQEN.ini")));
    EXPECT_EQ(ReadFileBytes(dir.File("new/folder/WinQEN.ini")), kDefaultRecord);
    EXPECT_FALSE(WritePrefFile(QENPref(), dir.File("WinQEN.ini/WinQEN.ini")));
}

TEST(QENPrefTest, FileIsFoundHereElseInTheDesktopsConfigurationFolder) {
    const struct {
        bool here;
        const char *xdg, *home, *path;
    } cases[] = {
        {true, "/x", "/home/u", "WinQEN.ini"},
        {false, "/x", "/home/u", "/x/WinQEN/WinQEN.ini"},
        {false, "", "/home/u", "/home/u/.config/WinQEN/WinQEN.ini"},
        // A relative configuration folder is not to be used.
        {false, "rel", "/home/u", "/home/u/.config/WinQEN/WinQEN.ini"},
        {false, "", "", "WinQEN.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChoosePrefPath(c.here, c.xdg, c.home), c.path) << c.xdg << ' ' << c.home;
    }
}

TEST(QENPrefTest, MissingEmptyAndShortFilesReplaceOnlyTheBytesTheyHold) {
    TempDir dir;
    QENPref prefs;
    ReadPrefFile(&prefs, dir.File("absent.ini"));
    EXPECT_EQ(EncodePrefs(prefs), EncodePrefs(QENPref()));
    WriteFileBytes(dir.File("empty.ini"), "");
    ReadPrefFile(&prefs, dir.File("empty.ini"));
    EXPECT_EQ(EncodePrefs(prefs), EncodePrefs(QENPref()));
    // Six bytes: the trace colour and half of the background colour.
    WriteFileBytes(dir.File("short.ini"), Bytes({0x0D, 0x0A, 0x01, 0x00, 0x11, 0x22}));
    ReadPrefFile(&prefs, dir.File("short.ini"));
    EXPECT_EQ(prefs.colourPref.clrTrace, 0x00010A0Du);
    EXPECT_EQ(prefs.colourPref.clrBack, 0x00C02211u);
    EXPECT_EQ(prefs.colourPref.clrGrid, 0u);
    EXPECT_EQ(prefs.sampleFreqPref, 8000);
    EXPECT_TRUE(prefs.confirmPref);
}

TEST(QENPrefTest, FullRecordRoundTripsWithItsPadding) {
    TempDir dir;
    std::string record = kDefaultRecord;
    record[20] = 0x7E; // units 126
    record[24] = 0x39; // rate 12345 = 0x3039
    record[25] = 0x30;
    record[28] = 0x05; // any non-zero byte means true
    record[29] = 0x0A; // padding comes back as read
    record[31] = 0x0D;
    WriteFileBytes(dir.File("in.ini"), record + "trailing bytes are ignored");
    QENPref prefs;
    ReadPrefFile(&prefs, dir.File("in.ini"));
    EXPECT_EQ(prefs.unitPref, 126);
    EXPECT_EQ(prefs.sampleFreqPref, 12345);
    EXPECT_TRUE(prefs.confirmPref);
    ASSERT_TRUE(WritePrefFile(prefs, dir.File("out.ini")));
    std::string expected = record;
    expected[28] = 0x01;
    EXPECT_EQ(ReadFileBytes(dir.File("out.ini")), expected);
}

// Any whole rate from 1 Hz to 1 MHz is used as stored; others (the field is signed)
// give the default.
TEST(QENPrefTest, StoredRatesOutsideTheRangeGiveTheDefault) {
    const std::pair<int32_t, int32_t> rates[] = {
        {1, 1},    {12345, 12345}, {192000, 192000}, {1000000, 1000000},
        {0, 8000}, {-44100, 8000}, {1000001, 8000},  {INT32_MAX, 8000}};
    for (const auto& [stored, used] : rates) {
        EXPECT_EQ(UsableSampleRate(stored), used) << stored;
    }
}

} // namespace
