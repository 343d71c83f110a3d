#include "platform/window/Locale.h"

#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <pwd.h>
#include <unistd.h>
#include <vector>

#include "platform/window/Backend.h"

namespace {
std::optional<std::string>& UserNameOverride() {
    static std::optional<std::string> name;
    return name;
}
} // namespace

void SetUserNameOverride(std::optional<std::string> name) { UserNameOverride() = std::move(name); }

std::optional<std::string> CurrentUserName() {
    if (UserNameOverride()) return UserNameOverride();
    // getpwuid_r rather than getpwuid: the buffer is ours, so no other caller's lookup can
    // overwrite the answer.
    long hint = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size_t(hint > 0 ? hint : 1024));
    passwd entry{};
    passwd* found = nullptr;
    for (;;) {
        const int rc = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (rc == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        break;
    }
    if (found && found->pw_name && *found->pw_name) return std::string(found->pw_name);
    // Containers often run as a uid the password database does not list.
    if (const char* user = std::getenv("USER"); user && *user) return std::string(user);
    return std::nullopt;
}

bool CopyUserName(std::string_view name, char* buffer, DWORD* size) {
    if (!buffer || !size) return false;
    const uint64_t needed = uint64_t(name.size()) + 1;
    if (needed > *size) {
        *size = needed > 0xFFFFFFFFu ? 0xFFFFFFFFu : DWORD(needed);
        return false;
    }
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    *size = DWORD(needed);
    return true;
}

bool GetUserNameA(char* buffer, DWORD* size) {
    const std::optional<std::string> name = CurrentUserName();
    if (!name) return false;
    return CopyUserName(*name, buffer, size);
}

std::string StatusUserName(const std::function<bool(char*, DWORD*)>& query) {
    char buffer[255];
    DWORD size = sizeof buffer;
    if (!query(buffer, &size) || size == 0 || size > sizeof buffer) return "Unknown";
    return std::string(buffer, size - 1);
}

// ---- Date and time

std::time_t CurrentTime() { return CurrentBackend().WallClock(); }

namespace {

void AppendQuoted(std::string& out, std::string_view literal) {
    // Letters would read as pattern letters, so every run of them goes in quotes.
    bool open = false;
    for (char c : literal) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (c == '\'') {
            out += "''";
            continue;
        }
        if (letter != open) {
            out.push_back('\'');
            open = letter;
        }
        out.push_back(c);
    }
    if (open) out.push_back('\'');
}

} // namespace

std::string WindowsPatternFromStrftime(std::string_view format) {
    std::string out;
    std::string literal;
    auto flush = [&] {
        AppendQuoted(out, literal);
        literal.clear();
    };
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            literal.push_back(format[i]);
            continue;
        }
        if (++i >= format.size()) break; // a lone "%" at the end
        // GNU flags and field width, then the E and O modifiers.
        bool unpadded = false;
        while (i < format.size() && std::strchr("-_0^#", format[i])) {
            if (format[i] == '-' || format[i] == '_') unpadded = true;
            ++i;
        }
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;
        while (i < format.size() && (format[i] == 'E' || format[i] == 'O')) ++i;
        if (i >= format.size()) break;
        const char* piece = nullptr;
        switch (format[i]) {
        case '%': literal.push_back('%'); continue;
        case 'n': literal.push_back(' '); continue;
        case 't': literal.push_back('\t'); continue;
        case 'a': piece = "ddd"; break;
        case 'A': piece = "dddd"; break;
        case 'b':
        case 'h': piece = "MMM"; break;
        case 'B': piece = "MMMM"; break;
        case 'd': piece = unpadded ? "d" : "dd"; break;
        case 'e': piece = "d"; break;
        case 'm': piece = unpadded ? "M" : "MM"; break;
        case 'y': piece = "yy"; break;
        case 'Y':
        case 'G': piece = "yyyy"; break;
        case 'D': piece = "MM/dd/yy"; break;
        case 'F': piece = "yyyy-MM-dd"; break;
        case 'H': piece = unpadded ? "H" : "HH"; break;
        case 'k': piece = "H"; break;
        case 'I': piece = unpadded ? "h" : "hh"; break;
        case 'l': piece = "h"; break;
        case 'M': piece = unpadded ? "m" : "mm"; break;
        case 'S': piece = unpadded ? "s" : "ss"; break;
        case 'p':
        case 'P': piece = "tt"; break;
        case 'r': piece = "hh:mm:ss tt"; break;
        case 'R': piece = "HH:mm"; break;
        case 'T': piece = "HH:mm:ss"; break;
        default: continue; // no counterpart: dropped
        }
        flush();
        out += piece;
    }
    flush();
    return out;
}

namespace {

bool IsCLocaleName(std::string_view name) {
    return name == "C" || name == "POSIX" || name.starts_with("C.");
}

LocaleFormats KazakhstanDefaults(locale_t names) {
    LocaleFormats f;
    f.shortDate = "dd.MM.yyyy";
    f.longTime = "H:mm:ss";
    for (int i = 0; i < 12; ++i) {
        f.monthNames[i] = nl_langinfo_l(MON_1 + i, names);
        f.shortMonthNames[i] = nl_langinfo_l(ABMON_1 + i, names);
    }
    for (int i = 0; i < 7; ++i) {
        f.dayNames[i] = nl_langinfo_l(DAY_1 + i, names);
        f.shortDayNames[i] = nl_langinfo_l(ABDAY_1 + i, names);
    }
    f.am = nl_langinfo_l(AM_STR, names);
    f.pm = nl_langinfo_l(PM_STR, names);
    return f;
}

} // namespace

LocaleFormats LocaleFormatsFor(const char* localeName) {
    locale_t loc = newlocale(LC_TIME_MASK, localeName ? localeName : "", locale_t(0));
    if (!loc) {
        // An unknown name: the C locale's names with our default patterns.
        locale_t c = newlocale(LC_TIME_MASK, "C", locale_t(0));
        LocaleFormats f = KazakhstanDefaults(c);
        freelocale(c);
        return f;
    }
    LocaleFormats f = KazakhstanDefaults(loc);
    const char* name = nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), loc);
    if (!name || !IsCLocaleName(name)) {
        const std::string date = WindowsPatternFromStrftime(nl_langinfo_l(D_FMT, loc));
        const std::string time = WindowsPatternFromStrftime(nl_langinfo_l(T_FMT, loc));
        if (!date.empty()) f.shortDate = date;
        if (!time.empty()) f.longTime = time;
    }
    freelocale(loc);
    return f;
}

const LocaleFormats& UserLocaleFormats() {
    static const LocaleFormats formats = LocaleFormatsFor("");
    return formats;
}

std::string ShortDateFormat() { return UserLocaleFormats().shortDate; }
std::string LongTimeFormat() { return UserLocaleFormats().longTime; }

namespace {

void AppendNumber(std::string& out, long long value, int minDigits) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (value < 0) out.push_back('-');
    for (int i = int(digits.size()); i < minDigits; ++i) out.push_back('0');
    out += digits;
}

// Keeps an out-of-range field of a hand-made struct tm from indexing past a name table.
int Wrap(int value, int count) { return ((value % count) + count) % count; }

} // namespace

std::string FormatDateTime(std::string_view pattern, const std::tm& t,
                           const LocaleFormats& formats) {
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '\'' && i + 1 < pattern.size() && pattern[i + 1] == '\'') {
            out.push_back('\''); // '' outside quotes is a quote too
            i += 2;
            continue;
        }
        if (c == '\'') {
            ++i;
            while (i < pattern.size()) {
                if (pattern[i] == '\'') {
                    if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                        out.push_back('\'');
                        i += 2;
                        continue;
                    }
                    break;
                }
                out.push_back(pattern[i++]);
            }
            ++i; // the closing quote, if any
            continue;
        }
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        switch (c) {
        case 'd':
            if (run <= 2)
                AppendNumber(out, t.tm_mday, int(run));
            else if (run == 3)
                out += formats.shortDayNames[Wrap(t.tm_wday, 7)];
            else
                out += formats.dayNames[Wrap(t.tm_wday, 7)];
            break;
        case 'M':
            if (run <= 2)
                AppendNumber(out, Wrap(t.tm_mon, 12) + 1, int(run));
            else if (run == 3)
                out += formats.shortMonthNames[Wrap(t.tm_mon, 12)];
            else
                out += formats.monthNames[Wrap(t.tm_mon, 12)];
            break;
        case 'y': {
            const long long year = 1900LL + t.tm_year;
            if (run <= 2)
                AppendNumber(out, ((year % 100) + 100) % 100, int(run));
            else
                AppendNumber(out, year, int(run));
            break;
        }
        case 'h': {
            const int h = Wrap(t.tm_hour, 12);
            AppendNumber(out, h == 0 ? 12 : h, run >= 2 ? 2 : 1);
            break;
        }
        case 'H': AppendNumber(out, t.tm_hour, run >= 2 ? 2 : 1); break;
        case 'm': AppendNumber(out, t.tm_min, run >= 2 ? 2 : 1); break;
        case 's': AppendNumber(out, t.tm_sec, run >= 2 ? 2 : 1); break;
        case 't': {
            const std::string& designator = Wrap(t.tm_hour, 24) < 12 ? formats.am : formats.pm;
            out += run == 1 ? designator.substr(0, 1) : designator;
            break;
        }
        default: out.append(run, c); break;
        }
        i += run;
    }
    return out;
}

std::string DateToStr(const std::tm& time) {
    return FormatDateTime(UserLocaleFormats().shortDate, time, UserLocaleFormats());
}
std::string TimeToStr(const std::tm& time) {
    return FormatDateTime(UserLocaleFormats().longTime, time, UserLocaleFormats());
}

namespace {
std::tm LocalTime(std::time_t time) {
    std::tm t{};
    if (!localtime_r(&time, &t)) t = std::tm{};
    return t;
}
} // namespace

std::string DateToStr(std::time_t time) { return DateToStr(LocalTime(time)); }
std::string TimeToStr(std::time_t time) { return TimeToStr(LocalTime(time)); }
