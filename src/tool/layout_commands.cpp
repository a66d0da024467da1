// arrange, organize and create-ancestors: the layout commands of the Edit
// and Tools menus, for scripts. Each loads a tree, does what the menu item
// does after its questions are answered, and saves the result.
#include <charconv>
#include <string>

#include "core/formats/tree_file.h"
#include "core/layout/auto_arrange.h"
#include "core/layout/create_tree.h"
#include "core/layout/organize_tree.h"
#include "core/model/document.h"
#include "core/model/editing_states.h"
#include "tool/commands.h"

namespace lineara::tool {

namespace {

bool parseStyle(const std::string& text, TreeStyle& style) {
    if (text == "compact") {
        style = TreeStyle::Compact;
    } else if (text == "fractal") {
        style = TreeStyle::Fractal;
    } else {
        return false;
    }
    return true;
}

// A person id: a whole positive decimal number, nothing around it.
bool parseId(const std::string& text, int32_t& id) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    return error == std::errc() && end == text.data() + text.size() && id > 0;
}

// Loads `in` and makes the person with `id` current. The output's name is
// checked first, so that no work is done for a file that cannot be saved.
bool loadWithCurrent(Document& doc, const std::string& in, int32_t id, const std::string& out) {
    if (!hasTreeFileExtension(out)) {
        fail(kMsgIncorrectFileType);
        return false;
    }
    if (!loadTree(doc, in)) return false;
    const PersonRecord* person = doc.persons().findPersonById(id);
    if (person == nullptr) {
        fail("No person with id " + std::to_string(id) + " in \"" + in + "\"");
        return false;
    }
    doc.setCurrentPerson(person);
    return true;
}

int save(Document& doc, const std::string& out) {
    SaveResult saved = doc.SavetoFile(out);
    if (!saved.written()) return fail(saved.message);
    return 0;
}

}  // namespace

int arrange(const CommandLine& line) {
    if (!hasTreeFileExtension(line[1])) return fail(kMsgIncorrectFileType);
    Document doc;
    if (!loadTree(doc, line[0])) return 1;
    Outcome arranged = autoArrange(doc);
    if (!arranged) return fail(arranged.message);
    return save(doc, line[1]);
}

int organize(const CommandLine& line) {
    int32_t id = 0;
    TreeStyle style{};
    if (!parseId(line[1], id) || !parseStyle(line[2], style)) return usage(line);
    Document doc;
    if (!loadWithCurrent(doc, line[0], id, line[3])) return 1;
    if (!editCommandStates(doc.persons()).organizeAncestors) {
        return fail("The person with id " + std::to_string(id) + " has no father or mother");
    }
    AncestorTable table;
    OrganizeResult result = organizeAncestors(doc, table, style);
    if (!result.message.empty()) return fail(result.message);
    return save(doc, line[3]);
}

int createAncestors(const CommandLine& line) {
    int32_t id = 0;
    TreeStyle style{};
    if (!parseId(line[1], id) || !parseStyle(line[3], style)) return usage(line);
    Document doc;
    if (!loadWithCurrent(doc, line[0], id, line[4])) return 1;
    if (!canCreateAncestorTree(doc.persons())) return fail(kMsgCannotCreateTreeHere);
    GenerationsEntry entry = checkGenerations(line[2]);
    if (entry.status != GenerationsEntry::Accepted) return fail(entry.message);
    Outcome created = createAncestorTree(doc, style, entry.generations);
    if (!created) return fail(created.message);
    return save(doc, line[4]);
}

}  // namespace lineara::tool
