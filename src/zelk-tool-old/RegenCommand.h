#pragma once

#include <QStringList>

// `zelk-tool regen FILE [-o OUT]`; `arguments` start with the subcommand's name.
int runRegen(const QStringList& arguments);
