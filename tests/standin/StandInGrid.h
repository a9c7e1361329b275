#pragma once

#include <QMap>
#include <QPoint>
#include <QString>

#include <utility>

// The cells and the current cell of the stand-in spreadsheet, and the text it writes them to:
//   cursor<TAB>A2          the current cell
//   pastes<TAB>N           how many pastes it has done
//   ignored<TAB>N          how many keys it ignored for coming without a gap
//   A1<TAB>text            one line for each cell that is not empty, row by row
class StandInGrid {
public:
    static constexpr int kColumns = 10;

    int rows = 40;

    QPoint cursor;                            // x column, y row, from 0
    QMap<std::pair<int, int>, QString> cells; // by (row, column), so in row order
    int pastes = 0;
    int ignoredKeys = 0;

    void move(int columns, int down);
    // Tab-separated lines from the current cell on; the current cell stays where it is.
    void paste(const QString& text);
    void type(const QString& text);

    QString toText() const;
    static QString cellName(QPoint cell);
};
