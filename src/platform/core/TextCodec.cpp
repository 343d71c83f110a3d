#include "platform/core/TextCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

char32_t DecodeUtf8(std::string_view s, size_t& pos) {
    const size_t n = s.size();
    const unsigned char b0 = (unsigned char)s[pos++];
    if (b0 < 0x80) return b0;

    // Lead byte: sequence length and the range the second byte must fall in, which rules out
    // overlong forms (E0, F0), surrogates (ED) and values above U+10FFFF (F4) in one test.
    int length;
    unsigned char lo = 0x80, hi = 0xBF;
    char32_t c;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        c = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        c = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return kReplacementChar; // continuation byte, C0, C1 or F5..FF
    }

    for (int i = 1; i < length; ++i) {
        if (pos >= n) return kReplacementChar; // cut short by the end
        const unsigned char b = (unsigned char)s[pos];
        if (b < lo || b > hi) return kReplacementChar; // the bad byte starts the next decode
        lo = 0x80;
        hi = 0xBF;
        c = (c << 6) | (b & 0x3F);
        ++pos;
    }
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementChar;
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

size_t Utf8Length(std::string_view s) {
    size_t count = 0;
    for (size_t pos = 0; pos < s.size(); ++count) DecodeUtf8(s, pos);
    return count;
}

namespace {

// Bytes 0x80..0xFF of code page 1251; below 0x80 it is ASCII.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0: А..я
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, //
};

constexpr std::array<std::pair<unsigned char, char16_t>, 11> kKazakhPositions = {{
    {0x8D, 0x049A}, // Қ
    {0x9D, 0x049B}, // қ
    {0xA1, 0x04B0}, // Ұ
    {0xA2, 0x04B1}, // ұ
    {0xA3, 0x04D8}, // Ә
    {0xA5, 0x04E8}, // Ө
    {0xB4, 0x04E9}, // ө
    {0xBA, 0x0493}, // ғ
    {0xBC, 0x04D9}, // ә
    {0xBE, 0x04A3}, // ң
    {0xBF, 0x04AF}, // ү
}};

// One 8-bit encoding: the high half as a table, and the reverse map sorted by code point.
struct EightBitCodec {
    std::array<char16_t, 128> high{};
    std::array<std::pair<char16_t, unsigned char>, 128> reverse{};

    explicit EightBitCodec(const std::array<char16_t, 128>& table) : high(table) {
        for (int i = 0; i < 128; ++i)
            reverse[size_t(i)] = {high[size_t(i)], (unsigned char)(0x80 + i)};
        std::sort(reverse.begin(), reverse.end());
    }

    char32_t ToUnicode(unsigned char b) const { return b < 0x80 ? b : high[size_t(b - 0x80)]; }

    std::string Decode(std::string_view bytes) const {
        std::string out;
        out.reserve(bytes.size() * 2);
        for (char ch : bytes) AppendUtf8(out, ToUnicode((unsigned char)ch));
        return out;
    }

    std::string Encode(std::string_view utf8, char replacement) const {
        std::string out;
        out.reserve(utf8.size());
        for (size_t pos = 0; pos < utf8.size();) {
            const char32_t c = DecodeUtf8(utf8, pos);
            if (c < 0x80) {
                out.push_back(char(c));
                continue;
            }
            const auto it = std::lower_bound(reverse.begin(), reverse.end(),
                                             std::pair<char16_t, unsigned char>{char16_t(c), 0});
            out.push_back(c <= 0xFFFF && it != reverse.end() && it->first == c ? char(it->second)
                                                                               : replacement);
        }
        return out;
    }
};

const EightBitCodec& Cp1251() {
    static const EightBitCodec codec(kCp1251High);
    return codec;
}

const EightBitCodec& Kazakh() {
    static const EightBitCodec codec([] {
        std::array<char16_t, 128> table = kCp1251High;
        for (const auto& [byte, letter] : kKazakhPositions) table[size_t(byte - 0x80)] = letter;
        return table;
    }());
    return codec;
}

} // namespace

std::string Cp1251ToUtf8(std::string_view bytes) { return Cp1251().Decode(bytes); }
std::string Utf8ToCp1251(std::string_view utf8, char replacement) {
    return Cp1251().Encode(utf8, replacement);
}
char32_t Cp1251ToUnicode(unsigned char byte) { return Cp1251().ToUnicode(byte); }

std::string KazakhToUtf8(std::string_view bytes) { return Kazakh().Decode(bytes); }
std::string Utf8ToKazakh(std::string_view utf8, char replacement) {
    return Kazakh().Encode(utf8, replacement);
}
char32_t KazakhToUnicode(unsigned char byte) { return Kazakh().ToUnicode(byte); }

uint32_t FoldCase(uint32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32; // Cyrillic А..Я
    if (c >= 0x400 && c <= 0x40F) return c + 80; // Ѐ..Џ
    if (c == 0x4C0) return 0x4CF;
    // The paired letters of the extended block, capital first: Ғ Қ Ң Ү Ұ Һ Ә Ө ... (from
    // U+04C1 to U+04CE the capitals sit on odd code points).
    if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c + 1 : c;
    if (c >= 0x460 && c <= 0x4FF && !(c & 1)) return c + 1;
    return c;
}

uint32_t MnemonicOf(std::string_view label) {
    for (size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != '&') continue;
        if (label[i + 1] == '&') {
            ++i;
            continue;
        }
        size_t pos = i + 1;
        return FoldCase(uint32_t(DecodeUtf8(label, pos)));
    }
    return 0;
}
