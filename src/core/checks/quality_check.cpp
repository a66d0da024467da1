#include "core/checks/quality_check.h"

#include <algorithm>
#include <system_error>

#include "core/checks/check_entries.h"
#include "core/platform/translatable.h"

namespace lineara {

const char kMsgNotesFileMissing[] = LINEARA_TRANSLATABLE("Core", "Nie ma pliku tekst.: ");
const char kMsgPictureMissing[] = LINEARA_TRANSLATABLE("Core", "Nie znaleziono fotki: ");

namespace {

struct Rule {
    QualityRule rule;
    TextField field;
    const char* message;
};

// In the order a person's problems are listed.
constexpr Rule kRules[] = {
    {QualityRule::NotesFile, field::notesFile, kMsgNotesFileMissing},
    {QualityRule::Picture, field::pictureFile, kMsgPictureMissing},
};

const Rule& ruleOf(QualityRule rule) {
    return rule == QualityRule::NotesFile ? kRules[0] : kRules[1];
}

bool missing(const PersonRecord& person, const Rule& rule, const StoredFileLocator& files) {
    std::string_view name = person.text(rule.field);
    return !name.empty() && !files.exists(name);
}

}  // namespace

StoredFileLocator::StoredFileLocator(std::filesystem::path folder, FileNameDecoder decode)
    : folder_(std::move(folder)), decode_(std::move(decode)) {}

std::filesystem::path StoredFileLocator::resolve(std::string_view storedName) const {
    // Trees made on Windows name files like "zdjecia\jan.jpg". The backslash
    // is replaced only after decoding: in the double-byte code pages the
    // byte of "\" can be the second half of a character, while in UTF-8 it
    // is never anything but the backslash. A drive letter ("C:\...") has no
    // meaning here; such a name is looked for below the folder and counts
    // as missing unless the user has recreated it there.
    std::string name = decode_(storedName);
    std::replace(name.begin(), name.end(), '\\', '/');
    std::filesystem::path path(name);
    if (path.is_absolute() || folder_.empty()) return path;
    return folder_ / path;
}

bool StoredFileLocator::exists(std::string_view storedName) const {
    std::error_code error;
    return std::filesystem::is_regular_file(resolve(storedName), error);
}

QualityCheckResult QCheck(const PersonList& list, const StoredFileLocator& files) {
    QualityCheckResult result;
    forEachPerson(list, [&](const PersonRecord* person) {
        for (const Rule& rule : kRules) {
            if (!missing(*person, rule, files)) continue;
            std::string message = rule.message;
            message += person->text(rule.field);
            result.problems.push_back({person, personCaption(*person), message, rule.rule});
            ++result.count;
        }
    });
    sortByCaption(result.problems);
    return result;
}

bool problemRemains(const QualityProblem& problem, const StoredFileLocator& files) {
    return missing(*problem.person, ruleOf(problem.rule), files);
}

}  // namespace lineara
