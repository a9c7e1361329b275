#include "CatalogueText.h"

#include <QFile>
#include <QSaveFile>
#include <QStringEncoder>

namespace CatalogueText {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

QStringEncoder makeEncoder(Encoding encoding) {
    return encoding == Encoding::Utf8
               ? QStringEncoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless)
               : QStringEncoder(kCp932Name, QStringConverter::Flag::Stateless);
}

bool encodes(Encoding encoding, QStringView text) {
    QStringEncoder encoder = makeEncoder(encoding);
    const QByteArray bytes = encoder.encode(text);
    Q_UNUSED(bytes)
    return !encoder.hasError();
}

// One line's characters, a surrogate pair taken together, until the first that does not encode.
qsizetype firstBadCharacter(Encoding encoding, QStringView line, qsizetype& length) {
    for (qsizetype i = 0; i < line.size(); i += length) {
        length = (line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate()) ? 2 : 1;
        if (!encodes(encoding, line.mid(i, length)))
            return i;
    }
    length = 0;
    return -1;
}

} // namespace

ReadResult read(const QString& path) {
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    TextLineReader reader(file);
    QString line;
    while (reader.readLine(line)) {
        result.text += line;
        result.text += u'\n';
    }
    if (reader.readFailed()) {
        result.error = reader.errorString();
        result.text.clear();
        return result;
    }
    result.encoding = reader.encoding();
    result.ok = true;
    return result;
}

EncodeResult encode(const QString& text, Encoding encoding) {
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    if (!normalized.isEmpty() && !normalized.endsWith(u'\n'))
        normalized += u'\n';

    EncodeResult result;
    QStringEncoder encoder = makeEncoder(encoding);
    QByteArray body = encoder.encode(QString(normalized).replace(u'\n', QStringLiteral("\r\n")));
    if (!encoder.hasError()) {
        result.bytes = encoding == Encoding::Utf8 ? QByteArray(kUtf8Bom, 3) + body : body;
        result.ok = true;
        return result;
    }
    // Only a text that fails is searched, a line and then a character at a time, for the first
    // character to name.
    qint64 lineNumber = 0;
    for (QStringView line : QStringView(normalized).split(u'\n')) {
        ++lineNumber;
        if (encodes(encoding, line))
            continue;
        qsizetype length = 0;
        const qsizetype at = firstBadCharacter(encoding, line, length);
        result.badCharacter = line.mid(at, length).toString();
        result.badLine = lineNumber;
        return result;
    }

    return result;
}

QString write(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString codePointText(const QString& character) {
    // A lone surrogate is named as itself (toUcs4() would turn it into U+FFFD).
    uint codePoint = character.isEmpty() ? 0 : character[0].unicode();
    if (character.size() > 1 && character[0].isHighSurrogate() && character[1].isLowSurrogate())
        codePoint = QChar::surrogateToUcs4(character[0], character[1]);
    return QStringLiteral("U+%1").arg(codePoint, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace CatalogueText
