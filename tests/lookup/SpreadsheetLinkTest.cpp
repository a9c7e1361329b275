// What the spreadsheet receives when a member of lookup.csv is chosen, in each transfer mode.
#include "lookup/SpreadsheetLink.h"
#include "catalogue/LoadCatalogue.h"
#include "support/RecordingLookupView.h"
#include "support/SpreadsheetStandIn.h"

using Strings = std::vector<std::string>;

struct Transfer {
    const char* what;
    std::int16_t mode, group, member;
    const char16_t* areaFormula; // replaces the catalogue's when set
    Strings received;
    const char* clipboard;
};

const Transfer kTransfers[] = {
    {"table form, kind 1",
     SpreadsheetLink::TableForm,
     1,
     2,
     nullptr,
     {"paste H-100x100x6x8\t細幅\t 1\t 17.2\t 34.19", "keys {RIGHT}", "paste =D1*E1", "keys {RIGHT}",
      "paste =F1*2", "keys {DOWN}{LEFT 6}"},
     "=F1*2"},
    {"table form, no area formula, kind 2 with empty keys",
     SpreadsheetLink::TableForm,
     3,
     1,
     u"=/",
     {"paste PL-6\t\t 2\t 47.1\t 42.46", "keys {RIGHT}", "paste =D1*E1", "keys {RIGHT}", "keys "},
     "(empty)"},
    {"table form, kind 0: no kind keys",
     SpreadsheetLink::TableForm,
     5,
     1,
     nullptr,
     {"paste D\t\t 0\t 12.3\t 1.25", "keys {RIGHT}", "paste =D1*E1", "keys {RIGHT}", "paste =F1*2"},
     "=F1*2"},
    {"weight only", SpreadsheetLink::WeightOnly, 1, 2, nullptr, {"paste  17.2"}, " 17.2"},
    {"coefficient only", SpreadsheetLink::PaintOnly, 4, 3, nullptr, {"paste -1.5"}, "-1.5"},
};

struct Link {
    Link() { LoadCatalogue(catalogue, sourcePath("tests/lookup/lookup.csv")); }
    Catalogue catalogue;
    RecordingLookupView view;
    SpreadsheetStandIn sheet;
    SpreadsheetLink link{sheet, view};
};

TEST(SpreadsheetLink, sendsWhatEachModeSends) {
    for (const Transfer& transfer : kTransfers) {
        SCOPED_TRACE(transfer.what);
        Link l;
        l.link.TransferMode = transfer.mode;
        if (transfer.areaFormula)
            l.catalogue.AreaFormula = transfer.areaFormula;
        l.link.TransferToSpreadsheet(l.catalogue, transfer.group, transfer.member);
        EXPECT_EQ(l.sheet.activatedTitle, "Microsoft Excel");
        EXPECT_EQ(l.sheet.received, transfer.received);
        EXPECT_EQ(l.sheet.clipboard.value_or("(empty)"), transfer.clipboard);
    }
}

TEST(SpreadsheetLink, withoutASpreadsheetNothingIsSent) {
    Link l;
    l.sheet.running = false;
    l.sheet.clipboard = "before";
    l.link.TransferToSpreadsheet(l.catalogue, 1, 1);
    EXPECT_TRUE(l.sheet.received.empty() && l.view.messages.empty());
    EXPECT_EQ(l.sheet.clipboard, "before");
}

// Half a cursor movement would put the next paste into the wrong cell: the transfer stops.
TEST(SpreadsheetLink, keysThatDoNotReadStopTheTransferWithAMessage) {
    Link l;
    l.catalogue.WeightKeys = u"{RIGTH}";
    l.link.TransferToSpreadsheet(l.catalogue, 1, 1);
    EXPECT_EQ(l.sheet.received, Strings{"paste H-100x50x5x7\t\t 1\t 9.3\t 41.94"});
    EXPECT_EQ(l.view.messages,
              Strings{"データファイルの W> の行のキー操作「{RIGTH}」は送れません。\n" +
                      u8(ParseKeySequence(u"{RIGTH}").error) + "\nエクセルへの転送はここで止めました。"});
}

TEST(SpreadsheetLink, commandsSwitchTheLinkAndTheMode) {
    Link l;
    l.link.mnuexcel_Click();
    EXPECT_TRUE(l.link.TransferEnabled && l.view.checked[MenuItem::mnuexcel]);
    l.link.mnuexcel_Click();
    EXPECT_FALSE(l.link.TransferEnabled || l.view.checked[MenuItem::mnuexcel]);
    for (const auto& [command, mode] : {std::pair{&SpreadsheetLink::mnuP_Click, SpreadsheetLink::PaintOnly},
                                        {&SpreadsheetLink::mnuW_Click, SpreadsheetLink::WeightOnly},
                                        {&SpreadsheetLink::mnuT_Click, SpreadsheetLink::TableForm}}) {
        (l.link.*command)();
        EXPECT_EQ(l.link.TransferMode, mode);
        EXPECT_EQ(std::vector<bool>({l.view.checked[MenuItem::mnuT], l.view.checked[MenuItem::mnuW],
                                     l.view.checked[MenuItem::mnuP]}),
                  std::vector<bool>({mode == 0, mode == 1, mode == 2}));
    }
}
