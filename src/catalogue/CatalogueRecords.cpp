#include "CatalogueRecords.h"

#include "CatalogueFormat.h"
#include "FieldReader.h"

#include <optional>

namespace {

// Stores a field that was read in `value` (a text in a string that keeps its storage); false, with
// `value` untouched, at the end of the file.
template <typename Field, typename Value> bool store(const std::optional<Field>& field, Value& value) {
    if (field)
        value = *field;
    return field.has_value();
}

} // namespace

bool readGroupHeader(FieldReader& fields, GroupHeader& header) {
    header.name.clear();
    const bool haveName = store(fields.readText(), header.name);
    header.nameLine = fields.lineNumber();
    return haveName && store(fields.readInteger(), header.kind) && store(fields.readInteger(), header.shape);
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
    const bool whole = store(fields.readText(), member.remark) && store(fields.readNumber(), member.weight) &&
                       store(fields.readNumber(), member.coefficient);
    return whole ? MemberRead::Member : MemberRead::FileEnded;
}
