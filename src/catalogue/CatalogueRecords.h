#pragma once

#include <cstdint>
#include <string>

class FieldReader;

// The records of a group block, read with the field reader: the header "name,kind,shape", then
// member records "designation,remark,weight,coefficient" up to the terminator. These say only how
// far a record got; what a record cut short means, and what to keep of its texts, is the caller's
// business. Texts are stored as the file has them, in the caller's record, whose strings keep
// their storage from one record to the next.

struct GroupHeader {
    std::u16string name;
    std::int16_t kind = 0;
    std::int16_t shape = 0;
    std::int64_t nameLine = 0; // the line of the name
};

// False when the file ends inside the header; `name` is then empty unless it was read whole.
bool readGroupHeader(FieldReader& fields, GroupHeader& header);

struct MemberRecord {
    std::u16string designation;
    std::u16string remark;
    double weight = 0;
    double coefficient = 0;
    std::int64_t line = 0; // the line of the designation
};

enum class MemberRead {
    Member,     // a whole member record
    Terminator, // the group's end: a first field that is exactly "/*" before any trimming
    FileEnded,  // the file ended before the terminator, inside a member record or before one
};

// Skips blank lines, then reads a member record or the terminator.
MemberRead readMemberRecord(FieldReader& fields, MemberRecord& member);
