#pragma once

#include <string>
#include <string_view>

// Text as the finder compares it. One designation reaches zelk written many ways: off a drawing
// ("H-300×150×6.5×9"), typed with the Japanese input method on ("Ｈ－３００×１５０"), from a
// detailing export ("H300*150*6.5*9"), with the catalogue's trailing zeros or without ("P-34.0x2.3",
// "P-34x2.3"). Folding both the catalogue's texts and what is typed makes them one text. The
// folding is spelled out here rather than taken from Unicode normalisation: it is the same on
// every platform, and a few of its forms (×, the dashes, φ) are none of normalisation's.

// `text` with the forms of one character made one: full-width letters, digits and signs as ASCII,
// letters in lower case, ×, ✕, ✖ and * as "x", the dashes and minus signs (and the long-vowel
// mark that input methods give for a hyphen) as "-", φ Φ ϕ ø Ø ∅ as "φ", □ ◻ ☐ and 口 as "□", and
// every blank (the ideographic space too) as one " ". Each UTF-16 unit becomes at most one.
std::u16string foldedForFind(std::u16string_view text);

// A folded text as one word to compare: without its blanks and hyphens (the hyphen after the
// prefix is optional), every number written by its value (no leading zeros, no trailing zeros
// after the point, "0" before a point that begins it: "34.0" as "34", ".5" as "0.5"), without a
// point that no digit follows.
std::u16string findKey(std::u16string_view folded);

// The key of a text as typed or as the catalogue holds it: findKey(foldedForFind(text)).
std::u16string keyOf(std::u16string_view text);

// Where the size part of a key begins: its first digit; the key's length when it has none.
std::size_t sizeStart(std::u16string_view key);
