#pragma once

#include <QString>

// The four menu items of the spreadsheet link.
enum class LinkMenuItem { Excel, Table, WeightOnly, PaintOnly };

// What the link's handlers need of the lookup window: the check marks of its menu items
// (`mnuexcel`, `mnuT`, `mnuW`, `mnuP`) and a message box.
class SpreadsheetLinkView {
public:
    virtual ~SpreadsheetLinkView() = default;
    virtual void SetMenuChecked(LinkMenuItem item, bool checked) = 0;
    virtual void ShowLinkMessage(const QString& message) = 0;
};
