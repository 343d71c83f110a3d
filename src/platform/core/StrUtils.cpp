#include "platform/core/StrUtils.h"

#include "platform/core/Errors.h"

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return r;
}

namespace {
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
} // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

std::string_view Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (unsigned char)s[b] <= ' ') ++b;
    while (e > b && (unsigned char)s[e - 1] <= ' ') --e;
    return s.substr(b, e - b);
}

std::optional<int32_t> TryStrToInt(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : s) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        // Hex may spell the full 32-bit pattern ($FFFFFFFF is -1); decimal must fit a signed value.
        if (value > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL)) return std::nullopt;
    }
    if (base == 16) {
        int32_t bits = int32_t(uint32_t(value));
        return negative ? int32_t(0u - uint32_t(bits)) : bits;
    }
    if (negative) return int32_t(-value);
    if (value > 0x7FFFFFFFLL) return std::nullopt;
    return int32_t(value);
}

int32_t StrToInt(std::string_view s) {
    if (auto v = TryStrToInt(s)) return *v;
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

std::vector<std::string_view> SplitText(std::string_view s, char separator) {
    std::vector<std::string_view> words;
    if (s.empty()) return words;
    size_t start = 0;
    for (;;) {
        size_t end = s.find(separator, start);
        if (end == std::string_view::npos) {
            words.push_back(s.substr(start));
            return words;
        }
        words.push_back(s.substr(start, end - start));
        start = end + 1;
    }
}
