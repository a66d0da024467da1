#include "core/search/navigation_lists.h"

#include <charconv>

#include "core/search/list_text.h"

namespace lineara {

namespace {

std::string names(const PersonRecord& p) {
    std::string s(p.text(field::givenNames));
    s += ' ';
    s += p.text(field::surname);
    return s;
}

// `dash` differs between the lists: the siblings' has blanks around it.
std::string entryOf(const PersonRecord& p, const char* dash) {
    std::string s = names(p);
    s += " (";
    s += p.text(field::birthDate);
    s += dash;
    s += p.text(field::deathDate);
    s += ") [";
    s += std::to_string(p.personId());
    s += ']';
    return s;
}

bool isChildOf(const PersonRecord& p, const PersonRecord* parent) {
    return p.father.get() == parent || p.mother.get() == parent;
}

GoToList listOf(std::string caption, const std::vector<const PersonRecord*>& persons,
                const char* dash) {
    GoToList out{oneLine(caption), {}};
    out.entries.reserve(persons.size());
    for (const PersonRecord* p : persons) out.entries.push_back(oneLine(entryOf(*p, dash)));
    return out;
}

}  // namespace

std::vector<const PersonRecord*> childrenOf(const PersonList& list, const PersonRecord& current) {
    std::vector<const PersonRecord*> children;
    const PersonRecord* other = nullptr;
    forEachPerson(list, [&](const PersonRecord* p) {
        if (p->isAliasBox()) {
            if (p->father.get() == &current) other = p;
        } else if (isChildOf(*p, &current)) {
            children.push_back(p);
        }
    });
    if (current.isAliasBox()) other = current.father.get();
    if (other != nullptr) {
        forEachPerson(list, [&](const PersonRecord* p) {
            if (!p->isAliasBox() && isChildOf(*p, other)) children.push_back(p);
        });
    }
    return children;
}

std::vector<const PersonRecord*> siblingsOf(const PersonList& list, const PersonRecord& current) {
    const PersonRecord* r = &current;
    if (current.isAliasBox() && current.father.get() != nullptr) r = current.father.get();
    const PersonRecord* father = r->father.get();
    const PersonRecord* mother = r->mother.get();
    std::vector<const PersonRecord*> siblings;
    forEachPerson(list, [&](const PersonRecord* p) {
        if (p == r || p->isAliasBox()) return;
        if ((father != nullptr && p->father.get() == father) ||
            (mother != nullptr && p->mother.get() == mother)) {
            siblings.push_back(p);
        }
    });
    return siblings;
}

std::vector<const PersonRecord*> relativesOf(const PersonRecord& current) {
    std::vector<const PersonRecord*> partners;
    for (int slot = 1; slot <= kRelationSlots; ++slot) {
        if (const PersonRecord* p = current.partner[slot].get()) partners.push_back(p);
    }
    return partners;
}

GoToList childrenList(const PersonList& list, const PersonRecord& current) {
    return listOf("Dzieci dla " + names(current), childrenOf(list, current), "-");
}

GoToList siblingsList(const PersonList& list, const PersonRecord& current) {
    const PersonRecord* r = &current;
    if (current.isAliasBox() && current.father.get() != nullptr) r = current.father.get();
    return listOf("Rodzenstwo " + names(*r), siblingsOf(list, current), " - ");
}

GoToList relativesList(const PersonRecord& current) {
    return listOf("Krewni dla " + names(current), relativesOf(current), "-");
}

int32_t entryPersonId(std::string_view entry) {
    const size_t open = entry.rfind('[');
    if (open == std::string_view::npos || entry.size() < open + 2) return 0;
    const std::string_view digits = entry.substr(open + 1, entry.size() - open - 2);
    int32_t id = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    if (ec != std::errc() || end != digits.data() + digits.size()) return 0;
    return id;
}

}  // namespace lineara
