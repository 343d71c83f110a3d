#pragma once
// Text inside the program is UTF-8. Two 8-bit encodings meet it at the edges: Windows code
// page 1251 and the Kazakh font encoding (code page 1251 with the Kazakh letters that code page
// lacks at the byte positions Kazakh fonts put them), in which the contents tree and caption
// texts are held.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the code point at s[pos] and moves pos past it. An ill-formed sequence (a stray
// continuation byte, an overlong form, a surrogate, a value above U+10FFFF, a sequence cut
// short by another lead byte or by the end of the text) gives U+FFFD and consumes its maximal
// well-formed prefix, at least one byte, so every malformed stretch costs one U+FFFD per
// maximal subpart as Unicode recommends. Never reads at or past s.size(); pos must be less
// than s.size().
char32_t DecodeUtf8(std::string_view s, size_t& pos);

// Appends the UTF-8 form of c; surrogates and values above U+10FFFF are written as U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

// The number of code points DecodeUtf8 finds in s.
size_t Utf8Length(std::string_view s);

// Code page 1251. Every byte has a meaning: 0x98, which the code page leaves undefined, maps to
// U+0098 so that any byte string survives the round trip. Characters with no byte become
// `replacement`.
std::string Cp1251ToUtf8(std::string_view bytes);
std::string Utf8ToCp1251(std::string_view utf8, char replacement = '?');
char32_t Cp1251ToUnicode(unsigned char byte);

// The Kazakh font encoding: code page 1251 except 0x8D Қ, 0x9D қ, 0xA1 Ұ, 0xA2 ұ, 0xA3 Ә,
// 0xA5 Ө, 0xB4 ө, 0xBA ғ, 0xBC ә, 0xBE ң, 0xBF ү (0xB3 і is already there). The code page 1251
// letters those bytes replaced (Ќ, ќ, Ў, ў, Ј, Ґ, ґ, є, ј, ѕ, ї) have no byte here.
// Ғ, Ң, Ү, Һ and һ have no byte either: the encoding as used by the course texts gives them
// none, so they become `replacement`.
std::string KazakhToUtf8(std::string_view bytes);
std::string Utf8ToKazakh(std::string_view utf8, char replacement = '?');
char32_t KazakhToUnicode(unsigned char byte);

// The lower-case partner of a Latin, Cyrillic or Kazakh capital; other code points unchanged.
uint32_t FoldCase(uint32_t codePoint);
// The folded letter after the first single '&' of a label ("&&" is a literal ampersand); 0
// when there is none.
uint32_t MnemonicOf(std::string_view label);
