#pragma once

#include <string>

// A fault in the catalogue data that stops a coefficient run at once (a designation that cannot
// be parsed, a weight of 0, a result that is no finite number). Thrown by the parsing helpers and
// caught by RegenerateCoefficients, which keeps what it has written and reports `message`.
struct DataError {
    std::u16string message;
};
