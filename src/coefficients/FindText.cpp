#include "FindText.h"

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

char16_t foldedCharacter(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) // full-width ASCII
        c = char16_t(c - 0xFEE0);
    if (c >= u'A' && c <= u'Z')
        return char16_t(c - u'A' + u'a');
    switch (c) {
    case u'*':
    case u'×':
    case u'✕':
    case u'✖':
        return u'x';
    case u'‐': // U+2010 to U+2015: hyphens and dashes
    case u'‑':
    case u'‒':
    case u'–':
    case u'—':
    case u'―':
    case u'−': // minus sign
    case u'﹣':
    case u'ー': // the long-vowel mark, which input methods give for a hyphen
    case u'ｰ':
        return u'-';
    case u'Φ':
    case u'ϕ':
    case u'ø':
    case u'Ø':
    case u'∅':
        return u'φ';
    case u'◻':
    case u'☐':
    case u'口':
        return u'□';
    case u'\t':
    case u'\u3000': // ideographic space
        return u' ';
    default:
        return c;
    }
}

} // namespace

std::u16string foldedForFind(std::u16string_view text) {
    std::u16string folded;
    folded.reserve(text.size());
    for (const char16_t c : text)
        folded.push_back(foldedCharacter(c));
    return folded;
}

namespace {

// One pass of findKey. Leaving out blanks, hyphens and stray points can bring two numbers together
// ("0 2", "1.0.5"), which a second pass reads as one.
std::u16string keyPass(std::u16string_view folded) {
    std::u16string key;
    key.reserve(folded.size());
    const std::size_t n = folded.size();
    for (std::size_t i = 0; i < n;) {
        const char16_t c = folded[i];
        const bool numberStarts = isDigit(c) || (c == u'.' && i + 1 < n && isDigit(folded[i + 1]));
        if (!numberStarts) {
            if (c != u' ' && c != u'-' && c != u'.')
                key.push_back(c);
            ++i;
            continue;
        }
        // The whole part without its leading zeros ("0" for none), then the decimals without
        // their trailing zeros; a point with no digit after it ends the number.
        std::size_t end = i;
        while (end < n && isDigit(folded[end]))
            ++end;
        std::size_t first = i;
        while (first < end && folded[first] == u'0')
            ++first;
        if (first == end)
            key.push_back(u'0');
        else
            key.append(folded.substr(first, end - first));
        if (end < n && folded[end] == u'.') {
            const std::size_t decimals = ++end;
            while (end < n && isDigit(folded[end]))
                ++end;
            std::size_t last = end;
            while (last > decimals && folded[last - 1] == u'0')
                --last;
            if (last > decimals) {
                key.push_back(u'.');
                key.append(folded.substr(decimals, last - decimals));
            }
        }
        i = end;
    }
    return key;
}

// Passes until the key stays as it is: a few for the most contrived text.
constexpr int kMaxKeyPasses = 4;

} // namespace

std::u16string findKey(std::u16string_view folded) {
    std::u16string key = keyPass(folded);
    for (int pass = 1; pass < kMaxKeyPasses; ++pass) {
        std::u16string again = keyPass(key);
        if (again == key)
            break;
        key = std::move(again);
    }
    return key;
}

std::u16string keyOf(std::u16string_view text) {
    return findKey(foldedForFind(text));
}

std::size_t sizeStart(std::u16string_view key) {
    std::size_t i = 0;
    while (i < key.size() && !isDigit(key[i]))
        ++i;
    return i;
}
