#include "StandInGrid.h"

#include <QStringList>

#include <algorithm>

void StandInGrid::move(int columns, int down) {
    cursor.setX(std::clamp(cursor.x() + columns, 0, kColumns - 1));
    cursor.setY(std::clamp(cursor.y() + down, 0, rows - 1));
}

void StandInGrid::paste(const QString& text) {
    ++pastes;
    QString body = text;
    if (body.endsWith(u'\n'))
        body.chop(1);
    if (body.endsWith(u'\r'))
        body.chop(1);
    if (body.isEmpty())
        return;
    const QStringList lines = body.split(u'\n');
    for (qsizetype r = 0; r < lines.size(); ++r) {
        QString line = lines[r];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringList fields = line.split(u'\t');
        for (qsizetype c = 0; c < fields.size(); ++c) {
            const std::pair<int, int> cell(cursor.y() + int(r), cursor.x() + int(c));
            if (cell.first >= rows || cell.second >= kColumns)
                continue;
            if (fields[c].isEmpty())
                cells.remove(cell);
            else
                cells[cell] = fields[c];
        }
    }
}

void StandInGrid::type(const QString& text) {
    cells[{cursor.y(), cursor.x()}] += text;
}

QString StandInGrid::cellName(QPoint cell) {
    return QChar(u'A' + cell.x()) + QString::number(cell.y() + 1);
}

QString StandInGrid::toText() const {
    QString text = QStringLiteral("cursor\t%1\npastes\t%2\nignored\t%3\n")
                       .arg(cellName(cursor))
                       .arg(pastes)
                       .arg(ignoredKeys);
    for (auto it = cells.cbegin(); it != cells.cend(); ++it)
        text += cellName(QPoint(it.key().second, it.key().first)) + u'\t' + it.value() + u'\n';
    return text;
}
