#include "TextEditor.h"

#include "base/Files.h"
#include "base/Text.h"

#include <system_error>

namespace {

// The file's size and a 64-bit FNV-1a hash of its bytes, read in pieces so that a large file is
// not held twice.
TextEditor::Fingerprint fingerprintOf(const std::filesystem::path& path) {
    TextEditor::Fingerprint fingerprint;
    InputFile file;
    if (!file.open(path))
        return fingerprint;
    std::uint64_t hash = 14695981039346656037u;
    char buffer[65536];
    for (;;) {
        const std::ptrdiff_t count = file.read(buffer, sizeof buffer);
        if (count < 0)
            return fingerprint;
        if (count == 0)
            break;
        for (std::ptrdiff_t i = 0; i < count; ++i)
            hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211u;
        fingerprint.size += std::uintmax_t(count);
    }
    fingerprint.readable = true;
    fingerprint.hash = hash;
    return fingerprint;
}

std::u16string encodingName(CatalogueText::Encoding encoding) {
    return encoding == CatalogueText::Encoding::Utf8 ? u"UTF-8" : u"シフトJIS";
}

// "3, 7, 12 行目", the first few of a long list with the count of the rest.
std::u16string lineList(const std::vector<std::int64_t>& lines) {
    constexpr std::size_t kShown = 10;
    std::u16string text;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i) {
        if (i > 0)
            text += u", ";
        text += decimalText(lines[i]);
    }
    text += u" 行目";
    if (lines.size() > kShown)
        text += formatText(u" ほか %1 行", {decimalText(std::int64_t(lines.size() - kShown))});
    return text;
}

} // namespace

TextEditor::TextEditor(TextEditorView& view, std::filesystem::path dataFileName)
    : m_view(view), m_dataFileName(std::move(dataFileName)) {}

void TextEditor::Form_Load() {
    m_loadDone = false;
    const CatalogueText::ReadResult file = CatalogueText::read(m_dataFileName);
    if (file.ok) {
        m_loaded = fingerprintOf(m_dataFileName);
        m_view.setText(file.text);
        m_encoding = file.encoding;
        m_badLines = file.badLines;
    }
    m_loadDone = true;
    if (!file.ok) {
        // The design text stays in the box, so the user sees that there is nothing to edit.
        std::error_code error;
        m_view.showMessage(
            formatText(u"データファイルを読み込めません。\n%1\n%2",
                       {pathText(std::filesystem::absolute(m_dataFileName, error)), file.error}));
    } else if (!m_badLines.empty()) {
        m_view.showMessage(formatText(
            u"%1 には、文字コード (%2) として読めないバイトを含む行があります: %3\n"
            u"画面ではそのバイトを「\uFFFD」で示しています。保存するとそれらのバイトは元に戻りません。",
            {pathText(m_dataFileName), encodingName(m_encoding), lineList(m_badLines)}));
    }
}

void TextEditor::rtf1_Change() {
    if (m_loadDone)
        m_textChanged = true;
}

bool TextEditor::Form_QueryUnload() {
    if (!m_textChanged)
        return true;
    if (!m_view.askSaveChanges())
        return true;
    return saveText();
}

bool TextEditor::saveText() {
    if (!m_badLines.empty() &&
        !m_view.askToProceed(formatText(u"読み込んだとき読めなかったバイトが次の行にありました: %1\n"
                                        u"保存すると、それらのバイトは元のとおりには書かれません。\n"
                                        u"保存しますか。",
                                        {lineList(m_badLines)})))
        return false;
    // Checked before the save dialog: nothing is written with a character replaced.
    const CatalogueText::EncodeResult encoded = CatalogueText::encode(m_view.text(), m_encoding);
    if (!encoded.ok) {
        m_view.showMessage(
            formatText(u"%1行目の文字「%2」(%3) はこのファイルの文字コード (%4) で保存できません。\n"
                       u"その文字を直してから閉じてください。",
                       {decimalText(encoded.badLine), encoded.badCharacter,
                        CatalogueText::codePointText(encoded.badCharacter), encodingName(m_encoding)}));
        return false;
    }
    const std::optional<std::filesystem::path> path = chooseSavePath();
    if (!path)
        return false;
    const bool sameFile = isSameFile(*path, m_dataFileName) || *path == m_dataFileName;
    if (sameFile && fingerprintOf(m_dataFileName) != m_loaded &&
        !m_view.askToProceed(formatText(u"%1 は、この画面で開いた後にほかで変更されています。\n"
                                        u"保存すると、その変更は失われます。置き換えますか。",
                                        {pathText(*path)})))
        return false;
    const std::u16string failure = CatalogueText::write(*path, encoded.bytes);
    if (!failure.empty()) {
        m_view.showMessage(
            formatText(u"データファイルを保存できません。\n%1\n%2", {pathText(*path), failure}));
        return false;
    }
    if (!sameFile)
        m_dataFileName = *path;
    return true;
}

std::optional<std::filesystem::path> TextEditor::chooseSavePath() {
    std::filesystem::path proposed = m_dataFileName;
    for (;;) {
        const std::optional<std::filesystem::path> chosen = m_view.askSaveFileName(proposed);
        if (!chosen)
            return std::nullopt;
        if (isSameFile(*chosen, m_dataFileName) || pathKind(*chosen) == PathKind::Missing)
            return chosen;
        if (m_view.askToProceed(formatText(u"%1 は既にあります。\n上書きしますか。", {pathText(*chosen)})))
            return chosen;
        proposed = *chosen;
    }
}
