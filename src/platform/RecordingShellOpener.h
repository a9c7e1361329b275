#pragma once

#include "ShellOpener.h"

#include <QList>

// Stands in for the desktop in tests: remembers what it was asked to open and opens nothing.
class RecordingShellOpener : public ShellOpener {
public:
    struct Request {
        QString path;
        QString workingDirectory;
        WId owner = 0;
    };

    void openDocument(const QString& path, const QString& workingDirectory, WId owner) override {
        requests.append({path, workingDirectory, owner});
    }

    QList<Request> requests;
};
