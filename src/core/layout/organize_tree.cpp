#include "core/layout/organize_tree.h"

#include "core/platform/translatable.h"

#include <algorithm>

#include "core/history/step_names.h"

namespace lineara {

const char kErrorCaption[] = LINEARA_TRANSLATABLE("Core", "Error");
const char kMsgCircularReferences[] =
    LINEARA_TRANSLATABLE("Core", "The tree is very large. There might be circular references!");

std::string tooManyGenerationsMessage(int maxGenerations) {
    return "The tree contains more than " + std::to_string(maxGenerations) +
           " generations and will not be organized.";
}

OrganizeResult organizeAncestorsOnList(TreeEdit& list, AncestorTable& table, TreeStyle style,
                                       int maxGenerations) {
    OrganizeResult result;
    table.reset();
    const PersonRecord* root = list.currentPerson();
    if (root == nullptr) return result;
    const int b = CheckOut(table, list, root);
    result.generations = b;
    if (b < 2) return result;

    // Generations beyond the table's rows were never entered in it.
    const int limit = std::min(maxGenerations, AncestorTable::kRows);
    if (b >= AncestorTable::kDepthLimit) {
        result.status = OrganizeResult::CircularReferences;
        result.caption = kErrorCaption;
        result.message = kMsgCircularReferences;
        return result;
    }
    if (b > limit) {
        result.status = OrganizeResult::TooManyGenerations;
        result.message = tooManyGenerationsMessage(limit);
        return result;
    }

    result.status = OrganizeResult::Organized;
    const int32_t ox = root->posX(), oy = root->posY();
    for (int q = 1; q <= b - 1; ++q) {
        const int columns = 1 << q;
        for (int e = 1; e <= columns; ++e) {
            const PersonRecord* ancestor = table.at(q + 1, e);
            if (ancestor == nullptr) continue;
            BoxPosition p = organizedPosition(style, b, q, e, ox, oy);
            list.setPlace(ancestor, p.x, p.y, ancestor->selected());
        }
    }
    return result;
}

OrganizeResult organizeAncestors(Document& doc, AncestorTable& table, TreeStyle style) {
    OrganizeResult result;
    doc.change(step_name::kOrganizeAncestors,
               [&](TreeEdit& list) { result = organizeAncestorsOnList(list, table, style); });
    // Dropping the current person is no change of the tree, so a refusal,
    // or an organisation that found every box in place, makes no step.
    if (result.status != OrganizeResult::NoAncestors) doc.setCurrentPerson(nullptr);
    return result;
}

}  // namespace lineara
