#include "platform/core/TextCodec.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <string>
#include <vector>

namespace {

std::string AllBytes() {
    std::string s;
    for (int b = 0; b < 256; ++b) s.push_back(char(b));
    return s;
}

std::u32string DecodeAll(std::string_view s) {
    std::u32string out;
    for (size_t pos = 0; pos < s.size();) out.push_back(DecodeUtf8(s, pos));
    return out;
}

std::string Utf8(std::u32string_view s) {
    std::string out;
    for (char32_t c : s) AppendUtf8(out, c);
    return out;
}

// The C library's own conversion of one code page 1251 byte, or 0 where it has none.
char32_t IconvCp1251(iconv_t cd, unsigned char byte) {
    char in[1] = {char(byte)};
    char32_t out[2] = {};
    char* ip = in;
    char* op = reinterpret_cast<char*>(out);
    size_t il = 1, ol = sizeof out;
    if (iconv(cd, &ip, &il, &op, &ol) == size_t(-1)) return 0;
    return out[0];
}

} // namespace

// Every defined byte of code page 1251 decodes as the C library's converter says; 0x98, which
// the code page leaves undefined, becomes U+0098.
TEST(TextCodec, Cp1251AgreesWithTheCLibrary) {
    iconv_t cd = iconv_open("UTF-32LE", "CP1251");
    if (cd == iconv_t(-1)) GTEST_SKIP() << "the C library has no CP1251 converter";
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) continue;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(Cp1251ToUnicode((unsigned char)b), IconvCp1251(cd, (unsigned char)b))
            << "byte 0x" << std::hex << b;
    }
    iconv_close(cd);
    EXPECT_EQ(Cp1251ToUnicode(0x98), U'\u0098');
}

// Both 8-bit encodings carry any byte string through UTF-8 and back unchanged.
TEST(TextCodec, AllBytesRoundTrip) {
    const std::string bytes = AllBytes();
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(bytes)), bytes);
    EXPECT_EQ(Utf8ToKazakh(KazakhToUtf8(bytes)), bytes);
    // And each byte alone decodes to one character.
    EXPECT_EQ(Utf8Length(Cp1251ToUtf8(bytes)), 256u);
    EXPECT_EQ(Utf8Length(KazakhToUtf8(bytes)), 256u);
}

// The Kazakh letters sit where Kazakh fonts put them; every other byte keeps its code page
// 1251 meaning.
TEST(TextCodec, KazakhPositions) {
    struct Position {
        unsigned char byte;
        char32_t letter;
    };
    const Position table[] = {
        {0x8D, U'Қ'}, {0x9D, U'қ'}, {0xA1, U'Ұ'}, {0xA2, U'ұ'}, {0xA3, U'Ә'}, {0xA5, U'Ө'},
        {0xB3, U'і'}, {0xB4, U'ө'}, {0xBA, U'ғ'}, {0xBC, U'ә'}, {0xBE, U'ң'}, {0xBF, U'ү'},
    };
    for (int b = 0; b < 256; ++b) {
        char32_t want = Cp1251ToUnicode((unsigned char)b);
        for (const Position& p : table)
            if (p.byte == b) want = p.letter;
        EXPECT_EQ(KazakhToUnicode((unsigned char)b), want) << "byte 0x" << std::hex << b;
    }
    for (const Position& p : table)
        EXPECT_EQ(Utf8ToKazakh(Utf8(std::u32string(1, p.letter))), std::string(1, char(p.byte)));
}

// Letters with no byte in the encoding become the replacement, never a wrong letter: the
// code page 1251 letters the Kazakh ones displaced, and Kazakh capitals the texts never use.
TEST(TextCodec, LettersWithoutBytesAreReplaced) {
    for (char32_t c : {U'Ќ', U'ќ', U'Ў', U'ў', U'Ј', U'Ґ', U'ґ', U'є', U'ј', U'ѕ', U'ї', U'Ғ', U'Ң',
                       U'Ү', U'Һ', U'һ', char32_t(0x4E2D), char32_t(0x1F600)})
        EXPECT_EQ(Utf8ToKazakh(Utf8(std::u32string(1, c)), '#'), "#") << std::hex << unsigned(c);
    EXPECT_EQ(Utf8ToKazakh("\xE2\x82\xAC"), "\x88"); // € keeps its code page 1251 byte
    EXPECT_EQ(Utf8ToCp1251("\xD2\x9A"), "?");        // Қ has no byte in code page 1251
    EXPECT_EQ(Utf8ToCp1251("\xD0\x8C"), "\x8D");     // Ќ has one there
}

// A caption from the course, byte by byte: Cyrillic at its code page 1251 places, Kazakh
// letters at theirs, and a Latin "i" that stays Latin.
TEST(TextCodec, CourseTextEncodes) {
    const std::string text = "Қолданылған әдебиеттер тізімі жүйесi";
    const std::string bytes = "\x8D\xEE\xEB\xE4\xE0\xED\xFB\xEB\xBA\xE0\xED\x20"
                              "\xBC\xE4\xE5\xE1\xE8\xE5\xF2\xF2\xE5\xF0\x20"
                              "\xF2\xB3\xE7\xB3\xEC\xB3\x20"
                              "\xE6\xBF\xE9\xE5\xF1\x69";
    EXPECT_EQ(Utf8ToKazakh(text), bytes);
    EXPECT_EQ(KazakhToUtf8(bytes), text);
}

// Ill-formed UTF-8: one U+FFFD per maximal subpart, as Unicode recommends.
TEST(TextCodec, MalformedUtf8) {
    constexpr char32_t R = kReplacementChar;
    struct Case {
        const char* name;
        std::string bytes;
        std::u32string want;
    };
    const Case cases[] = {
        {"ascii and two-byte", "A\xC3\xA9", U"Aé"},
        {"Kazakh letter", "\xD3\x98", U"Ә"},
        {"four-byte", "\xF0\x9F\x98\x80", U"\U0001F600"},
        {"stray continuation", "\x80", {R}},
        {"C0 lead is overlong", "\xC0\xAF", {R, R}},
        {"C1 lead is overlong", "\xC1\xBF", {R, R}},
        {"overlong three-byte", "\xE0\x80\xAF", {R, R, R}},
        {"surrogate", "\xED\xA0\x80", {R, R, R}},
        {"above U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
        {"F5 lead", "\xF5\x80", {R, R}},
        {"FF byte", "\xFF", {R}},
        {"cut short by the end", "\xE2\x82", {R}},
        {"cut short four-byte", "\xF0\x9F\x98", {R}},
        {"cut short by ascii", std::string("\xE2\x82") + "A", {R, U'A'}},
        {"cut short by a lead byte", "\xE2\xD3\x98", {R, U'Ә'}},
        {"largest scalar", "\xF4\x8F\xBF\xBF", U"\U0010FFFF"},
        {"embedded NUL", std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeAll(c.bytes), c.want) << c.name;
}

// Decoding stops at the end of the view even when the bytes after it would complete the
// sequence.
TEST(TextCodec, DecodeNeverReadsPastTheEnd) {
    const char euro[] = "\xE2\x82\xAC";
    for (size_t n = 1; n <= 2; ++n) {
        size_t pos = 0;
        EXPECT_EQ(DecodeUtf8(std::string_view(euro, n), pos), kReplacementChar);
        EXPECT_EQ(pos, n);
    }
    // A heap copy of exactly the cut sequence, so the sanitizer sees any read past it.
    const std::vector<char> cut(euro, euro + 2);
    size_t pos = 0;
    EXPECT_EQ(DecodeUtf8(std::string_view(cut.data(), cut.size()), pos), kReplacementChar);
}

// Every scalar value survives encoding and decoding; surrogates and values past U+10FFFF are
// written as U+FFFD.
TEST(TextCodec, EveryScalarValueRoundTrips) {
    std::string s;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        s.clear();
        AppendUtf8(s, c);
        size_t pos = 0;
        ASSERT_EQ(DecodeUtf8(s, pos), c);
        ASSERT_EQ(pos, s.size());
        ASSERT_EQ(s.size(), c < 0x80 ? 1u : c < 0x800 ? 2u : c < 0x10000 ? 3u : 4u);
    }
    for (char32_t bad : {char32_t(0xD800), char32_t(0xDFFF), char32_t(0x110000)}) {
        s.clear();
        AppendUtf8(s, bad);
        EXPECT_EQ(s, "\xEF\xBF\xBD");
    }
}
