#include "LinkTestDriver.h"

#include "lookup/MemberTexts.h"

#include <QVBoxLayout>

bool ForwardingSink::AppActivate(const QString& title) {
    calls.append(QStringLiteral("AppActivate ") + title);
    return real_.AppActivate(title);
}

void ForwardingSink::ClipboardClear() {
    calls.append(QStringLiteral("Clear"));
    real_.ClipboardClear();
}

void ForwardingSink::ClipboardSetText(const QString& text) {
    calls.append(QStringLiteral("SetText ") + text);
    real_.ClipboardSetText(text);
}

void ForwardingSink::SendKeys(const KeySequence& keys, bool wait) {
    calls.append(QStringLiteral("SendKeys ") + keys.text +
                 (wait ? QStringLiteral(" wait") : QStringLiteral(" nowait")));
    real_.SendKeys(keys, wait);
}

LinkTestDriver::LinkTestDriver(const Catalogue& catalogue, TransferSink& sink)
    : link(sink, *this), list(new QListWidget), label(new QLabel), catalogue_(catalogue) {
    setWindowTitle(QStringLiteral("zelk link test driver"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(label);
    for (qint16 g = 1; g <= catalogue.GroupCount; ++g) {
        for (qint16 m = 1; m <= catalogue.GroupMemberCount[g]; ++m) {
            members_.append({g, m});
            list->addItem(catalogue.MemberName[g][m]);
        }
    }
    // Only the mouse chooses: a list that takes the focus would choose its first member by itself.
    list->setFocusPolicy(Qt::NoFocus);
    connect(list, &QListWidget::currentRowChanged, this, &LinkTestDriver::chosen);
}

int LinkTestDriver::rowOf(qint16 g, qint16 m) const {
    return int(members_.indexOf(std::pair<qint16, qint16>(g, m)));
}

void LinkTestDriver::chosen(int row) {
    if (row < 0)
        return;
    const auto [g, m] = members_[row];
    label->setText(ValueLabelText(catalogue_, g, m));
    if (link.TransferEnabled)
        link.TransferToSpreadsheet(catalogue_, g, m);
    ++choices;
}
