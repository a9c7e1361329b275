#include "LeadingNumber.h"

#include <charconv>
#include <limits>
#include <string>

namespace {

bool isSkippedBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

} // namespace

double LeadingNumber(QStringView text) {
    // The number's characters without the blanks; short numbers stay in the string's own buffer.
    std::string number;
    bool signAllowed = true;
    bool pointSeen = false;
    bool digitSeen = false;
    bool nonZeroBeforePoint = false;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (isSkippedBlank(c))
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            signAllowed = false;
            if (c == u'-')
                number.push_back('-');
            continue;
        }
        signAllowed = false;
        if (c >= u'0' && c <= u'9') {
            digitSeen = true;
            nonZeroBeforePoint = nonZeroBeforePoint || (!pointSeen && c != u'0');
            number.push_back(char(c));
        } else if (c == u'.' && !pointSeen) {
            pointSeen = true;
            number.push_back('.');
        } else {
            break;
        }
    }
    if (!digitSeen)
        return 0.0;
    double value = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it does not fit: a long run of digits before
        // the point overflows, a long run of zeros after it underflows.
        const double magnitude = nonZeroBeforePoint ? std::numeric_limits<double>::infinity() : 0.0;
        return number.front() == '-' ? -magnitude : magnitude;
    }
    return value;
}
