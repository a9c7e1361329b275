// What the spreadsheet receives when a member of lookup.csv is chosen, and what the user is told
// when a step fails (transfers.tsv).
#include "link/SpreadsheetLink.h"
#include "catalogue/LoadCatalogue.h"
#include "link/RecordingTransferSink.h"
#include "support/TestFiles.h"

#include <map>

// "6 NotFetched": the sixth call to the sink fails with that fault.
void scriptFault(RecordingTransferSink& sheet, const std::string& text) {
    const std::map<std::string, TransferFault> faults = {
        {"ClipboardBusy", TransferFault::ClipboardBusy}, {"NotFocused", TransferFault::NotFocused},
        {"NotFetched", TransferFault::NotFetched},       {"FetchedLate", TransferFault::FetchedLate},
        {"NotResponding", TransferFault::NotResponding}, {"WindowClosed", TransferFault::WindowClosed}};
    if (const std::size_t blank = text.find(' '); blank != std::string::npos) {
        sheet.failingCall = std::stoi(text.substr(0, blank));
        sheet.fault = faults.at(text.substr(blank + 1));
    }
}

struct Link {
    Link() { LoadCatalogue(catalogue, sourcePath("tests/forms/lookup.csv")); }
    Catalogue catalogue;
    std::vector<std::string> messages;
    RecordingTransferSink sheet;
    SpreadsheetLink link{sheet, [this](const std::u16string& text) { messages.push_back(u8(text)); }};
};

TEST(SpreadsheetLink, sendsWhatEachCaseLists) {
    for (const auto& row : readTable("tests/link/transfers.tsv")) {
        SCOPED_TRACE(row[0]);
        Link l;
        l.sheet.running = row[1] != "no spreadsheet";
        l.link.TransferMode = row[1] == "W"   ? SpreadsheetLink::WeightOnly
                              : row[1] == "P" ? SpreadsheetLink::PaintOnly
                                              : SpreadsheetLink::TableForm;
        l.catalogue.AreaFormula = row[4].empty() ? l.catalogue.AreaFormula : fromUtf8(row[4]);
        l.catalogue.WeightKeys = row[5].empty() ? l.catalogue.WeightKeys : fromUtf8(row[5]);
        scriptFault(l.sheet, row[6]);
        l.link.TransferToSpreadsheet(l.catalogue, std::int16_t(std::stoi(row[2])),
                                     std::int16_t(std::stoi(row[3])));
        l.sheet.received.push_back("clipboard " + l.sheet.clipboard.value_or("(empty)"));
        l.sheet.received.insert(l.sheet.received.end(), l.messages.begin(), l.messages.end());
        EXPECT_EQ(l.sheet.received, split(row[7], '|'));
        EXPECT_EQ(l.sheet.activatedTitle, "Microsoft Excel");
    }
}
