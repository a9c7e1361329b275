#include "lookup/KeySequence.h"

#include <QTest>

class KeySequenceTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheNotation_data();
    void readsTheNotation();
    void rejectsMalformedText_data();
    void rejectsMalformedText();
    void readsUpToItsBounds();
};

namespace {

QString described(const KeySequence& sequence) {
    QStringList lines;
    for (const KeyStroke& stroke : sequence.strokes)
        lines.append(stroke.description());
    return lines.join(u", ");
}

} // namespace

void KeySequenceTest::readsTheNotation_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("strokes");

    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("paste") << "^v"
                           << "Ctrl+\"v\"";
    QTest::newRow("capital typed with shift") << "aB"
                                              << "\"a\", Shift+\"B\"";
    QTest::newRow("modifier holds for one key") << "+ab"
                                                << "Shift+\"a\", \"b\"";
    QTest::newRow("group") << "+(ec)"
                           << "Shift+\"e\", Shift+\"c\"";
    QTest::newRow("modifier order") << "%^+{END}"
                                    << "Shift+Ctrl+Alt+END";
    QTest::newRow("nested groups") << "^(a+(bc)d)"
                                   << "Ctrl+\"a\", Shift+Ctrl+\"b\", Shift+Ctrl+\"c\", Ctrl+\"d\"";
    QTest::newRow("empty group") << "+()x"
                                 << "\"x\"";
    QTest::newRow("tilde is enter") << "~^~"
                                    << "ENTER, Ctrl+ENTER";
    QTest::newRow("repeat") << "{LEFT 2}~"
                            << "LEFT, LEFT, ENTER";
    QTest::newRow("repeat with modifier") << "+{right 2}"
                                          << "Shift+RIGHT, Shift+RIGHT";
    QTest::newRow("character repeat") << "{h 3}"
                                      << "\"h\", \"h\", \"h\"";
    QTest::newRow("names in any case") << "{Enter}{tab}{EsC}"
                                       << "ENTER, TAB, ESC";
    QTest::newRow("aliases") << "{BS}{BKSP}{BACKSPACE}{DEL}{INS}"
                             << "BACKSPACE, BACKSPACE, BACKSPACE, DELETE, INSERT";
    QTest::newRow("movement") << "{HOME}{END}{PGUP}{PGDN}{UP}{DOWN}"
                              << "HOME, END, PGUP, PGDN, UP, DOWN";
    QTest::newRow("function keys") << "{F1}{f16}"
                                   << "F1, F16";
    QTest::newRow("locks and others") << "{BREAK}{CAPSLOCK}{NUMLOCK}{SCROLLLOCK}{PRTSC}{HELP}"
                                      << "BREAK, CAPSLOCK, NUMLOCK, SCROLLLOCK, PRTSC, HELP";
    QTest::newRow("keypad") << "{ADD}{SUBTRACT}{MULTIPLY}{DIVIDE}"
                            << "ADD, SUBTRACT, MULTIPLY, DIVIDE";
    QTest::newRow("special characters as themselves")
        << "{+}{^}{%}{~}{(}{)}{{}{}}{[}{]}"
        << "\"+\", \"^\", \"%\", \"~\", \"(\", \")\", \"{\", \"}\", \"[\", \"]\"";
    QTest::newRow("closing brace repeated") << "{} 2}"
                                            << "\"}\", \"}\"";
    QTest::newRow("plain brackets") << "[x]"
                                    << "\"[\", \"x\", \"]\"";
    QTest::newRow("blank and digits") << "a 1"
                                      << "\"a\", \" \", \"1\"";
    QTest::newRow("tab character") << "\t"
                                   << "TAB";
    QTest::newRow("japanese and beyond the basic plane") << "鋼😀"
                                                         << "\"鋼\", \"😀\"";
    QTest::newRow("zero-width no-break space, which is no byte-order mark here")
        << QString(QChar(0xFEFF)) << QStringLiteral("\"") + QChar(0xFEFF) + QStringLiteral("\"");
    QTest::newRow("setting of the sample catalogue") << "{DOWN}{LEFT 6}"
                                                     << "DOWN, LEFT, LEFT, LEFT, LEFT, LEFT, LEFT";
}

void KeySequenceTest::readsTheNotation() {
    QFETCH(QString, text);
    QFETCH(QString, strokes);
    const KeySequenceParse parsed = ParseKeySequence(text);
    QVERIFY2(parsed.sequence, qPrintable(parsed.error));
    QCOMPARE(parsed.error, QString());
    QCOMPARE(parsed.sequence->text, text);
    QCOMPARE(described(*parsed.sequence), strokes);
}

void KeySequenceTest::rejectsMalformedText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("errorMentions");

    QTest::newRow("unclosed brace") << "ab{LEFT"
                                    << "3 文字目の「{」が閉じていません";
    QTest::newRow("lone opening brace") << "{"
                                        << "「{」が閉じていません";
    QTest::newRow("empty braces at end") << "{}"
                                         << "「{」が閉じていません";
    QTest::newRow("unknown key name") << "{RIGTH}"
                                      << "{RIGTH} は知らないキー";
    QTest::newRow("unknown name with count") << "{LEFTT 2}"
                                             << "{LEFTT} は知らない";
    QTest::newRow("empty name") << "{ 2}x"
                                << "{ 2}";
    QTest::newRow("unclosed group") << "+(ab"
                                    << "「(」が閉じていません";
    QTest::newRow("stray closing parenthesis") << "ab)"
                                               << "3 文字目の「)」に対応する「(」がありません";
    QTest::newRow("group closed twice") << "+(a))"
                                        << "5 文字目の「)」";
    QTest::newRow("repeat not a number") << "{LEFT x}"
                                         << "繰り返しの回数「x」";
    QTest::newRow("repeat zero") << "{LEFT 0}"
                                 << "繰り返しの回数「0」";
    QTest::newRow("repeat negative") << "{LEFT -2}"
                                     << "繰り返しの回数「-2」";
    QTest::newRow("repeat too large") << "{LEFT 1000}"
                                      << "繰り返しの回数「1000」";
    QTest::newRow("repeat empty") << "{LEFT }"
                                  << "繰り返しの回数「」";
    QTest::newRow("trailing modifier") << "ab^"
                                       << "修飾キー";
    QTest::newRow("modifier before closing parenthesis") << "(a+)"
                                                         << "修飾キー";
    QTest::newRow("control character") << "a\nb"
                                       << "2 文字目に送れない制御文字";
    QTest::newRow("lone low surrogate")
        << QStringLiteral("ab") + QChar(0xDE9C) << "3 文字目に対のないサロゲート";
    QTest::newRow("lone high surrogate before a letter")
        << QString(QChar(0xD83D)) + u'a' << "1 文字目に対のないサロゲート";
    QTest::newRow("lone surrogate in braces")
        << QStringLiteral("x{") + QChar(0xD83D) + QStringLiteral("}") << "2 文字目の {} に対のないサロゲート";
    QTest::newRow("groups nested too deep")
        << QString(51, u'(') + u'a' + QString(51, u')') << "51 文字目の「(」: かっこの入れ子は 50 段まで";
    QTest::newRow("too many keystrokes")
        << QStringLiteral("{a 999}").repeated(101) << "多すぎます（100000 個まで）";
}

void KeySequenceTest::rejectsMalformedText() {
    QFETCH(QString, text);
    QFETCH(QString, errorMentions);
    const KeySequenceParse parsed = ParseKeySequence(text);
    QVERIFY(!parsed.sequence);
    QVERIFY2(parsed.error.contains(errorMentions), qPrintable(parsed.error));
}

void KeySequenceTest::readsUpToItsBounds() {
    const KeySequenceParse deepest = ParseKeySequence(QString(50, u'(') + u'a' + QString(50, u')'));
    QVERIFY2(deepest.sequence, qPrintable(deepest.error));
    QCOMPARE(deepest.sequence->strokes.size(), 1);
    const KeySequenceParse most =
        ParseKeySequence(QStringLiteral("{a 999}").repeated(100) + QString(100, u'b'));
    QVERIFY2(most.sequence, qPrintable(most.error));
    QCOMPARE(most.sequence->strokes.size(), 100000);
}

QTEST_GUILESS_MAIN(KeySequenceTest)
#include "KeySequenceTest.moc"
