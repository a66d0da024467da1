#include "core/gedcom/gedcom_import_media.h"

#include <filesystem>

#include "core/gedcom/gedcom7_media.h"
#include "core/gedcom/gedcom_values.h"
#include "core/platform/codepage.h"
#include "core/platform/named_file.h"

namespace lineara {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string gedcomFilePath(std::string_view value, bool uri) {
    std::string path;
    if (!uri) {
        path = std::string(value);
        for (char& c : path) {
            if (c == '\\') c = '/';
        }
        return path;
    }
    if (value.substr(0, 8) == "file:///") {
        value.remove_prefix(7);  // keeps the root's slash
        // "file:///C:/..." names a drive.
        if (value.size() >= 3 && value[2] == ':') value.remove_prefix(1);
    } else if (value.substr(0, 7) == "file://") {
        value.remove_prefix(7);
    }
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size() && hexValue(value[i + 1]) >= 0 &&
            hexValue(value[i + 2]) >= 0) {
            path += static_cast<char>(hexValue(value[i + 1]) * 16 + hexValue(value[i + 2]));
            i += 2;
        } else {
            path += value[i];
        }
    }
    return path;
}

std::string ImportedMedia::title(std::string_view raw) {
    std::string text(raw);
    if (!decoder_.leadingAtOnly()) {
        undoubleAt(text);
    } else if (text.compare(0, 2, "@@") == 0) {
        text.erase(0, 1);
    }
    return decoder_.toTree(text);
}

void ImportedMedia::personObject(const PersonRecord* person, std::string_view value) {
    inRecord_ = false;
    current_ = nullptr;
    if (isGedcomPointer(value)) {
        pointers_.emplace_back(person, std::string(value));
    } else {
        inline_.emplace_back(person, Object{});
        current_ = &inline_.back().second;
    }
}

void ImportedMedia::personObjectDetail(const GedcomLine& line, std::string_view raw) {
    if (current_ == nullptr || inRecord_) return;
    if (line.tagIs("FILE") && current_->file.empty()) current_->file = std::string(raw);
    if (line.tagIs("TITL") && current_->title.empty()) current_->title = title(raw);
    if (line.tagIs("FORM") && raw == "text/plain") current_->notes = true;
}

void ImportedMedia::record(std::string_view xref) {
    current_ = &records_[std::string(xref)];
    inRecord_ = true;
}

void ImportedMedia::recordLine(const GedcomLine& line, std::string_view raw) {
    if (current_ == nullptr || !inRecord_) return;
    if (line.level == 1) {
        if (line.tagIs("FILE") && current_->file.empty()) current_->file = std::string(raw);
        if (line.tagIs("_LNNOTES")) current_->notes = true;
        if (line.tagIs("TITL") && current_->title.empty()) current_->title = title(raw);
    } else if (line.level == 2) {
        if (line.tagIs("TITL") && current_->title.empty()) current_->title = title(raw);
        if (line.tagIs("FORM") && raw == "text/plain") current_->notes = true;
    }
}

void ImportedMedia::resolve(TreeEdit& list, const GedcomMediaPlaces& places) {
    std::vector<std::pair<const PersonRecord*, const Object*>> objects;
    objects.reserve(pointers_.size() + inline_.size());
    // Pointers and objects of their own are taken in one order per person:
    // pointers first, as GEDCOM 7 has only those.
    for (const auto& [person, xref] : pointers_) {
        auto it = records_.find(xref);
        if (it != records_.end()) objects.emplace_back(person, &it->second);
    }
    for (const auto& [person, object] : inline_) objects.emplace_back(person, &object);

    const std::string codePage = places.codePage;
    for (const auto& [person, object] : objects) {
        if (object->file.empty()) continue;
        const TextField target = object->notes ? field::notesFile : field::pictureFile;
        if (!person->isEmpty(target)) continue;
        const std::string path = gedcomFilePath(object->file, places.uris);
        std::filesystem::path full(path);
        if (full.is_relative()) full = std::filesystem::path(places.sourceFolder) / full;
        full = full.lexically_normal();
        if (!isRegularFile(full.string())) continue;
        // A name relative to the tree's folder where the two folders are
        // one, so that the tree and its files can move together.
        std::string stored = full.string();
        if (!places.treeFolder.empty()) {
            std::filesystem::path relative = full.lexically_relative(
                std::filesystem::path(places.treeFolder).lexically_normal());
            if (!relative.empty() && *relative.begin() != "..") stored = relative.string();
        }
        PersonRecord* r = list.edit(person);
        r->setText(target, toCodePage(stored, codePage.c_str()));
        if (!object->notes && !object->title.empty()) {
            r->setText(field::pictureComment, object->title);
        }
    }
    pointers_.clear();
    inline_.clear();
    records_.clear();
}

}  // namespace lineara
