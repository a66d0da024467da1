// lineara-tool: batch work over tree files, for scripts, tests and
// benchmarks. Thin commands over the same code the desktop program uses.
#include <csignal>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "tool/commands.h"
#include "tool/standard_output.h"

namespace lineara::tool {
namespace {

constexpr size_t kAny = CommandDefinition::kAny;

// The commands in the order `lineara-tool --help` lists them.
const std::vector<CommandDefinition>& commandTable() {
    static const std::vector<CommandDefinition> table = {
        {"info",
         "TREE.ln3",
         "Prints the number of records, of persons and the highest id.",
         {},
         1,
         1,
         info},
        {"resave",
         "IN.ln3 OUT.ln3",
         "Loads a tree and saves it again, as the program does.",
         {},
         2,
         2,
         resave},
        {"generate",
         "N OUT.ln3",
         "Writes a synthetic tree of N persons.",
         {{"--seed", "S", "another tree of the same size (the same seed gives the same file)"}},
         2,
         2,
         generate},
        {"make-sample",
         "DIR",
         "Writes the sample family with its pictures and notes into DIR.",
         {},
         1,
         1,
         makeSample},
        {"standardize-date",
         "TEXT...",
         "Prints the standard form of each date.",
         {},
         1,
         kAny,
         standardizeDate},
        {"convert-dates",
         "TREE.ln3 [OUT.ln3]",
         "Standardises every date of a tree; prints each change and the count, after OUT is "
         "saved.",
         {},
         1,
         2,
         convertDates},
        {"qcheck",
         "TREE.ln3",
         "Lists the missing picture and notes files, then their count.",
         {},
         1,
         1,
         qcheck},
        {"render",
         "TREE.ln3 OUT.png",
         "Draws the tree as the program shows it after opening the file.",
         {{"--size", "WxH", "the picture's size (default 1024x768)"},
          {"--zoom", "PERCENT", "the zoom (default 100)"},
          {"--scroll", "X,Y", "the tree point at the top left corner"},
          {"--colour-code", "none|gender|notes|picture", "the boxes' colour code"}},
         2,
         2,
         render},
        {"export-image",
         "TREE.ln3 OUT.svg|OUT.png|OUT.pdf",
         "Draws the whole tree as one picture, fitted with a margin; the format by OUT's "
         "extension.",
         {{"--selected-ids", "ID,ID...", "only these persons"},
          {"--scale", "PERCENT", "the size against the canvas at 100 %, 5 to 1000 (default 100)"},
          {"--colour-code", "none|gender|notes|picture", "the boxes' colour code"}},
         2,
         2,
         exportImage},
        {"collect",
         "TREE.ln3 DEST.ln3",
         "Copies the tree's pictures and notes next to DEST.ln3 and saves the tree there.",
         {{"--allow-outside", nullptr, "also copy files outside the tree file's folder"}},
         2,
         2,
         collect},
        {"export-gedcom",
         "TREE.ln3 OUT.ged|OUT.gdz",
         "Exports the tree as GEDCOM; OUT.gdz writes a GEDZIP with the pictures and notes.",
         {{"--now", "YYYY-MM-DDTHH:MM", "the moment written into the header"},
          {"--standard", nullptr, "GEDCOM 5.5.1 in UTF-8, for other programs"},
          {"--gedcom7", nullptr, "GEDCOM 7.0 (the form a .gdz always holds)"},
          {"--allow-outside", nullptr, "also use files outside the tree file's folder"}},
         2,
         2,
         gedcomExport},
        {"import-gedcom",
         "IN.ged|IN.gdz OUT.ln3",
         "Imports a GEDCOM file or GEDZIP archive and saves it as a tree.",
         {},
         2,
         2,
         gedcomImport},
        {"import-legacy",
         "IN.ln|IN.ln2 OUT.ln3",
         "Imports a tree of version 1.0 or 1.5 and saves it as a tree of today.",
         {{"--keep-dates", nullptr, "leave the dates of a 1.5 tree as they are written"}},
         2,
         2,
         importLegacy},
        {"arrange", "IN.ln3 OUT.ln3", "Arranges the whole tree automatically.", {}, 2, 2, arrange},
        {"organize",
         "IN.ln3 ID compact|fractal OUT.ln3",
         "Organises the ancestors of the person with that id.",
         {},
         4,
         4,
         organize},
        {"create-ancestors",
         "IN.ln3 ID GENERATIONS compact|fractal OUT.ln3",
         "Makes an empty pedigree of 2 to 7 generations above a person.",
         {},
         5,
         5,
         createAncestors},
        {"print",
         "TREE.ln3 OUT.pdf",
         "Prints the tree to an A4 PDF file, on one page or over N x N pages.",
         {{"--pages", "N", "pages across and down, 1 to 8"},
          {"--portrait", nullptr, "portrait sheets (landscape otherwise)"},
          {"--border", "W", "pen width of boxes and parent lines, 1 to 5"},
          {"--selected-ids", "ID,ID...", "print only these persons"}},
         2,
         2,
         printTree},
        {"list-persons",
         "TREE.ln3 OUT.txt",
         "Writes every person with dates, alphabetically.",
         {},
         2,
         2,
         listPersons},
        {"list-surnames",
         "TREE.ln3 OUT.txt",
         "Writes every surname with its count.",
         {},
         2,
         2,
         listSurnames},
        {"html",
         "TREE.ln3 OUTDIR",
         "Writes the HTML presentation of the tree into OUTDIR.",
         {{"--no-frames", nullptr, "no frames and no start page"},
          {"--no-siblings", nullptr, "no siblings on the pages"},
          {"--charset", "\"ENTRY\"", "the character-set entry of the pages"},
          {"--allow-outside", nullptr, "also use files outside the tree file's folder"}},
         2,
         2,
         html},
    };
    return table;
}

void printCommands(std::ostream& to) {
    to << "usage: lineara-tool COMMAND [ARGS]\n\ncommands:\n";
    for (const CommandDefinition& c : commandTable())
        to << "  lineara-tool " << c.synopsis() << '\n';
    to << "\n'lineara-tool COMMAND --help' tells more of a command.\n";
}

int runCommand(const CommandDefinition& command, const std::vector<std::string>& args) {
    CommandLine line;
    std::string error;
    switch (ArgumentReader::read(command, args, line, error)) {
    case ArgumentReader::Outcome::Help:
        command.printHelp(out());
        return 0;
    case ArgumentReader::Outcome::UsageError:
        std::cerr << "usage: lineara-tool " << command.synopsis() << '\n'
                  << "lineara-tool " << command.name << ": " << error << '\n';
        return 2;
    case ArgumentReader::Outcome::Run:
        break;
    }
    // Commands that know what they were doing when memory ran out say so
    // themselves; this is for the rest.
    try {
        return command.run(line);
    } catch (const std::bad_alloc&) {
        std::cerr << "Not enough memory\n";
        return 1;
    }
}

int dispatch(int argc, char** argv) {
    if (argc < 2) {
        printCommands(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printCommands(out());
        return 0;
    }
    for (const CommandDefinition& command : commandTable()) {
        if (name == command.name)
            return runCommand(command, std::vector<std::string>(argv + 2, argv + argc));
    }
    std::cerr << "lineara-tool: unknown command \"" << name << "\"\n";
    printCommands(std::cerr);
    return 2;
}

}  // namespace
}  // namespace lineara::tool

int main(int argc, char** argv) {
    // A file-size limit must end in a message and a kept file, not in the
    // signal's silent death half-way through a write.
    std::signal(SIGXFSZ, SIG_IGN);
    int status = lineara::tool::dispatch(argc, argv);
    // What a command printed may be its whole result: a failed write there
    // is a failure of the command.
    std::string error;
    if (!lineara::tool::finishStandardOutput(error)) {
        std::cerr << error << '\n';
        if (status == 0) status = 1;
    }
    return status;
}
