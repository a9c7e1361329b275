#pragma once

#include <QIcon>

// The icon of the lookup window and the About window: four steel section profiles.
QIcon applicationIcon();
