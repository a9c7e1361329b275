#pragma once

#include "Catalogue.h"
#include "CatalogueRecords.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class ByteSource;

// Something in the file that the loader had to repair or skip; the load goes on.
struct LoadProblem {
    std::int64_t line = 0;
    std::u16string text;
};

struct LoadResult {
    enum class Status {
        Loaded,      // the file was read; `problems` may still list what was repaired
        Missing,     // no such file: `message` is the not-found message
        Unreadable,  // the file exists but cannot be read: `message` names the path and the reason
        TagMismatch, // a header line carries the wrong tag: `message` is fatal, the process must end
    };
    Status status = Status::Loaded;
    std::u16string message;
    std::vector<LoadProblem> problems;
    // How many unit-kind lines gave labels (kinds 1 to this); may differ from UnitKindCount.
    std::int16_t unitLinesStored = 0;
};

// Sees every member record as the loader reads it, with its line, for readers that want more of
// a member than the tables keep. The tables are filled the same with or without one.
using MemberObserver = std::function<void(const MemberRecord&)>;

// Reads the catalogue file at `DataFileName` (relative to the current directory unless absolute)
// into `catalogue`, rebuilding its tables from nothing. Header settings keep their old values
// until their line is read. Shows nothing itself: the caller shows `message` and the problems.
LoadResult LoadCatalogue(Catalogue& catalogue, const std::filesystem::path& DataFileName,
                         const MemberObserver& onMember = {});

// The same for catalogue bytes from elsewhere; `displayName` names them in a read error.
LoadResult LoadCatalogue(Catalogue& catalogue, ByteSource& source, const std::u16string& displayName,
                         const MemberObserver& onMember = {});

// "12行目: ..." as the problem appears in messages and in `zelk-tool check`.
std::u16string problemLineText(const LoadProblem& problem);

// The one message that tells the user what the load repaired, naming the line of the first few
// problems and how many more there were; empty when there were none.
std::u16string problemsMessage(const std::u16string& displayName, const std::vector<LoadProblem>& problems);

// "鋼材データファイル<name>を読み込めません（<reason>）。"
std::u16string unreadableCatalogueMessage(const std::u16string& displayName, const std::u16string& reason);
// "鋼材データファイル<name>が見つかりません。"
std::u16string missingCatalogueMessage(const std::u16string& displayName);
