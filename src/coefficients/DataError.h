#pragma once

#include <string>

// A designation that cannot be taken apart, a fault in the catalogue data that stops a coefficient
// run at once. Thrown by the parsing helpers and caught by RegenerateCoefficients, which keeps
// what it has written and reports `message`.
struct DataError {
    std::u16string message;
};
