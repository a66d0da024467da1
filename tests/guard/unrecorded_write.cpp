// An operation run by the document may write a record only through the
// edit context, which records it first. Each LINEARA_ROUTE is one way an
// operation could reach a record and write it without recording it; each
// must not compile. Route 0 is the recorded write, which must compile, so
// that a failure of the others is theirs alone.
#include "core/model/document.h"

namespace lineara {

void operation(Document& doc) {
    doc.change("write", [](TreeEdit& list) {
        const PersonRecord* p = list.currentPerson();
#if LINEARA_ROUTE == 0
        list.edit(p)->setText(field::surname, "recorded");
        list.edit(p->father)->setPos(0, 0);
        forEachPerson(list, [&list](const PersonRecord* r) { list.edit(r)->setSelected(false); });
#elif LINEARA_ROUTE == 1
        // The current person, as the list hands it out.
        list.currentPerson()->setText(field::surname, "unrecorded");
#elif LINEARA_ROUTE == 2
        // A relative of a record that was recorded: the relative was not.
        list.edit(p)->father->setPos(0, 0);
#elif LINEARA_ROUTE == 3
        // A walk of the whole list.
        forEachPerson(list, [](PersonRecord* r) { r->setSelected(false); });
#endif
        (void)p;
    });
}

}  // namespace lineara
