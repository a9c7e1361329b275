#pragma once

#include "Catalogue.h"

#include <QString>

class QIODevice;

#include <vector>

// Something in the file that the loader had to repair or skip; the load goes on.
struct LoadProblem {
    qint64 line = 0;
    QString text;
};

struct LoadResult {
    enum class Status {
        Loaded,      // the file was read; `problems` may still list what was repaired
        Missing,     // no such file: `message` is the not-found message
        Unreadable,  // the file exists but cannot be read: `message` names the path and the reason
        TagMismatch, // a header line carries the wrong tag: `message` is fatal, the process must end
    };
    Status status = Status::Loaded;
    QString message;
    std::vector<LoadProblem> problems;
    // How many unit-kind lines gave labels (kinds 1 to this); may differ from UnitKindCount.
    qint16 unitLinesStored = 0;

    // True when the caller has to treat the catalogue as absent and close the lookup window.
    bool FileMissing() const { return status == Status::Missing || status == Status::Unreadable; }
};

// Reads the catalogue file at `DataFileName` (relative to the current directory unless absolute)
// into `catalogue`, rebuilding its tables from nothing. Header settings keep their old values
// until their line is read. Shows nothing itself: the caller shows `message` and the problems.
LoadResult LoadCatalogue(Catalogue& catalogue, const QString& DataFileName);

// The same for catalogue text that is already open; `message` names `DataFileName` on a read error.
LoadResult LoadCatalogue(Catalogue& catalogue, QIODevice& device, const QString& DataFileName);

// "12行目: ..." as the problem appears in messages and in `zelk-tool check`.
QString ProblemLineText(const LoadProblem& problem);

// The one message that tells the user what the load repaired, naming the line of the first few
// problems and how many more there were; empty when there were none.
QString ProblemsMessage(const QString& DataFileName, const std::vector<LoadProblem>& problems);
