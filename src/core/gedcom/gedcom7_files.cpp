#include "core/gedcom/gedcom7_files.h"

#include <filesystem>

#include "core/gedcom/gedcom7_media.h"
#include "core/platform/codepage.h"

namespace lineara {

namespace {

// A notes file is text of the tree's code page; its line ends become the
// NOTE's lines.
std::string notesTextOf(const std::string& bytes, const char* codePage) {
    return fromCodePage(bytes, codePage);
}

}  // namespace

Gedcom7FilePlan::Gedcom7FilePlan(const PersonList& list, const Gedcom7FileOptions& options)
    : options_(options) {
    forEachPerson(list, [this](const PersonRecord* p) {
        if (p->isAliasBox()) return;
        if (!p->isEmpty(field::pictureFile)) know(p->text(field::pictureFile), false);
        if (!p->isEmpty(field::notesFile)) know(p->text(field::notesFile), true);
    });
}

const Gedcom7FilePlan::Known& Gedcom7FilePlan::know(std::string_view stored, bool notes) {
    auto& known = notes ? notes_ : pictures_;
    auto [it, isNew] = known.try_emplace(std::string(stored));
    if (!isNew) return it->second;
    Known& k = it->second;
    const char* codePage = options_.codePage.c_str();
    const std::string name = fromCodePage(stored, codePage);
    std::string path = name;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    std::filesystem::path resolved(path);
    if (resolved.is_relative() && !options_.treeFolder.empty()) {
        resolved = std::filesystem::path(options_.treeFolder) / resolved;
    }
    const std::string full = resolved.lexically_normal().string();
    const bool outside = isOutsideFolder(full, options_.treeFolder);

    // A plain .ged names the file where the tree does; only its text is
    // read, for the NOTE.
    if (!options_.pack) {
        k.uri = gedcomFileUri(name);
        if (!notes) return k;
        if (outside && !options_.allowOutside) {
            leftOut_.push_back({full, NamedFileProblem::Outside});
            return k;
        }
        NamedFileRead read = readNamedFile(full, kGedzipNotesLimit, OverLimit::Cut);
        if (read.problem == NamedFileProblem::None || read.problem == NamedFileProblem::TooLarge) {
            k.text = notesTextOf(read.bytes, codePage);
        } else {
            leftOut_.push_back({full, read.problem});
        }
        return k;
    }

    if (outside && !options_.allowOutside) {
        leftOut_.push_back({full, NamedFileProblem::Outside});
        return k;
    }
    // A packed file is whole or absent: half a picture is no picture.
    NamedFileRead read =
        readNamedFile(full, notes ? kGedzipNotesLimit : kGedzipPictureLimit, OverLimit::Refuse);
    if (read.problem != NamedFileProblem::None) {
        leftOut_.push_back({full, read.problem});
        return k;
    }
    if (notes) k.text = notesTextOf(read.bytes, codePage);
    GedzipEntry& entry = entries_.emplace_back();
    entry.name = gedzipMediaName(entries_.size(), name);
    entry.bytes = std::move(read.bytes);
    k.uri = entry.name;
    return k;
}

Gedcom7PersonFiles Gedcom7FilePlan::filesOf(const PersonRecord& person) const {
    Gedcom7PersonFiles files;
    if (!person.isEmpty(field::pictureFile)) {
        auto it = pictures_.find(std::string(person.text(field::pictureFile)));
        if (it != pictures_.end() && !it->second.uri.empty()) {
            files.pictureUri = it->second.uri;
            files.pictureForm = pictureMediaType(files.pictureUri);
        }
    }
    if (!person.isEmpty(field::notesFile)) {
        auto it = notes_.find(std::string(person.text(field::notesFile)));
        if (it != notes_.end()) {
            files.notesUri = it->second.uri;
            files.notesText = it->second.text;
        }
    }
    return files;
}

}  // namespace lineara
