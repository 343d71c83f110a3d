#pragma once
// The user's name and the user's date and time conventions, as the Win32 model offers them.
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/WinTypes.h"

// The name of the user the process runs as: the account of the effective user id from the
// password database, or $USER where the database has no entry. None when neither is known.
// A name set with SetUserNameOverride stands in for it.
std::optional<std::string> CurrentUserName();
// Makes CurrentUserName (and so GetUserNameA) answer `name`; none gives back the real one.
// For a scenario that plays the program as another user.
void SetUserNameOverride(std::optional<std::string> name);

// Win32 rule: *size holds the buffer's capacity in characters (bytes; names are UTF-8) and
// the terminating NUL counts. On success the name and its NUL are written and *size becomes
// the name's length plus one. When the buffer is too small nothing is written, *size becomes
// the length needed (with the NUL) and the call fails. Fails with *size untouched when the
// name is unknown or an argument is null.
bool GetUserNameA(char* buffer, DWORD* size);
// The same rule applied to a given name, for callers and tests that supply the name.
bool CopyUserName(std::string_view name, char* buffer, DWORD* size);

// The user name as the status bar shows it: queried into a buffer of 255 characters; on
// success the first (returned length - 1) characters, on failure "Unknown". So a name longer
// than 254 characters reads "Unknown". `query` defaults to GetUserNameA.
std::string StatusUserName(const std::function<bool(char*, DWORD*)>& query = GetUserNameA);

// Date and time patterns in the Windows notation: d dd ddd dddd (day, day with zero, short and
// long weekday name), M MM MMM MMMM (month likewise), yy yyyy, h hh (12-hour), H HH (24-hour),
// m mm, s ss, tt (AM/PM designator), text in single quotes literal ('' is a quote); any other
// character stands for itself.
struct LocaleFormats {
    std::string shortDate; // e.g. "dd.MM.yyyy"
    std::string longTime;  // e.g. "H:mm:ss"
    std::string monthNames[12];
    std::string shortMonthNames[12];
    std::string dayNames[7]; // Sunday first, as struct tm counts
    std::string shortDayNames[7];
    std::string am, pm;
};

// The formats of a locale by name ("" is the user's locale from the environment, as the C
// library resolves LC_ALL, LC_TIME and LANG). The C and POSIX locales, and any name the system
// does not know, give Kazakhstan's conventions "dd.MM.yyyy" and "H:mm:ss", which is what this
// program's users expect from a machine that was never set up for them.
LocaleFormats LocaleFormatsFor(const char* localeName);
// The user's locale, looked up once.
const LocaleFormats& UserLocaleFormats();

std::string ShortDateFormat();
std::string LongTimeFormat();

// An strftime format (as nl_langinfo(D_FMT) and T_FMT give it) in the Windows notation.
// Conversions with no counterpart (time zone, day of year and the like) are dropped.
std::string WindowsPatternFromStrftime(std::string_view format);

// Formats a broken-down time with a Windows-style pattern and the names of `formats`.
std::string FormatDateTime(std::string_view pattern, const std::tm& time,
                           const LocaleFormats& formats);
// The date in the user's short date format and the time in the user's long time format.
std::string DateToStr(const std::tm& time);
std::string TimeToStr(const std::tm& time);
// The current moment as the program sees it: the backend's wall clock (the real one on
// screen; headless, a start that can be set plus the virtual clock's time).
std::time_t CurrentTime();

// The same for a moment, in the local time zone.
std::string DateToStr(std::time_t time);
std::string TimeToStr(std::time_t time);
