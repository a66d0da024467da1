#include "core/layout/create_tree.h"

#include "core/platform/translatable.h"

#include <cstdint>
#include <vector>

#include "core/history/step_names.h"

namespace lineara {

const char kPsstCaption[] = LINEARA_TRANSLATABLE("Core", "PSST");
const char kMsgMinimumGenerations[] = LINEARA_TRANSLATABLE("Core", "Minimum 2 generations!");
const char kMsgMaximumGenerations[] =
    LINEARA_TRANSLATABLE("Core", "Maximum 7 generations per tree, please.");
const char kMsgCannotCreateTreeHere[] = LINEARA_TRANSLATABLE(
    "Core",
    "An ancestor tree is created only above a person without father and mother who is not an "
    "alias box.");

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// The integer conversion the program has always used for typed numbers.
bool parseInteger(std::string_view text, int& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    }
    if (i == text.size()) return false;
    const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : INT32_MAX;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        int d = digitValue(text[i]);
        if (d >= base) return false;
        v = v * base + d;
        if (v > limit) return false;
    }
    value = static_cast<int>(negative ? -v : v);
    return true;
}

}  // namespace

GenerationsEntry checkGenerations(std::string_view text) {
    GenerationsEntry entry;
    int a = 0;
    if (!parseInteger(text, a)) {
        entry.status = GenerationsEntry::NotANumber;
        entry.message = "'" + std::string(text) + "' is not a valid integer value";
        return entry;
    }
    if (a < kMinCreatedGenerations || a > kMaxCreatedGenerations) {
        entry.status = GenerationsEntry::Refused;
        entry.caption = kPsstCaption;
        entry.message =
            a < kMinCreatedGenerations ? kMsgMinimumGenerations : kMsgMaximumGenerations;
        return entry;
    }
    entry.generations = a;
    return entry;
}

bool canCreateAncestorTree(const PersonList& list) {
    const PersonRecord* p = list.currentPerson();
    return p != nullptr && p->father == nullptr && p->mother == nullptr && !p->isAliasBox();
}

Outcome createAncestorTreeOnList(TreeEdit& list, TreeStyle style, int generations) {
    if (!canCreateAncestorTree(list)) return Outcome::failure(kMsgCannotCreateTreeHere);
    GenerationsEntry entry = checkGenerations(std::to_string(generations));
    if (entry.status != GenerationsEntry::Accepted) return Outcome::failure(entry.message);

    const PersonRecord* root = list.currentPerson();
    const int a = generations, n = a - 1;
    const int32_t ox = root->posX(), oy = root->posY();
    // The persons made, in the order made: the k-th father and mother
    // (counted from 0) are the parents of the root for k = 0, and of the
    // (k-1)-th person made after that.
    std::vector<const PersonRecord*> made;
    made.reserve((size_t{2} << n) - 2);
    for (int i = 1; i <= n; ++i) {
        const int h = 1 << i;
        for (int e = 1; e <= h; ++e) {
            Outcome o = list.LagNyPerson(0, 0);
            if (!o) {
                // All or nothing: a half-made pedigree would be of no use.
                for (auto it = made.rbegin(); it != made.rend(); ++it) list.takeBackNewPerson(*it);
                list.setCurrentPerson(root);
                return o;
            }
            PersonRecord* p = list.edit(list.currentPerson());
            const size_t pair = made.size() / 2;
            PersonRecord* child = list.edit(pair == 0 ? root : made[pair - 1]);
            made.push_back(p);
            BoxPosition at = createdPosition(style, a, i, e, ox, oy);
            p->setPos(at.x, at.y);
            if (e % 2 == 1) {
                p->setText(field::sex, "M");
                child->father = p;
            } else {
                p->setText(field::sex, "F");
                child->mother = p;
            }
        }
    }
    list.setCurrentPerson(nullptr);
    return Outcome::success();
}

Outcome createAncestorTree(Document& doc, TreeStyle style, int generations) {
    return doc.change(step_name::kCreateAncestorTree, [&](TreeEdit& list) {
        return createAncestorTreeOnList(list, style, generations);
    });
}

}  // namespace lineara
