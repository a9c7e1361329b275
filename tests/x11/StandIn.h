#pragma once

// The stand-in spreadsheet's paste: it asks for the clipboard's formats after kStandInFormatsFetchMs,
// for its text after kStandInFirstFetchMs and again after kStandInLastFetchMs, and pastes what it
// got last. A key that comes less than kStandInKeyGapMs after the key event before it, or is
// released less than that after its press, is ignored.
constexpr int kStandInFormatsFetchMs = 10;
constexpr int kStandInFirstFetchMs = 100;
constexpr int kStandInLastFetchMs = 200;
constexpr unsigned long kStandInKeyGapMs = 2;
// In its mode "late", the fetches of the text come this much later, long after those of a
// clipboard manager.
constexpr int kStandInLateMs = 800;
