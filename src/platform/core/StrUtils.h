#pragma once
// Text helpers with the rules of the program's runtime: ASCII-only case mapping (8-bit
// letters above 127 are left alone) and integer conversion that accepts "$" and "0x" hex.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b); // equal without regard to ASCII case
std::string_view Trim(std::string_view s);             // drops blanks and control characters

// A decimal integer with an optional sign, or hexadecimal written "$1F", "0x1F" or "-$1F";
// nothing else (no blanks, no trailing characters, no value outside 32 bits).
std::optional<int32_t> TryStrToInt(std::string_view s);
// The same, raising EConvertError ("'abc' is not a valid integer value") on failure.
int32_t StrToInt(std::string_view s);

// Splits at every occurrence of the separator; an empty text gives no words.
std::vector<std::string_view> SplitText(std::string_view s, char separator);
