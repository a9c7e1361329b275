#pragma once

#include <cstdint>
#include <string>

struct Catalogue;
struct MemberValues;

// What the value label shows for a member: the trimmed weight, its unit label, the coefficient as
// NumberText gives it (so a non-negative one brings its own separating blank), its unit label. A
// unit kind without an entry in the label tables gives empty labels.
std::u16string valueLabelText(const Catalogue& catalogue, const MemberValues& member);
// The same for member m of group g.
std::u16string valueLabelText(const Catalogue& catalogue, std::int16_t g, std::int16_t m);

// The member's row as the table-form transfer pastes it: designation, remark, unit kind, weight
// and coefficient, separated by tabs, the three numbers as NumberText gives them, no line end.
std::u16string TableRowText(const MemberValues& member);
std::u16string TableRowText(const Catalogue& catalogue, std::int16_t g, std::int16_t m);
