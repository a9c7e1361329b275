#include "Commands.h"
#include "ToolOutput.h"

#include "link/KeySequence.h"

ToolExitStatus runKeys(std::u16string_view text) {
    const KeySequenceParse parsed = parseKeySequence(text);
    if (!parsed.sequence) {
        printErr(parsed.error + u'\n');
        return ToolExitStatus::Problems;
    }
    std::u16string out;
    for (const KeyStroke& stroke : parsed.sequence->strokes)
        out += stroke.description() + u'\n';
    printOut(out);
    return ToolExitStatus::Ok;
}
