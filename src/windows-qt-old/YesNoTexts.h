#pragma once

class QMessageBox;

// Captions the Yes and No buttons of `box` as a Japanese desktop does ("はい(&Y)", "いいえ(&N)"),
// whatever translations Qt has loaded, so the questions read in one language with their prompts.
void setJapaneseYesNoTexts(QMessageBox& box);
