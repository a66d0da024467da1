#include "core/checks/check_entries.h"

namespace lineara {

namespace {

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::string_view trimmedBytes(std::string_view text) {
    while (!text.empty() && isBlankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

std::string personCaption(const PersonRecord& person) {
    std::string caption(person.text(field::surname));
    caption += ' ';
    caption += person.text(field::givenNames);
    return std::string(trimmedBytes(caption));
}

}  // namespace lineara
