#include "CatalogueFile.h"

#include "catalogue/TextLineReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace CatalogueFile {

QByteArray cp932(const QString& text) {
    QStringEncoder encoder(kCp932Name);
    return encoder.encode(text);
}

QByteArray lines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += cp932(line) + "\r\n";
    return bytes;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool writeLines(const QString& path, const QStringList& text) {
    QStringEncoder encoder(kCp932Name);
    QByteArray bytes;
    for (const QString& line : text)
        bytes += encoder.encode(line) + "\r\n";
    QDir().mkpath(QFileInfo(path).absolutePath());
    return !encoder.hasError() && write(path, bytes);
}

QStringList standardHeader() {
    return {
        QStringLiteral("W>{right}"),   QStringLiteral("W=d1*e1"),
        QStringLiteral("A>{right}"),   QStringLiteral("A=f1*2"),
        QStringLiteral("1>{down}"),    QStringLiteral("2>{down}{left 5}"),
        QStringLiteral("3>"),          QStringLiteral("2,単位重量,塗装面積係数"),
        QStringLiteral("1,kg/m,m2/t"), QStringLiteral("2,kg/m2,m2/t"),
    };
}

} // namespace CatalogueFile
