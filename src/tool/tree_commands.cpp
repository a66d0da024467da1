// info and resave: load a tree with the model's own loader and report or
// write it back with the model's own saver.
#include <iostream>

#include "core/model/document.h"
#include "tool/commands.h"
#include "tool/standard_output.h"

namespace lineara::tool {

bool loadTree(Document& doc, const std::string& path) {
    LoadResult result = doc.ReadfromFile(path);
    if (!result.loaded()) {
        fail(result.message);
        return false;
    }
    doc.setCurrentFileName(path);
    return true;
}

namespace {

bool isPerson(const PersonRecord& r) {
    bool named = !r.isEmpty(field::givenNames) || !r.isEmpty(field::surname);
    return named && !r.isAliasBox();
}

}  // namespace

int fail(const std::string& message) {
    std::cerr << message << '\n';
    return 1;
}

int usage(const CommandLine& line) {
    std::cerr << "usage: lineara-tool " << line.command().synopsis() << '\n';
    return 2;
}

int info(const CommandLine& line) {
    Document doc;
    if (!loadTree(doc, line[0])) return 1;
    size_t persons = 0;
    forEachPerson(doc.persons(), [&persons](const PersonRecord* r) {
        if (isPerson(*r)) ++persons;
    });
    out() << "records: " << doc.persons().count() << '\n'
          << "persons: " << persons << '\n'
          << "highest id: " << doc.persons().highestPersonId() << '\n';
    return 0;
}

int resave(const CommandLine& line) {
    Document doc;
    if (!loadTree(doc, line[0])) return 1;
    SaveResult result = doc.SavetoFile(line[1]);
    if (!result.written()) return fail(result.message);
    return 0;
}

}  // namespace lineara::tool
