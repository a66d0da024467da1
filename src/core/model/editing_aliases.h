// Alias boxes: a second box for a person who has to appear twice in the
// drawing. The original carries the mark "ALIAS" and is the record that is
// edited; the alias box carries "REF", holds a copy of the personal data and
// points at the original through its `father` field.
#pragma once

#include "core/model/document.h"
#include "core/model/editing.h"

namespace lineara {

// A new alias box for the current person, placed exactly at the mouse and
// carried by it; the current person becomes the original. Only for a
// person without a mark.
EditResult makeAlias(Document& doc, int32_t mouseX, int32_t mouseY);

// Turns the current box into the alias box of a new original, which is
// placed at the mouse and carried. The box keeps its place, partners and
// children. Only for a person without a mark, father or mother.
EditResult makeThisAnAlias(Document& doc, int32_t mouseX, int32_t mouseY);

// The other box of an alias pair becomes current. Returns the person to
// centre the view on (the new current person, or the old one when the pair
// has no other box), or null without a current person.
const PersonRecord* goToAliasOrOriginal(Document& doc);

// The other box of an alias pair, or null.
const PersonRecord* aliasPartnerOf(const PersonList& list, const PersonRecord& person);

}  // namespace lineara
