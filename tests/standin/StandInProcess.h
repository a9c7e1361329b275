#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Runs the stand-in spreadsheet for a test or a benchmark and reads back its grid. Needs a
// QGuiApplication on the xcb platform.
class StandInProcess {
public:
    static constexpr const char* kDefaultTitle = "Microsoft Excel - Book1";

    StandInProcess() = default;
    ~StandInProcess();

    // Starts it and waits until its window is on the screen; false (with `error`) when it is not.
    bool start(const QString& title = QString::fromLatin1(kDefaultTitle), int rows = 40);
    void stop();

    // The grid file's entries: "cursor", "pastes", "ignored" and the cells ("A1", ...).
    QMap<QString, QString> grid() const;

    QString error;

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString gridFile_;
};
