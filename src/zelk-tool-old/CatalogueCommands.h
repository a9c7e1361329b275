#pragma once

#include <QStringList>

// `zelk-tool show FILE` and `zelk-tool check FILE`; `arguments` start with the subcommand's name.
int runShow(const QStringList& arguments);
int runCheck(const QStringList& arguments);
