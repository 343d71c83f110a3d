#include <gtest/gtest.h>

#include "skin/qvIniFile.h"

TEST(IniFile, SyntaxRules) {
    const TqvIniFile ini("KEY=before any section\r\n"
                         "  [ Panel ]  \r\n"
                         "; a comment\n"
                         "  Color = 15591641  \n"
                         "\n"
                         "COLOR=1\n"
                         "GRADIENTDATA=1;2;3=4\n"
                         "no equals sign\n"
                         "[GLOBALINFO]\n"
                         "Author=  Someone Else \n");
    ASSERT_EQ(ini.Sections().size(), 2u);
    EXPECT_EQ(ini.Sections()[0].Name, "Panel");
    EXPECT_EQ(ini.Sections()[0].Keys.size(), 3u);
    EXPECT_EQ(ini.ReadString("PANEL", "color", "?"), "15591641");       // first line wins, any case
    EXPECT_EQ(ini.ReadString("panel", "GRADIENTDATA", "?"), "1;2;3=4"); // split at the first "="
    EXPECT_EQ(ini.ReadString("GlobalInfo", "AUTHOR", "?"), "Someone Else");
    EXPECT_EQ(ini.ReadValue("PANEL", "KEY"), nullptr);
    EXPECT_EQ(ini.ReadString("NOPE", "X", "def"), "def");
}

TEST(IniFile, TypedReads) {
    const TqvIniFile ini("[S]\nA=$10\nB=abc\nC=true\nD=yes\n");
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "B", 7), 7);
    EXPECT_EQ(ini.ReadInteger("S", "Z", 9), 9);
    EXPECT_TRUE(ini.ReadBool("S", "C", false));
    EXPECT_FALSE(ini.ReadBool("S", "D", true));
    EXPECT_TRUE(ini.ReadBool("S", "Z", true));
}
