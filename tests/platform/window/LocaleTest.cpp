#include "platform/window/Locale.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <pwd.h>
#include <string>
#include <unistd.h>

// The Win32 size protocol: the size counts the NUL both ways; a short buffer fails, is left
// alone and learns the size it needs.
TEST(Locale, CopyUserNameFollowsTheSizeProtocol) {
    struct Case {
        std::string name;
        DWORD capacity;
        bool ok;
        DWORD sizeAfter;
    };
    const Case cases[] = {
        {"abc", 4, true, 4},
        {"abc", 100, true, 4},
        {"abc", 3, false, 4},
        {"abc", 0, false, 4},
        {"", 1, true, 1},
        {"", 0, false, 1},
        {std::string(254, 'u'), 255, true, 255},
        {std::string(255, 'u'), 255, false, 256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.name.size()) + " chars into " + std::to_string(c.capacity));
        std::string buffer(300, '#');
        DWORD size = c.capacity;
        EXPECT_EQ(CopyUserName(c.name, buffer.data(), &size), c.ok);
        EXPECT_EQ(size, c.sizeAfter);
        if (c.ok) {
            EXPECT_EQ(std::string(buffer.c_str()), c.name);
        } else {
            EXPECT_EQ(buffer, std::string(300, '#')); // nothing written
        }
    }
    DWORD size = 10;
    EXPECT_FALSE(CopyUserName("abc", nullptr, &size));
    char b[4];
    EXPECT_FALSE(CopyUserName("abc", b, nullptr));
}

// The system's name for the effective user, asked the Win32 way: first for the size, then
// for the name.
TEST(Locale, GetUserNameGivesTheEffectiveUser) {
    DWORD size = 0;
    EXPECT_FALSE(GetUserNameA(nullptr, &size) && size == 0);
    char probe[1];
    size = 0;
    ASSERT_FALSE(GetUserNameA(probe, &size));
    ASSERT_GT(size, 1u);
    std::string buffer(size, '#');
    DWORD size2 = size;
    ASSERT_TRUE(GetUserNameA(buffer.data(), &size2));
    EXPECT_EQ(size2, size);
    EXPECT_EQ(std::strlen(buffer.c_str()) + 1, size);
    if (const passwd* pw = getpwuid(geteuid())) {
        EXPECT_EQ(std::string(buffer.c_str()), pw->pw_name);
    }
}

// The status bar's rule: a buffer of 255 characters, so names up to 254 characters show and
// longer ones read "Unknown", as does any failed query.
TEST(Locale, StatusUserNameUsesA255CharacterBuffer) {
    auto nameOf = [](std::string name) {
        return [name](char* buffer, DWORD* size) { return CopyUserName(name, buffer, size); };
    };
    EXPECT_EQ(StatusUserName(nameOf("student")), "student");
    EXPECT_EQ(StatusUserName(nameOf("")), "");
    EXPECT_EQ(StatusUserName(nameOf(std::string(253, 'a'))), std::string(253, 'a'));
    EXPECT_EQ(StatusUserName(nameOf(std::string(254, 'a'))), std::string(254, 'a'));
    EXPECT_EQ(StatusUserName(nameOf(std::string(255, 'a'))), "Unknown");
    EXPECT_EQ(StatusUserName(nameOf(std::string(4000, 'a'))), "Unknown");
    EXPECT_EQ(StatusUserName([](char*, DWORD*) { return false; }), "Unknown");
    // A query that claims more than the buffer holds is not trusted.
    EXPECT_EQ(StatusUserName([](char*, DWORD* size) {
                  *size = 1000;
                  return true;
              }),
              "Unknown");
    // The real query.
    DWORD size = 0;
    char probe[1];
    GetUserNameA(probe, &size);
    if (size > 0 && size <= 255) {
        EXPECT_NE(StatusUserName(), "Unknown");
    }
}

TEST(Locale, StrftimeFormatsInWindowsNotation) {
    struct Case {
        const char* strftime;
        const char* windows;
    };
    const Case cases[] = {
        {"%d.%m.%Y", "dd.MM.yyyy"}, // kk_KZ, ru_RU
        {"%m/%d/%y", "MM/dd/yy"},   // C
        {"%m/%d/%Y", "MM/dd/yyyy"}, // en_US
        {"%Y-%m-%d", "yyyy-MM-dd"},
        {"%F", "yyyy-MM-dd"},
        {"%D", "MM/dd/yy"},
        {"%e.%m.%Y", "d.MM.yyyy"},
        {"%-d.%-m.%Y", "d.M.yyyy"},
        {"%d %b %Y", "dd MMM yyyy"},
        {"%A, %B %d", "dddd, MMMM dd"},
        {"%Ey %EY %Od", "yy yyyy dd"},
        {"%Y年%m月%d日", "yyyy年MM月dd日"},
        {"%d de %B de %Y", "dd 'de' MMMM 'de' yyyy"},
        {"%H:%M:%S", "HH:mm:ss"},
        {"%T", "HH:mm:ss"},
        {"%k:%M:%S", "H:mm:ss"},
        {"%I:%M:%S %p", "hh:mm:ss tt"},
        {"%l:%M %P", "h:mm tt"},
        {"%r", "hh:mm:ss tt"},
        {"%R", "HH:mm"},
        {"%H h %M", "HH 'h' mm"},
        {"%H:%M:%S %Z", "HH:mm:ss "}, // no time zone in the Windows notation
        {"it's %H%%", "'it''s' HH%"},
        {"%", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowsPatternFromStrftime(c.strftime), c.windows) << c.strftime;
}

TEST(Locale, FormatDateTimePatterns) {
    const LocaleFormats c = LocaleFormatsFor("C");
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2; // March
    t.tm_mday = 5;
    t.tm_wday = 2; // Tuesday
    t.tm_hour = 7;
    t.tm_min = 8;
    t.tm_sec = 9;
    std::tm afternoon = t;
    afternoon.tm_hour = 13;
    std::tm midnight = t;
    midnight.tm_hour = 0;
    struct Case {
        const char* pattern;
        const std::tm* time;
        const char* want;
    };
    const Case cases[] = {
        {"dd.MM.yyyy", &t, "05.03.2024"},
        {"d.M.yy", &t, "5.3.24"},
        {"H:mm:ss", &t, "7:08:09"},
        {"HH:mm:ss", &t, "07:08:09"},
        {"H:mm:ss", &afternoon, "13:08:09"},
        {"h:mm tt", &t, "7:08 AM"},
        {"hh:mm t", &afternoon, "01:08 P"},
        {"h", &midnight, "12"},
        {"dddd, MMMM d", &t, "Tuesday, March 5"},
        {"ddd MMM", &t, "Tue Mar"},
        {"'day' d", &t, "day 5"},
        {"''yy''", &t, "'24'"},
        {"y", &t, "24"},
        {"yyyy/M/d", &t, "2024/3/5"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(FormatDateTime(k.pattern, *k.time, c), k.want) << k.pattern;

    // Fields out of range in a hand-made struct tm pick no name outside the tables.
    std::tm wild = t;
    wild.tm_mon = -13;
    wild.tm_wday = 99;
    EXPECT_FALSE(FormatDateTime("dddd MMMM MM", wild, c).empty());
}

// The C and POSIX locales, and locales the system does not have, use Kazakhstan's patterns.
TEST(Locale, CLocaleUsesKazakhstanPatterns) {
    for (const char* name : {"C", "POSIX", "C.UTF-8", "xx_NOWHERE.UTF-8"}) {
        const LocaleFormats f = LocaleFormatsFor(name);
        EXPECT_EQ(f.shortDate, "dd.MM.yyyy") << name;
        EXPECT_EQ(f.longTime, "H:mm:ss") << name;
        EXPECT_EQ(f.monthNames[0], "January") << name;
    }
}

// A moment is shown in the local time zone (here UTC+6, as in Almaty) with the user's patterns.
TEST(Locale, DateAndTimeOfAMomentAreLocal) {
    const char* oldTz = std::getenv("TZ");
    const std::string saved = oldTz ? oldTz : "";
    setenv("TZ", "ALMT-6", 1);
    tzset();
    const std::time_t moment = 1704045598; // 2023-12-31 17:59:58 UTC
    std::tm local{};
    local.tm_year = 2023 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 31;
    local.tm_wday = 0;
    local.tm_hour = 23;
    local.tm_min = 59;
    local.tm_sec = 58;
    const LocaleFormats& user = UserLocaleFormats();
    EXPECT_EQ(DateToStr(moment), FormatDateTime(user.shortDate, local, user));
    EXPECT_EQ(TimeToStr(moment), FormatDateTime(user.longTime, local, user));
    EXPECT_EQ(ShortDateFormat(), user.shortDate);
    EXPECT_EQ(LongTimeFormat(), user.longTime);
    if (oldTz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}
