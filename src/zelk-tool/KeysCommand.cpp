#include "Commands.h"
#include "ToolOutput.h"

#include "link/KeySequence.h"

int runKeys(std::u16string_view text) {
    const KeySequenceParse parsed = ParseKeySequence(text);
    if (!parsed.sequence) {
        printErr(parsed.error + u'\n');
        return ExitProblems;
    }
    std::u16string out;
    for (const KeyStroke& stroke : parsed.sequence->strokes)
        out += stroke.description() + u'\n';
    printOut(out);
    return ExitOk;
}
