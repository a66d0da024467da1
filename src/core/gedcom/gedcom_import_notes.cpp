#include "core/gedcom/gedcom_import_notes.h"

#include <cerrno>
#include <filesystem>
#include <unordered_set>

#include "core/gedcom/gedcom_values.h"
#include "core/platform/codepage.h"

namespace lineara {

namespace {

// A file name from a cross-reference: "@I12@" gives "I12"; letters other
// than plain ones become "_", so that no name climbs out of the folder.
std::string fileStem(std::string_view xref, size_t number) {
    std::string stem;
    for (char c : xref) {
        if (c == '@') continue;
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        stem += plain ? c : '_';
    }
    if (stem.empty()) stem = "person" + std::to_string(number);
    return stem;
}

}  // namespace

std::string ImportedNotes::text(std::string_view raw) {
    std::string value(raw);
    if (!decoder_.leadingAtOnly()) {
        undoubleAt(value);
    } else if (value.compare(0, 2, "@@") == 0) {
        value.erase(0, 1);
    }
    return decoder_.toTree(value);
}

ImportedNotes::Entry& ImportedNotes::entry(const PersonRecord* person, std::string_view xref) {
    auto it = index_.find(person);
    if (it != index_.end()) return entries_[it->second];
    index_.emplace(person, entries_.size());
    entries_.push_back(Entry{person, fileStem(xref, entries_.size() + 1), {}, {}});
    return entries_.back();
}

void ImportedNotes::personNote(const PersonRecord* person, std::string_view xref,
                               std::string_view raw) {
    if (raw.empty()) return;
    if (isGedcomPointer(raw)) {
        // "@VOID@" points nowhere by design.
        if (raw != "@VOID@") entry(person, xref).pointers.emplace_back(raw);
        return;
    }
    entry(person, xref).texts.push_back(text(raw));
}

void ImportedNotes::record(std::string_view xref, std::string_view text_) {
    records_[std::string(xref)] = text(text_);
}

bool ImportedNotes::resolve(TreeEdit& list, const std::string& folder,
                            const std::string& treeFolder, const std::string& codePage,
                            std::string& error) {
    // The texts in file order per person: pointed records take their place
    // after the person's own notes, blank lines between them.
    struct Planned {
        const PersonRecord* person;
        std::string name;
        std::string body;
    };
    std::vector<Planned> planned;
    for (const Entry& e : entries_) {
        if (!e.person->isEmpty(field::notesFile)) continue;
        std::string body;
        auto add = [&body](const std::string& t) {
            if (t.empty()) return;
            if (!body.empty()) body += "\n\n";
            body += t;
        };
        for (const std::string& t : e.texts) add(t);
        for (const std::string& p : e.pointers) {
            auto it = records_.find(p);
            if (it != records_.end()) add(it->second);
        }
        if (body.empty()) continue;
        body += '\n';
        planned.push_back({e.person, e.name, std::move(body)});
    }
    entries_.clear();
    index_.clear();
    records_.clear();
    if (planned.empty() || folder.empty()) return true;

    NewFilesWriter writer(folder);
    if (!writer.openFolder(error)) return false;
    std::unordered_set<std::string> used;
    std::vector<std::string> names;
    for (Planned& p : planned) {
        // Two persons whose cross-references make one name, or a file of
        // that name already there, get the next free number.
        std::string name;
        for (int n = 1;; ++n) {
            name = p.name + (n == 1 ? "" : "-" + std::to_string(n)) + ".txt";
            if (used.count(name) != 0) continue;
            if (writer.write(name, p.body, error)) break;
            if (writer.lastError() != EEXIST || n > 1000) {
                writer.undo();
                return false;
            }
        }
        used.insert(name);
        names.push_back(name);
    }
    written_ = writer.written();

    std::error_code ec;
    std::filesystem::path base = std::filesystem::absolute(folder, ec).lexically_normal();
    for (size_t i = 0; i < planned.size(); ++i) {
        std::filesystem::path full = base / names[i];
        std::string stored = full.string();
        if (!treeFolder.empty()) {
            std::filesystem::path relative = full.lexically_relative(
                std::filesystem::absolute(treeFolder, ec).lexically_normal());
            if (!relative.empty() && *relative.begin() != "..") stored = relative.string();
        }
        list.edit(planned[i].person)
            ->setText(field::notesFile, toCodePage(stored, codePage.c_str()));
    }
    return true;
}

}  // namespace lineara
