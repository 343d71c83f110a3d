#include "platform/core/StrUtils.h"

#include <gtest/gtest.h>

#include "platform/core/Errors.h"

TEST(StrUtils, IntegerConversionTable) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        {"0", 0},
        {"-1", -1},
        {"15591641", 15591641},
        {"$FF", 255},
        {"0x10", 16},
        {"$FFFFFFFF", -1},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"", std::nullopt},
        {" 1", std::nullopt},
        {"1a", std::nullopt},
        {"$", std::nullopt},
        {"-", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TryStrToInt(c.text), c.value);
    }
    EXPECT_THROW(StrToInt("abc"), EConvertError);
}

TEST(StrUtils, CaseMappingLeavesEightBitLettersAlone) {
    EXPECT_EQ(UpperCase("Options.dat\xe0"), "OPTIONS.DAT\xe0");
    EXPECT_TRUE(SameText("oPtions.DAT", "Options.dat"));
    EXPECT_EQ(Trim("  a b \t"), "a b");
    EXPECT_EQ(SplitText("a;;b", ';').size(), 3u);
    EXPECT_TRUE(SplitText("", ';').empty());
}
