// What the spreadsheet receives when a member of lookup.csv is chosen (transfers.tsv), and the
// commands that switch the link and the mode.
#include "lookup/SpreadsheetLink.h"
#include "catalogue/LoadCatalogue.h"
#include "support/RecordingLookupView.h"
#include "support/SpreadsheetStandIn.h"

struct Link {
    Link() { LoadCatalogue(catalogue, sourcePath("tests/lookup/lookup.csv")); }
    Catalogue catalogue;
    RecordingLookupView view;
    SpreadsheetStandIn sheet;
    SpreadsheetLink link{sheet, view};
};

TEST(SpreadsheetLink, sendsWhatEachCaseLists) {
    for (const auto& row : readTable("tests/lookup/transfers.tsv")) {
        SCOPED_TRACE(row[0]);
        Link l;
        l.sheet.running = row[1] != "no spreadsheet";
        l.link.TransferMode = std::int16_t(std::string("TWP").find(row[1][0]));
        l.catalogue.AreaFormula = row[4].empty() ? l.catalogue.AreaFormula : fromUtf8(row[4]);
        l.catalogue.WeightKeys = row[5].empty() ? l.catalogue.WeightKeys : fromUtf8(row[5]);
        l.link.TransferToSpreadsheet(l.catalogue, std::int16_t(std::stoi(row[2])),
                                     std::int16_t(std::stoi(row[3])));
        l.sheet.received.push_back("clipboard " + l.sheet.clipboard.value_or("(empty)"));
        l.sheet.received.insert(l.sheet.received.end(), l.view.messages.begin(), l.view.messages.end());
        EXPECT_EQ(l.sheet.received, split(row[6], '|'));
        EXPECT_EQ(l.sheet.activatedTitle, "Microsoft Excel");
    }
}

TEST(SpreadsheetLink, commandsSwitchTheLinkAndTheMode) {
    Link l;
    l.link.mnuexcel_Click();
    EXPECT_TRUE(l.link.TransferEnabled && l.view.checked[MenuItem::mnuexcel]);
    l.link.mnuexcel_Click();
    EXPECT_FALSE(l.link.TransferEnabled || l.view.checked[MenuItem::mnuexcel]);
    for (const auto command :
         {&SpreadsheetLink::mnuP_Click, &SpreadsheetLink::mnuW_Click, &SpreadsheetLink::mnuT_Click}) {
        (l.link.*command)();
        const int mode = l.link.TransferMode;
        EXPECT_EQ(std::vector<bool>({l.view.checked[MenuItem::mnuT], l.view.checked[MenuItem::mnuW],
                                     l.view.checked[MenuItem::mnuP]}),
                  std::vector<bool>({mode == 0, mode == 1, mode == 2}));
    }
    EXPECT_EQ(l.link.TransferMode, SpreadsheetLink::TableForm); // after mnuP, mnuW and mnuT
}
