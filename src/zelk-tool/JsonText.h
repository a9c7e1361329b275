#pragma once

#include <nlohmann/json.hpp>

#include <string>

// `value` as indented JSON text, laid out as scripts written against earlier versions of
// zelk-tool read it: four blanks a level, object keys in byte order, an empty array as "[" and
// "]" on lines of their own, a whole number up to 2^53 without a fraction, any other number in
// the shorter of fixed and exponent notation with the fewest digits that read back the same, and
// the text of every string as UTF-8 with only the characters JSON requires escaped. Ends with a
// line end.
std::string jsonText(const nlohmann::json& value);

// A number as jsonText writes it; "null" for infinities and NaN, which JSON cannot hold.
std::string jsonNumberText(double value);
