#include "gui/main_window/search_commands.h"

#include "core/search/nearest_box.h"

namespace lineara {

QString currentPersonStatus(const PersonList& persons, const RecordCodec& codec) {
    const PersonRecord* p = persons.currentPerson();
    if (p == nullptr) return QString();
    const QString status = codec.decode(p->text(field::givenNames)) + QLatin1Char(' ') +
                           codec.decode(p->text(field::surname)) + QStringLiteral(" (") +
                           codec.decode(p->text(field::birthDate)) + QStringLiteral(" - ") +
                           codec.decode(p->text(field::deathDate)) + QLatin1Char(')');
    return status.trimmed();
}

WindowExtent SearchCommands::extent() const {
    const QSize size = env_.windowSize();
    return WindowExtent{size.width(), size.height()};
}

void SearchCommands::goHome() {
    Document& doc = env_.document();
    const PersonRecord* home = doc.persons().personListHead();
    if (home == nullptr) return;
    doc.setCurrentPerson(home);
    centreAt100(env_.view(), extent(), home->posX(), home->posY());
    env_.repaintTree();
}

void SearchCommands::goToFather() {
    const PersonRecord* p = env_.document().persons().currentPerson();
    if (p != nullptr) goToPerson(p->father);
}

void SearchCommands::goToMother() {
    const PersonRecord* p = env_.document().persons().currentPerson();
    if (p != nullptr) goToPerson(p->mother);
}

void SearchCommands::goToPerson(const PersonRecord* person) {
    if (person == nullptr) return;
    env_.document().setCurrentPerson(person);
    centreAtPresentZoom(env_.view(), extent(), person->posX(), person->posY());
    env_.repaintTree();
    env_.refreshCommandStates();
}

void SearchCommands::moveToNearest(ScrollDirection direction) {
    Document& doc = env_.document();
    const PersonList& list = doc.persons();
    const PersonRecord* from = list.currentPerson();
    if (from == nullptr) return;
    if (const PersonRecord* to = nearestBox(list, *from, direction)) doc.setCurrentPerson(to);
    const PersonRecord* p = list.currentPerson();
    centreAtPresentZoom(env_.view(), extent(), p->posX(), p->posY());
    env_.repaintTree();
    env_.refreshCommandStates();
    env_.setStatusText(currentPersonStatus(list, env_.codec()));
}

// The item has already flipped its own check mark; the window decides
// what it shows.
void SearchCommands::toggleSearchWindow() {
    env_.gestures().disarmPanning();
    env_.setSearchCheckMark(searchShown_);
    env_.showSearchWindow(!searchShown_);
}

void SearchCommands::searchWindowShown(bool shown) {
    searchShown_ = shown;
    env_.setSearchCheckMark(shown);
    if (!shown) env_.setMenuEmpty(false);
}

}  // namespace lineara
