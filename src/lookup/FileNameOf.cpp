#include "FileNameOf.h"

QString FileNameOf(const QString& path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return separator < 0 ? path : path.mid(separator + 1);
}
