// The bundled catalogue data/JISTEELW.CSV as the program loads it: its groups, the figures that
// are quoted for the standard sections, and the take-off sheet that its tag lines set up.
#include "catalogue/LoadCatalogue.h"

#include <QRegularExpression>
#include <QTest>

#include <map>
#include <optional>
#include <set>

namespace {

struct Cell {
    int column = 1; // A = 1
    int row = 1;
};

// Moves the cursor by keystrokes in the notation the catalogue uses ({RIGHT 7}, {DOWN}, ...);
// nullopt for any other keystroke, which the sheet layout has no use for.
std::optional<Cell> moved(Cell cell, const QString& keys) {
    static const QRegularExpression key(QStringLiteral(R"(\{(RIGHT|LEFT|UP|DOWN)(?: (\d+))?\})"));
    qsizetype position = 0;
    while (position < keys.size()) {
        const QRegularExpressionMatch m = key.match(keys, position, QRegularExpression::NormalMatch,
                                                    QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch())
            return std::nullopt;
        const int steps = m.captured(2).isEmpty() ? 1 : m.captured(2).toInt();
        const QString direction = m.captured(1);
        if (direction == u"RIGHT")
            cell.column += steps;
        else if (direction == u"LEFT")
            cell.column -= steps;
        else if (direction == u"DOWN")
            cell.row += steps;
        else
            cell.row -= steps;
        position = m.capturedEnd();
    }
    return cell;
}

QString columnLetter(int column) {
    return QString(QChar(u'A' + column - 1));
}

// Evaluates a formula made of same-row references INDEX(X:X,ROW()) and numbers joined by * and /,
// left to right, with the row's cells from `cells`; nullopt for anything else.
std::optional<double> evaluated(const QString& formula, const std::map<QString, double>& cells) {
    static const QRegularExpression term(
        QStringLiteral(R"(^(?:INDEX\(([A-Z]):\1,ROW\(\)\)|(\d+(?:\.\d+)?))$)"));
    if (!formula.startsWith(u'='))
        return std::nullopt;
    static const QRegularExpression operators(QStringLiteral(R"([*/])"));
    const QStringList terms = formula.mid(1).split(operators);
    double value = 1.0;
    qsizetype position = 1;
    for (const QString& text : terms) {
        const QChar op = position == 1 ? u'*' : formula.at(position - 1);
        const QRegularExpressionMatch m = term.match(text);
        if (!m.hasMatch())
            return std::nullopt;
        double operand = 0.0;
        if (m.captured(1).isEmpty())
            operand = m.captured(2).toDouble();
        else if (const auto cell = cells.find(m.captured(1)); cell != cells.end())
            operand = cell->second;
        value = op == u'*' ? value * operand : value / operand;
        position += text.size() + 1;
    }
    return value;
}

} // namespace

class tst_BundledCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void loadsWithoutRepairs();
    void groupsWithinTheLoadersLimits();
    void quotedFigures_data();
    void quotedFigures();
    void designationsUniqueWithinGroup();
    void takeOffSheetRows_data();
    void takeOffSheetRows();

private:
    Catalogue m_catalogue;
    LoadResult m_result;
};

void tst_BundledCatalogue::initTestCase() {
    m_result = LoadCatalogue(m_catalogue, QStringLiteral(ZELK_SOURCE_DIR "/data/JISTEELW.CSV"));
    QCOMPARE(m_result.status, LoadResult::Status::Loaded);
}

void tst_BundledCatalogue::loadsWithoutRepairs() {
    for (const LoadProblem& problem : m_result.problems)
        qWarning() << ProblemLineText(problem);
    QVERIFY(m_result.problems.empty());
    QCOMPARE(m_catalogue.WeightTitle, QStringLiteral("単位重量"));
    QCOMPARE(m_catalogue.PaintTitle, QStringLiteral("塗装面積係数"));
    QCOMPARE(m_catalogue.UnitKindCount, qint16(2));
    QCOMPARE(m_catalogue.weightLabelOf(1), QStringLiteral("kg/m"));
    QCOMPARE(m_catalogue.paintLabelOf(1), QStringLiteral("m2/t"));
    QCOMPARE(m_catalogue.weightLabelOf(2), QStringLiteral("kg/m2"));
    QCOMPARE(m_catalogue.paintLabelOf(2), QStringLiteral("m2/t"));
}

void tst_BundledCatalogue::groupsWithinTheLoadersLimits() {
    const Catalogue& c = m_catalogue;
    QVERIFY2(c.GroupCount >= 12, qPrintable(QString::number(c.GroupCount)));
    int members = 0;
    for (qint16 g = 1; g <= c.GroupCount; ++g) {
        const QString where = c.GroupName[g];
        // 200 is also what a longer group is cut to, so a full group would hide lost members.
        QVERIFY2(c.GroupMemberCount[g] >= 1 && c.GroupMemberCount[g] < Catalogue::kMemberCapacity,
                 qPrintable(where));
        QVERIFY2(c.GroupKind[g] >= 1 && c.GroupKind[g] <= c.UnitKindCount, qPrintable(where));
        QVERIFY2(c.GroupShape[g] >= 1 && c.GroupShape[g] <= 5, qPrintable(where));
        // Plates are the one group weighed per square metre.
        QCOMPARE(c.GroupKind[g] == 2, c.GroupShape[g] == 5);
        for (qint16 m = 1; m <= c.GroupMemberCount[g]; ++m) {
            QVERIFY2(c.MemberWeight[g][m] > 0 && c.MemberPaintCoef[g][m] > 0, qPrintable(c.MemberName[g][m]));
        }
        members += c.GroupMemberCount[g];
    }
    QVERIFY2(members >= 400, qPrintable(QString::number(members)));
}

void tst_BundledCatalogue::quotedFigures_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("coefficient");

    QTest::newRow("H-100x50x5x7") << QStringLiteral("H形鋼（細幅）") << 9.30 << 41.94;
    QTest::newRow("H-100x100x6x8") << QStringLiteral("H形鋼（広幅）") << 17.2 << 34.19;
    QTest::newRow("L-65x65x6") << QStringLiteral("等辺山形鋼") << 5.91 << 43.99;
    QTest::newRow("P-60.5x3.2") << QStringLiteral("一般構造用炭素鋼鋼管") << 4.52 << 42.05;
    QTest::newRow("C-100x50x20x2.3") << QStringLiteral("リップ溝形鋼") << 4.06 << 114.83;
    QTest::newRow("PL-6") << QStringLiteral("鋼板") << 47.1 << 42.46;
    QTest::newRow("PL-9") << QStringLiteral("鋼板") << 70.65 << 28.31;
}

void tst_BundledCatalogue::quotedFigures() {
    QFETCH(QString, group);
    QFETCH(double, weight);
    QFETCH(double, coefficient);
    const QString designation = QString::fromUtf8(QTest::currentDataTag());
    const Catalogue& c = m_catalogue;
    int found = 0;
    for (qint16 g = 1; g <= c.GroupCount; ++g) {
        for (qint16 m = 1; m <= c.GroupMemberCount[g]; ++m) {
            if (c.MemberName[g][m] != designation)
                continue;
            ++found;
            QCOMPARE(c.GroupName[g], group);
            QCOMPARE(c.MemberWeight[g][m], weight);
            QCOMPARE(c.MemberPaintCoef[g][m], coefficient);
        }
    }
    QCOMPARE(found, 1);
}

void tst_BundledCatalogue::designationsUniqueWithinGroup() {
    const Catalogue& c = m_catalogue;
    for (qint16 g = 1; g <= c.GroupCount; ++g) {
        std::set<QString> seen;
        for (qint16 m = 1; m <= c.GroupMemberCount[g]; ++m)
            QVERIFY2(seen.insert(c.MemberName[g][m]).second, qPrintable(c.MemberName[g][m]));
    }
}

void tst_BundledCatalogue::takeOffSheetRows_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::newRow("kind 1, row 2") << 1 << 2;
    QTest::newRow("kind 1, row 57") << 1 << 57;
    QTest::newRow("kind 2, row 9") << 2 << 9;
}

// A row pasted into columns A to E in any row: the weight and area formulas land in two columns
// of their own beyond the pasted cells, compute kilograms and square metres from the length and
// count typed in that row, and the kind's keystrokes leave the cursor in column A of the next row.
void tst_BundledCatalogue::takeOffSheetRows() {
    QFETCH(int, kind);
    QFETCH(int, row);
    const Catalogue& c = m_catalogue;
    const Cell start{1, row};

    const std::optional<Cell> weightCell = moved(start, c.WeightKeys);
    QVERIFY(weightCell);
    const std::optional<Cell> areaCell = moved(*weightCell, c.AreaKeys);
    QVERIFY(areaCell);
    const QString kindKeys = kind == 1 ? c.Kind1Keys : c.Kind2Keys;
    const std::optional<Cell> next = moved(*areaCell, kindKeys);
    QVERIFY(next);
    QCOMPARE(weightCell->row, row);
    QCOMPARE(areaCell->row, row);
    QVERIFY(weightCell->column > 5 && areaCell->column > 5 && areaCell->column != weightCell->column);
    QCOMPARE(next->column, 1);
    QCOMPARE(next->row, row + 1);

    // No cell reference that names a row: the same formula text must work in every row.
    static const QRegularExpression fixedRow(QStringLiteral(R"([A-Z]\$?\d)"));
    QVERIFY2(!c.WeightFormula.contains(fixedRow), qPrintable(c.WeightFormula));
    QVERIFY2(!c.AreaFormula.contains(fixedRow), qPrintable(c.AreaFormula));

    // H-100x100x6x8 (17.2 kg/m, 34.19 m2/t), 6 m long, 2 pieces; the columns typed into are the
    // two that are neither pasted nor computed.
    std::map<QString, double> cells{
        {QStringLiteral("C"), double(kind)}, {QStringLiteral("D"), 17.2}, {QStringLiteral("E"), 34.19}};
    std::vector<int> typed;
    for (int column = 6; typed.size() < 2; ++column) {
        if (column != weightCell->column && column != areaCell->column)
            typed.push_back(column);
    }
    cells[columnLetter(typed[0])] = 6.0;
    cells[columnLetter(typed[1])] = 2.0;
    const std::optional<double> weight = evaluated(c.WeightFormula, cells);
    QVERIFY2(weight, qPrintable(c.WeightFormula));
    QCOMPARE(*weight, 206.4);
    cells[columnLetter(weightCell->column)] = *weight;
    const std::optional<double> area = evaluated(c.AreaFormula, cells);
    QVERIFY2(area, qPrintable(c.AreaFormula));
    QCOMPARE(*area, 206.4 * 34.19 / 1000);
}

QTEST_APPLESS_MAIN(tst_BundledCatalogue)
#include "tst_BundledCatalogue.moc"
