#pragma once

#include "CatalogueFile.h"

#include <QString>
#include <QStringList>

// Writes `lines` as a catalogue file: code page 932, CR LF after every line. Creates the folders
// on the way. False when the file could not be written or a line has no code-page-932 form.
inline bool writeCatalogueFile(const QString& path, const QStringList& lines) {
    return CatalogueFile::writeLines(path, lines);
}

// The seven header lines and the unit kinds that every test catalogue starts with.
inline QStringList catalogueHeader() {
    return {
        QStringLiteral("W>{right}"),   QStringLiteral("W=d1*e1"),
        QStringLiteral("A>{right}"),   QStringLiteral("A="),
        QStringLiteral("1>{down}"),    QStringLiteral("2>{down}"),
        QStringLiteral("3>"),          QStringLiteral("2,重量,面積"),
        QStringLiteral("1,kg/m,m2/t"), QStringLiteral("2,kg/m2,m2/m2"),
    };
}

// Three groups: two members, none, one.
inline QStringList threeGroupCatalogue() {
    return catalogueHeader() + QStringList{
                                   QStringLiteral("H形鋼,1,2"),
                                   QStringLiteral("H-100x50x5x7,,9.3,41.94"),
                                   QStringLiteral("H-100x100x6x8,細幅,17.2,34.19"),
                                   QStringLiteral("/*"),
                                   QStringLiteral("EMPTY,2,5"),
                                   QStringLiteral("/*"),
                                   QStringLiteral("鋼板,2,5"),
                                   QStringLiteral("PL-6,,47.1,42.46"),
                                   QStringLiteral("/*"),
                               };
}
