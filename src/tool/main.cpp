// lineara-tool: batch work over tree files, for scripts, tests and
// benchmarks. Thin commands over the same code the desktop program uses.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "tool/commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const lineara::tool::Args&);
    const char* synopsis;
};

const Command kCommands[] = {
    {"info", lineara::tool::info, "info TREE.ln3"},
    {"resave", lineara::tool::resave, "resave IN.ln3 OUT.ln3"},
    {"generate", lineara::tool::generate, "generate N OUT.ln3 [--seed S]"},
    {"make-sample", lineara::tool::makeSample, "make-sample DIR"},
    {"standardize-date", lineara::tool::standardizeDate, "standardize-date TEXT..."},
    {"convert-dates", lineara::tool::convertDates, "convert-dates TREE.ln3 [OUT.ln3]"},
    {"qcheck", lineara::tool::qcheck, "qcheck TREE.ln3"},
    {"render", lineara::tool::render,
     "render TREE.ln3 OUT.png [--size WxH] [--zoom PERCENT] [--scroll X,Y] "
     "[--colour-code none|gender|notes|picture]"},
    {"collect", lineara::tool::collect, "collect TREE.ln3 DEST.ln3 [--allow-outside]"},
    {"export-gedcom", lineara::tool::gedcomExport,
     "export-gedcom TREE.ln3 OUT.ged [--now YYYY-MM-DDTHH:MM] [--standard]"},
    {"import-gedcom", lineara::tool::gedcomImport, "import-gedcom IN.ged OUT.ln3"},
    {"import-legacy", lineara::tool::importLegacy,
     "import-legacy IN.ln|IN.ln2 OUT.ln3 [--keep-dates]"},
    {"arrange", lineara::tool::arrange, "arrange IN.ln3 OUT.ln3"},
    {"organize", lineara::tool::organize, "organize IN.ln3 ID compact|fractal OUT.ln3"},
    {"create-ancestors", lineara::tool::createAncestors,
     "create-ancestors IN.ln3 ID GENERATIONS compact|fractal OUT.ln3"},
    {"print", lineara::tool::printTree,
     "print TREE.ln3 OUT.pdf [--pages N] [--portrait] [--border W] [--selected-ids ID,ID...]"},
    {"list-persons", lineara::tool::listPersons, "list-persons TREE.ln3 OUT.txt"},
    {"list-surnames", lineara::tool::listSurnames, "list-surnames TREE.ln3 OUT.txt"},
    {"html", lineara::tool::html,
     "html TREE.ln3 OUTDIR [--no-frames] [--no-siblings] [--charset \"ENTRY\"] "
     "[--allow-outside]"},
};

void printUsage(FILE* to) {
    std::fprintf(to, "usage: lineara-tool COMMAND [ARGS]\n\ncommands:\n");
    for (const Command& c : kCommands) std::fprintf(to, "  lineara-tool %s\n", c.synopsis);
}

}  // namespace

int main(int argc, char** argv) {
    // Past a file-size limit a write fails with "File too large", which every
    // writer reports, leaving the old file and no temporary one; the signal
    // sent as well would end the process there and then.
    signal(SIGXFSZ, SIG_IGN);
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
        printUsage(stdout);
        return 0;
    }
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            // Commands that know what they were doing when memory ran out
            // say so themselves; this is for the rest.
            try {
                return c.run(lineara::tool::Args(argv + 2, argv + argc));
            } catch (const std::bad_alloc&) {
                std::fprintf(stderr, "Not enough memory\n");
                return 1;
            }
        }
    }
    std::fprintf(stderr, "lineara-tool: unknown command \"%s\"\n", argv[1]);
    printUsage(stderr);
    return 2;
}
