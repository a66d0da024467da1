#include "core/gedcom/gedcom_import_layout.h"

#include <charconv>

#include "core/gedcom/gedcom_values.h"

namespace lineara {

void ImportedLayout::aliasBox(const PersonRecord* box, std::string_view xref) {
    boxes_.emplace(std::string(xref), box);
    open_ = nullptr;
}

void ImportedLayout::boxLine(const PersonRecord* box, const GedcomLine& line,
                             std::string_view raw) {
    if (line.level == 1) {
        open_ = nullptr;
        if ((line.tagIs("_LNFATH") || line.tagIs("_LNMOTH")) && isGedcomPointer(raw)) {
            parents_.push_back({box, std::string(raw), line.tagIs("_LNFATH")});
        } else if (line.tagIs("_LNOF") && isGedcomPointer(raw)) {
            aliases_.emplace_back(box, std::string(raw));
        } else if (line.tagIs("_LNREL") && isGedcomPointer(raw)) {
            slots_.push_back(Slot{box, std::string(raw), 0, 0, {}, {}});
            open_ = &slots_.back();
        }
        return;
    }
    if (line.level != 2 || open_ == nullptr) return;
    if (line.tagIs("_LNSLOT")) {
        int slot = 0;
        auto [end, error] = std::from_chars(raw.data(), raw.data() + raw.size(), slot);
        if (error == std::errc() && end == raw.data() + raw.size()) open_->slot = slot;
    } else if (line.tagIs("_LNKIND") && raw.size() == 1) {
        open_->kind = raw[0];
    } else if (line.tagIs("_LNDATE") || line.tagIs("_LNPLAC")) {
        std::string text(raw);
        if (text.size() >= 2 && text[0] == '@' && text[1] == '@') text.erase(0, 1);
        (line.tagIs("_LNDATE") ? open_->date : open_->place) = decoder_.toTree(text);
    }
}

}  // namespace lineara
