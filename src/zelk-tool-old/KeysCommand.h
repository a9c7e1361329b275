#pragma once

#include <QStringList>

// `zelk-tool keys TEXT`: the keystrokes that TEXT stands for, one per line; `arguments` start
// with the subcommand's name.
int runKeys(const QStringList& arguments);
