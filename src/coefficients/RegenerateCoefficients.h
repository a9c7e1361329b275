#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class ByteSink;
class ByteSource;

// The file that the generator writes, in the current directory unless the caller says otherwise.
inline constexpr std::u16string_view kRegeneratedFileName = u"JISTEELW.new";
inline constexpr std::u16string_view kSummaryCaption = u"塗装面積係数更新";

struct RegenerationResult {
    enum class Status {
        Done,      // every group written; the summary was reported
        DataError, // a fault in the catalogue stopped the run; the output keeps what was written
        FileError, // the input could not be opened or read, or the output not created or written
    };
    Status status = Status::Done;
    std::int64_t groups = 0;
    std::int64_t members = 0;
    std::u16string message; // the stop's message, empty when Done
    std::int64_t line = 0;  // the input line that a data error concerns
};

// How a run talks to its user: the window shows message boxes, zelk-tool prints.
class RegenerationReporter {
public:
    virtual ~RegenerationReporter() = default;
    // Something the reader repaired (a field that is no number read as 0, a blank line skipped,
    // bytes that are not code page 932); the run goes on.
    virtual void problem(std::int64_t line, const std::u16string& text) = 0;
    // The run stopped: result.status says why, result.message is the message to show as it
    // stands. The output is complete on the disk by then.
    virtual void stopped(const RegenerationResult& result) = 0;
    // The run is complete and its output on the disk.
    virtual void summary(std::u16string_view caption, const std::u16string& prompt) = 0;
};

// Reads the catalogue `DataFileName` and writes it to `outputPath` with every member's paint-area
// coefficient recomputed from its designation and weight by the rule of its group's shape code,
// in the generator's normalised layout. Streams the input: only the current record is held.
// The input's first seven lines, its unit-kind count line and the unit-kind lines are copied as
// they stand. Never ends the process and shows nothing itself: everything goes to `reporter`.
//
// The output is written to a temporary file beside the file `outputPath` leads to (see
// ReplacingFile: links followed, hard links and owner kept) that replaces it at the end, so
// the input (even when `outputPath` is another name of the same file) and an earlier output stay
// untouched until a whole new file takes the name. When a fault in the data stops the run, the
// new file holds every line written before the faulty record; after a file error the old file
// stays as it was.
RegenerationResult RegenerateCoefficients(const std::filesystem::path& DataFileName,
                                          const std::filesystem::path& outputPath,
                                          RegenerationReporter& reporter);

// The same between a source and a sink that are already open; the names only go into messages.
RegenerationResult RegenerateCoefficients(ByteSource& input, ByteSink& output,
                                          const std::u16string& inputName, const std::u16string& outputName,
                                          RegenerationReporter& reporter);
