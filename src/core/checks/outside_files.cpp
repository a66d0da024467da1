#include "core/checks/outside_files.h"

#include "core/model/person_list.h"
#include "core/platform/named_file.h"

namespace lineara {

std::vector<OutsideFile> filesOutsideFolder(const PersonList& list, const StoredFileLocator& files,
                                            const std::string& folder) {
    std::vector<OutsideFile> outside;
    forEachPerson(list, [&](const PersonRecord* person) {
        for (TextField f : {field::notesFile, field::pictureFile}) {
            if (person->isEmpty(f)) continue;
            std::string path = files.resolve(person->text(f)).string();
            if (isOutsideFolder(path, folder)) outside.push_back({person, f, std::move(path)});
        }
    });
    return outside;
}

}  // namespace lineara
