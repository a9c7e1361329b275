#pragma once

#include <QFont>

// The window designs name Windows faces ("ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", "ＭＳ ゴシック",
// "Arial Black"). Where such a face is not installed, Qt is told to draw it with an installed face
// of the same kind: a Japanese gothic or mincho (IPA fonts first), a heavy sans.
void installFontSubstitutes();

// The font of every control whose design names none: the Japanese user-interface face at 9 pt.
QFont defaultInterfaceFont();
