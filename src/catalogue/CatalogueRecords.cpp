#include "CatalogueRecords.h"

#include "CatalogueFormat.h"
#include "FieldReader.h"

#include <optional>

namespace {

// A text field copied into `value`, whose storage is kept.
bool readText(FieldReader& fields, std::u16string& value) {
    const std::optional<std::u16string_view> field = fields.readText();
    if (!field)
        return false;
    value.assign(*field);
    return true;
}

bool readInteger(FieldReader& fields, std::int16_t& value) {
    const std::optional<std::int16_t> field = fields.readInteger();
    if (field)
        value = *field;
    return field.has_value();
}

bool readNumber(FieldReader& fields, double& value) {
    const std::optional<double> field = fields.readNumber();
    if (field)
        value = *field;
    return field.has_value();
}

} // namespace

bool readGroupHeader(FieldReader& fields, GroupHeader& header) {
    header.name.clear();
    const bool haveName = readText(fields, header.name);
    header.nameLine = fields.lineNumber();
    return haveName && readInteger(fields, header.kind) && readInteger(fields, header.shape);
}

MemberRead readMemberRecord(FieldReader& fields, MemberRecord& member) {
    fields.skipBlankLines();
    const std::optional<std::u16string_view> designation = fields.readText();
    if (!designation)
        return MemberRead::FileEnded;
    if (*designation == kTerminator)
        return MemberRead::Terminator;
    member.designation.assign(*designation);
    member.line = fields.lineNumber();
    const bool whole = readText(fields, member.remark) && readNumber(fields, member.weight) &&
                       readNumber(fields, member.coefficient);
    return whole ? MemberRead::Member : MemberRead::FileEnded;
}
