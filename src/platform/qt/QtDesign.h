#pragma once

#include "forms/WindowDesigns.h"

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>

#include <filesystem>
#include <string_view>

class QMessageBox;
class QWidget;

// The bridge from the toolkit-free designs and texts to Qt.

inline QString qtText(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}
// A design name ("frmZELK", "lstnum") as an object name.
inline QString qtName(std::string_view name) {
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}
inline std::u16string coreText(const QString& text) {
    return text.toStdU16String();
}
QString qtPath(const std::filesystem::path& path);
std::filesystem::path corePath(const QString& path);

// A design rectangle in pixels at the resolution `widget` is shown at.
QRect pixelRect(const QWidget& widget, const TwipsRect& rect);
QSize pixelSize(const QWidget& widget, int widthTwips, int heightTwips);

// The design's font. Where its Windows face is not installed, the nearest installed face stands
// in: the IPA fonts for the MS Japanese faces (the same families: fixed-pitch Gothic, proportional
// Gothic, proportional Mincho), a heavy sans-serif for Arial Black.
QFont designFont(const FontDesign& font);

// Names, places, captions, colours and fonts `widget` as `design` says; an auto-sized label takes
// the size of its text.
void applyDesign(QWidget& widget, const ControlDesign& design);

// Chains the focus from control to control of `window` in the order of their design tab indexes.
void applyTabOrder(QWidget& window, const WindowDesign& design);

// The icon of the lookup window and the About window: four steel section profiles.
QIcon applicationIcon();

// Puts the top-level `window` with its client area centred on its owner's, kept on the owner's
// screen. Nothing happens for a window without an owner.
void centreOnOwner(QWidget& window);

// An OK-only message box; `title` empty for the application's title.
void showMessageBox(QWidget* parent, const QString& text, const QString& title = {});
// Captions the Yes and No buttons of `box` in the language of the questions (kYesCaption,
// kNoCaption), whatever translations Qt has loaded.
void setJapaneseYesNo(QMessageBox& box);
// A Yes/No question; true for Yes.
bool askYesNo(QWidget* parent, const QString& text, bool yesIsDefault, const QString& title = {});
