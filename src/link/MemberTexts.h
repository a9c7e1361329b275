#pragma once

#include <cstdint>
#include <string>

struct Catalogue;

// What the value label shows for member m of group g: the trimmed weight, its unit label, the
// coefficient as NumberText gives it (so a non-negative one brings its own separating blank),
// its unit label. A unit kind without an entry in the label tables gives empty labels.
std::u16string valueLabelText(const Catalogue& catalogue, std::int16_t g, std::int16_t m);

// The member's row as the table-form transfer pastes it: designation, remark, unit kind, weight
// and coefficient, separated by tabs, the three numbers as NumberText gives them, no line end.
std::u16string TableRowText(const Catalogue& catalogue, std::int16_t g, std::int16_t m);
