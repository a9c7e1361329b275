#pragma once

#include <QObject>

// Start-up measurement: on the first paint of the watched window, prints the wall-clock time in
// nanoseconds since the epoch ("first-paint-ns <n>") on standard output, so that a script can
// take it from the moment it started the process.
class FirstPaintReporter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_reported = false;
};
