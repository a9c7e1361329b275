#include "Commands.h"
#include "ToolOutput.h"

#include "base/Text.h"
#include "base/WideText.h"
#include "coefficients/RegenerateCoefficients.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace {

const char kUsage[] = "Usage: zelk-tool COMMAND [ARGUMENTS]\n"
                      "The command-line companion of the zelk steel look-up window.\n\n"
                      "Commands:\n"
                      "  show FILE    print the catalogue FILE as the window loads it, as JSON\n"
                      "  check FILE [--json]\n"
                      "               list the problems that loading FILE repairs and the unit weights\n"
                      "               that disagree with their designations, one per line (or as JSON)\n"
                      "  find FILE TEXT... [--json]\n"
                      "               list the members that TEXT finds, as designations are written on\n"
                      "               drawings, best first, computed members too (or as JSON)\n"
                      "  regen FILE [-o OUT]\n"
                      "               recompute the paint-area coefficients of FILE into JISTEELW.new\n"
                      "               (or OUT)\n"
                      "  keys TEXT    print the keystrokes that the keystroke setting TEXT stands for\n\n"
                      "A FILE or TEXT that begins with \"-\" follows \"--\": zelk-tool keys -- \"-{LEFT}\".\n"
                      "Exit status 64: a usage error; 74: standard output could not be written.\n\n"
                      "Run 'zelk-tool COMMAND --help' for a command's options.\n";

const char kDashHint[] = "A FILE or TEXT that begins with \"-\" follows \"--\".";

// The command line as the system gives it. CLI11 parses UTF-8; paths and texts are taken back
// from the original arguments, so that a file name that is no valid text (bytes from another
// code page on Linux, a lone surrogate on Windows) still names its file.
class CommandLine {
public:
    template <typename Char> CommandLine(int argc, Char** argv) {
        for (int i = 0; i < argc; ++i) {
#ifdef _WIN32
            m_wide.push_back(coreText(argv[i]));
            m_utf8.push_back(toUtf8(m_wide.back()));
#else
            m_utf8.emplace_back(argv[i]);
#endif
        }
        for (const std::string& argument : m_utf8)
            m_pointers.push_back(argument.c_str());
    }

    int argc() const {
        return int(m_pointers.size());
    }
    const char* const* argv() const {
        return m_pointers.data();
    }
    const std::string& argument(std::size_t i) const {
        static const std::string kNone;
        return i < m_utf8.size() ? m_utf8[i] : kNone;
    }

    std::u16string text(const std::string& value) const {
#ifdef _WIN32
        for (std::size_t i = 0; i < m_utf8.size(); ++i) {
            if (m_utf8[i] == value)
                return m_wide[i];
        }
#endif
        // On Windows only a value joined to its option (--output=OUT) gets here.
        return fromUtf8(value);
    }

    std::filesystem::path path(const std::string& value) const {
#ifdef _WIN32
        return textPath(text(value));
#else
        return std::filesystem::path(value);
#endif
    }

private:
    std::vector<std::string> m_utf8;
    std::vector<const char*> m_pointers;
#ifdef _WIN32
    std::vector<std::u16string> m_wide;
#endif
};

ToolExitStatus runTool(const CommandLine& commandLine) {
    CLI::App app("The command-line companion of the zelk steel look-up window.", "zelk-tool");
    app.require_subcommand(1);
    // A path is a path: "/tmp/x.csv" is no Windows-style option "/tmp", which CLI11 would take it for
    // on Windows. Set before the subcommands, which inherit it.
    app.allow_windows_style_options(false);
    std::string file;
    std::string output = toUtf8(kRegeneratedFileName);
    std::string text;
    std::vector<std::string> words;
    bool asJson = false;

    CLI::App* show =
        app.add_subcommand("show", "Prints the catalogue FILE as the program loads it, as one JSON object.");
    show->add_option("FILE", file, "The catalogue file.")->required();
    CLI::App* check = app.add_subcommand(
        "check", "Lists every problem that loading the catalogue FILE repairs, and every member whose "
                 "unit weight disagrees with the weight computed from its designation by the formula and "
                 "tolerance of its family (told by the prefix: H-, [-, L-, P-, PL-...; other "
                 "designations are not checked), one per line with its line number.\nExit status: 0 "
                 "none, 1 some, 3 missing or unreadable file, 4 wrong header tag.");
    check->add_option("FILE", file, "The catalogue file.")->required();
    check->add_flag("--json", asJson, "The same findings as one JSON array.");
    CLI::App* find = app.add_subcommand(
        "find", "Lists the members of the catalogue FILE that TEXT finds (its words joined by blanks), best "
                "first, as the find of the window does: designations written as on drawings (full-width "
                "forms, x, X, * or a multiplication sign between the dimensions, the hyphen left out, 34 for "
                "34.0), remarks and group names. A whole designation of a family whose unit weight follows "
                "from its dimensions (BH-, LH-, PL-txB, FB-, round and square bars, P-, tubes, C-, Z-, light "
                "channels [-HxAxt) that no member has is listed as a computed member. One member a line: "
                "designation, group, unit weight and coefficient as the window shows them, separated by "
                "tabs.\nExit status: 0 found, 1 nothing found, 3 missing or unreadable file, 4 wrong header "
                "tag.");
    find->add_option("FILE", file, "The catalogue file.")->required();
    find->add_option("TEXT", words, "What to find, e.g. \"H-300x150\".")->required();
    find->add_flag("--json", asJson, "The same members as one JSON array.");
    CLI::App* regen = app.add_subcommand(
        "regen",
        "Recomputes every member's paint-area coefficient of the catalogue FILE and writes the whole "
        "catalogue to " +
            output +
            " in the current directory (or to OUT). Prints the summary; exit status 2 on a data "
            "error (the output keeps what was written before it), 3 when a file cannot be read or "
            "written.");
    regen->add_option("FILE", file, "The catalogue file.")->required();
    regen->add_option("-o,--output", output, "Write to OUT instead of " + output + ".")->option_text("OUT");
    CLI::App* keys = app.add_subcommand(
        "keys", "Prints the keystrokes that a keystroke setting of the spreadsheet link stands for,\n"
                "one per line: held modifiers (Shift+, Ctrl+, Alt+), then the key's name or the\n"
                "typed character in double quotes.");
    keys->add_option("TEXT", text, "The keystroke text, e.g. \"{LEFT 2}~\".")->required();
    // `zelk-tool help`, kept from earlier versions: the program's usage, as --help gives it.
    app.add_subcommand("help")->group("");
    for (CLI::App* command : {show, check, find, regen, keys}) {
        command->footer(kDashHint);
        command->get_option(command == keys ? "TEXT" : "FILE")->type_name("");
    }
    find->get_option("TEXT")->type_name("");

    try {
        app.parse(commandLine.argc(), commandLine.argv());
    } catch (const CLI::ParseError& error) {
        // The subcommand that the arguments name, whether or not parsing got to it.
        const std::string& name = commandLine.argument(1);
        CLI::App* command = nullptr;
        for (CLI::App* known : {show, check, find, regen, keys}) {
            if (known->get_name() == name)
                command = known;
        }
        const bool helpAsked = error.get_exit_code() == int(CLI::ExitCodes::Success);
        if (helpAsked) {
            printOut(command ? command->help("zelk-tool") : std::string(kUsage));
            return ToolExitStatus::Ok;
        }
        if (command) {
            // CLI11 reports a missing FILE before the argument that took its place ("-x.csv"),
            // which is the one the user has to change.
            const std::vector<std::string> unexpected = command->remaining();
            const std::string what = unexpected.empty() ? error.what() : CLI::ExtrasError(unexpected).what();
            printErr("zelk-tool " + name + ": " + what + "\n\n" + command->help("zelk-tool"));
        } else if (name.empty()) {
            printErr(kUsage);
        } else {
            printErr("zelk-tool: unknown command '" + name + "'\n\n" + kUsage);
        }
        return ToolExitStatus::Usage;
    }

    if (show->parsed())
        return runShow(commandLine.path(file));
    if (check->parsed())
        return runCheck(commandLine.path(file), asJson);
    if (find->parsed()) {
        std::u16string query;
        for (const std::string& word : words)
            query += (query.empty() ? u"" : u" ") + commandLine.text(word);
        return runFind(commandLine.path(file), query, asJson);
    }
    if (regen->parsed())
        return runRegen(commandLine.path(file), commandLine.path(output));
    if (keys->parsed())
        return runKeys(commandLine.text(text));
    printOut(kUsage);
    return ToolExitStatus::Ok;
}

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
#else
int main(int argc, char** argv) {
#endif
    prepareOutput();
    return int(finishOutput(runTool(CommandLine(argc, argv))));
}
