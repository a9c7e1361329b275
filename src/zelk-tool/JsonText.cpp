#include "JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// Beyond 2^53 not every whole number is a double, so a whole-valued double there is written as
// the double it is.
constexpr double kLargestExactWhole = 9007199254740992.0;

void appendJson(std::string& out, const nlohmann::json& value, std::size_t depth) {
    if (value.is_number_float()) {
        out += jsonNumberText(value.get<double>());
        return;
    }
    if (!value.is_structured()) {
        out += value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        return;
    }
    const bool object = value.is_object();
    const std::string indent(4 * (depth + 1), ' ');
    out += object ? "{\n" : "[\n";
    bool first = true;
    for (auto item = value.begin(); item != value.end(); ++item) {
        out += first ? "" : ",\n";
        out += indent;
        if (object)
            out += nlohmann::json(item.key()).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) +
                   ": ";
        appendJson(out, *item, depth + 1);
        first = false;
    }
    if (!first)
        out += '\n';
    out += std::string(4 * depth, ' ');
    out += object ? '}' : ']';
}

} // namespace

std::string jsonNumberText(double value) {
    if (!std::isfinite(value))
        return "null";
    if (std::trunc(value) == value && std::fabs(value) <= kLargestExactWhole)
        return std::to_string(std::int64_t(value));
    // The fewest digits that read back as the same double, in the shorter of the two notations
    // (fixed on a tie); std::to_chars alone would write large whole numbers digit for digit.
    char buffer[32];
    char* const end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    const std::string scientific(buffer, end); // "-1.25e+17"
    const std::size_t digitsStart = scientific[0] == '-' ? 1 : 0;
    const std::size_t e = scientific.find('e');
    std::string digits = scientific.substr(digitsStart, e - digitsStart);
    if (digits.size() > 1)
        digits.erase(1, 1);                                    // the point
    const int point = std::stoi(scientific.substr(e + 1)) + 1; // digits before the point
    const int count = int(digits.size());
    std::string fixed = scientific.substr(0, digitsStart);
    if (point <= 0)
        fixed += "0." + std::string(std::size_t(-point), '0') + digits;
    else if (point >= count)
        fixed += digits + std::string(std::size_t(point - count), '0');
    else
        fixed += digits.substr(0, std::size_t(point)) + "." + digits.substr(std::size_t(point));
    return fixed.size() <= scientific.size() ? fixed : scientific;
}

std::string jsonText(const nlohmann::json& value) {
    std::string out;
    appendJson(out, value, 0);
    out += '\n';
    return out;
}
