#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Catalogue files as tests need them: lines joined with CR LF, encoded in code page 932.
namespace CatalogueFile {

QByteArray cp932(const QString& text);
// The lines, each followed by CR LF, in code page 932.
QByteArray lines(const QStringList& lines);
// Writes bytes to path; false when it cannot.
bool write(const QString& path, const QByteArray& bytes);
// Writes the lines as lines() gives them, creating the folders on the way; false when the file
// cannot be written or a line has no code-page-932 form.
bool writeLines(const QString& path, const QStringList& lines);

// The seven tag lines and a count line with two unit kinds ("kg/m", "kg/m2"), ready for groups.
QStringList standardHeader();

} // namespace CatalogueFile
