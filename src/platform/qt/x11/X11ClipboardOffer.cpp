#include "X11ClipboardOffer.h"

#include <QMimeData>

namespace {

constexpr std::size_t kPastesKept = 8;

// Qt asks the content for its formats (a TARGETS request) and for its text (any text target) at
// each request it answers.
class OfferedContent final : public QMimeData {
public:
    explicit OfferedContent(std::weak_ptr<const X11ClipboardOffer> offer) : m_offer(std::move(offer)) {}

    QStringList formats() const override {
        return offered() ? QStringList{QStringLiteral("text/plain")} : QStringList();
    }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType) const override {
        const std::optional<std::u16string> text = offered();
        return text && mimeType == u"text/plain" ? QVariant(QString::fromStdU16String(*text)) : QVariant();
    }

private:
    std::weak_ptr<const X11ClipboardOffer> m_offer;

    std::optional<std::u16string> offered() const {
        const auto offer = m_offer.lock();
        return offer ? offer->answer() : std::nullopt;
    }
};

} // namespace

void X11ClipboardOffer::pasted(uint32_t keyPress) {
    if (m_pastes.size() >= kPastesKept)
        m_pastes.pop_front();
    m_pastes.emplace_back(keyPress, newest);
}

void X11ClipboardOffer::answering(bool fromSpreadsheet, uint32_t sequence) {
    m_answering = true;
    m_answer = newest;
    for (auto paste = m_pastes.rbegin(); fromSpreadsheet && paste != m_pastes.rend(); ++paste) {
        if (sequenceAtOrAfter(sequence, paste->first)) {
            m_answer = paste->second;
            break;
        }
    }
}

QMimeData* newOfferedContent(const std::shared_ptr<const X11ClipboardOffer>& offer) {
    return new OfferedContent(offer);
}
