#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

// The file that the generator writes, in the current directory unless the caller says otherwise.
inline const QString kRegeneratedFileName = QStringLiteral("JISTEELW.new");
inline const QString kSummaryCaption = QStringLiteral("塗装面積係数更新");

struct RegenerationResult {
    enum class Status {
        Done,      // every group written; the summary was reported
        DataError, // a fault in the catalogue stopped the run; the output keeps what was written
        FileError, // the input could not be opened or read, or the output not created or written
    };
    Status status = Status::Done;
    qint64 groups = 0;
    qint64 members = 0;
    QString message; // the stop's message, empty when Done
    qint64 line = 0; // the input line that a data error concerns
};

// How a run talks to its user: the window shows message boxes, zelk-tool prints.
class RegenerationReporter {
public:
    virtual ~RegenerationReporter() = default;
    // Something the reader repaired (a field that is no number read as 0, a blank line skipped,
    // bytes that are not code page 932); the run goes on.
    virtual void problem(qint64 line, const QString& text) = 0;
    // The run stopped: result.status says why, result.message is the message to show as it
    // stands. The output is flushed and still open; it is closed after this returns.
    virtual void stopped(const RegenerationResult& result) = 0;
    // The run is complete; the output is flushed and still open, and closed after this returns.
    virtual void summary(const QString& caption, const QString& prompt) = 0;
};

// "グループ数= 12, 総部材数= 345": each count behind a blank in the place of a sign.
QString SummaryPrompt(qint64 groups, qint64 members);

// Reads the catalogue `DataFileName` and writes it to `outputPath` with every member's paint-area
// coefficient recomputed from its designation and weight by the rule of its group's shape code,
// in the generator's normalised layout. Streams the input: only the current record is held.
// The input's first seven lines, its unit-kind count line and the unit-kind lines are copied as
// they stand. Never ends the process and shows nothing itself: everything goes to `reporter`.
// When the input cannot be opened or the output not created, nothing is written at all; when a
// fault stops the run, the output keeps every line written before the faulty record.
RegenerationResult RegenerateCoefficients(const QString& DataFileName, const QString& outputPath,
                                          RegenerationReporter& reporter);

// The same between two devices that are already open; the names only go into the messages.
RegenerationResult RegenerateCoefficients(QIODevice& input, QIODevice& output, const QString& DataFileName,
                                          const QString& outputPath, RegenerationReporter& reporter);
