#pragma once

#include <QString>

// Writes an ASCII catalogue (CR LF) of `members` members in groups of 200, spread over the five
// shape rules and one shape code without a rule. ASCII so that the byte-reading awk peer sees
// the same characters as the generator. False when the file cannot be written.
bool WriteBenchCatalogue(const QString& path, qint64 members);

// Copies `input` to `output` line by line through the generator's reader and writer, changing
// nothing: the floor that the generator is measured against. Returns the number of lines.
qint64 CopyCatalogue(const QString& input, const QString& output);
