#include "SizeDesignation.h"

#include "DataError.h"
#include "LeadingNumber.h"

namespace {

bool isSizeCharacter(QChar c) {
    return c == u'.' || (c >= u'0' && c <= u'9');
}

} // namespace

QStringView WithoutSizePrefix(QStringView designation) {
    for (qsizetype i = 0; i < designation.size(); ++i) {
        if (isSizeCharacter(designation[i]))
            return designation.mid(i);
    }
    throw DataError{kMissingSizeMessage};
}

void StripSizePrefix(QString& designation) {
    const qsizetype removed = designation.size() - WithoutSizePrefix(designation).size();
    if (removed > 0)
        designation.remove(0, removed);
}

qsizetype FindDimensionSeparator(QStringView text) {
    const qsizetype index = text.indexOf(u'x');
    if (index < 0)
        throw DataError{kMissingSeparatorMessage};
    return index + 1;
}

Dimensions SplitDimensions(QStringView designation, int count) {
    Q_ASSERT(count >= 0 && count <= 4);
    Dimensions d;
    QStringView s = WithoutSizePrefix(designation);
    if (count == 0)
        return d;
    if (count == 1) {
        d.value[0] = LeadingNumber(s);
        return d;
    }
    qsizetype p = FindDimensionSeparator(s);
    d.value[0] = LeadingNumber(s);
    s = s.mid(p);
    for (int j = 2; j < count; ++j) {
        p = FindDimensionSeparator(s);
        d.value[std::size_t(j - 1)] = LeadingNumber(s.left(p - 1));
        s = s.mid(p);
    }
    d.value[std::size_t(count - 1)] = LeadingNumber(s);
    return d;
}
