#pragma once

#include "catalogue/Catalogue.h"
#include "lookup/SpreadsheetLink.h"
#include "lookup/SpreadsheetLinkView.h"
#include "lookup/TransferSink.h"

#include <QLabel>
#include <QListWidget>
#include <QWidget>

// Passes every call on to the real sink and writes it down, as RecordingTransferSink words it.
class ForwardingSink : public TransferSink {
public:
    explicit ForwardingSink(TransferSink& real) : real_(real) {}
    QStringList calls;

    bool AppActivate(const QString& title) override;
    void ClipboardClear() override;
    void ClipboardSetText(const QString& text) override;
    void SendKeys(const KeySequence& keys, bool wait) override;

private:
    TransferSink& real_;
};

// What the lookup window does around the link, reduced to a member list and a value label: a
// member chosen in the list writes the label, then transfers the member while the link is on.
class LinkTestDriver : public QWidget, public SpreadsheetLinkView {
public:
    LinkTestDriver(const Catalogue& catalogue, TransferSink& sink);

    SpreadsheetLink link;
    QListWidget* list;
    QLabel* label;
    int choices = 0;
    QStringList messages;

    // The list row of member m of group g.
    int rowOf(qint16 g, qint16 m) const;

    void SetMenuChecked(LinkMenuItem, bool) override {}
    void ShowLinkMessage(const QString& message) override { messages.append(message); }

private:
    const Catalogue& catalogue_;
    QList<std::pair<qint16, qint16>> members_;

    void chosen(int row);
};
