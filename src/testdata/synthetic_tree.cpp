#include "testdata/synthetic_tree.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "testdata/synthetic_words.h"

namespace lineara {

namespace {

using synthetic::Date;
using synthetic::freeTextDate;
using synthetic::randomDay;
using synthetic::Rng;

// Layout, in tree units. Boxes sit on the 5-unit grid at 5k+2; every step
// below is a multiple of 5, so they stay there.
constexpr int32_t kOrigin = 2;
constexpr int32_t kStep = 160;      // box to box within a family
constexpr int32_t kFamilyGap = 60;  // extra room between two families
constexpr int32_t kClanGap = 320;   // between two unrelated clans
constexpr int32_t kRowHeight = 200;
constexpr int kMaxGenerations = 7;

// A blood relative together with the surname his or her children take.
struct Member {
    PersonRecord* record = nullptr;
    int surname = 0;
};

struct Union {
    Member blood;
    Member spouse;
    int year = 0;
};

// Boxes side by side in one row: a founder or a child of one family,
// followed by his or her partners; the children of all those couples are
// below it.
struct Block {
    std::vector<PersonRecord*> boxes;
    std::vector<Union> unions;
    // The blocks of its children in the next row, which are consecutive.
    size_t firstChild = std::numeric_limits<size_t>::max();
    size_t lastChild = 0;
    size_t parents = std::numeric_limits<size_t>::max();  // their block in the row above

    int32_t left() const { return boxes.front()->posX(); }
    int32_t right() const { return boxes.back()->posX() + kBoxWidth; }
    void shift(int32_t dx) {
        for (PersonRecord* r : boxes) r->setPosX(r->posX() + dx);
    }
};

// A couple of the row above, whose children are being placed.
struct Family {
    Member husband;
    PersonRecord* wife = nullptr;
    int32_t centreX = 0;
    int year = 0;      // of the relationship
    size_t block = 0;  // the couple's block in its row
};

class Generator {
public:
    Generator(PersonList& list, int persons, uint32_t seed)
        : list_(list), left_(std::max(persons, 0)), rng_(seed) {
        // Bands of clans grow about as wide as the whole tree is tall.
        bandWidth_ = std::clamp<int32_t>(static_cast<int32_t>(std::sqrt(double(left_)) * 400),
                                         16000, 1000000);
    }

    void run() {
        while (left_ > 0) buildClan();
        list_.setCurrentPerson(nullptr);
    }

private:
    PersonRecord* newRecord();
    void fillPersonal(PersonRecord* p, char sex, int surname, int birthYear);
    void addMember(Block& block, const Family* parents, int generation, int birthYear);
    bool addPartner(Block& block, const Member& blood, int generation, int birthYear, int index,
                    int count);
    Member makeAliasBox(const PersonRecord* partner, int generation);
    void recordUnion(PersonRecord* a, PersonRecord* b, int year, char type);
    int32_t placeBlock(Block block, int generation, int32_t x, std::vector<Family>& families);
    std::vector<Family> buildRow(const std::vector<Family>& parents, int generation);
    void centreOverChildren();
    void buildClan();

    static int sexIndex(char sex) { return sex == 'M' ? 0 : 1; }

    PersonList& list_;
    int left_;
    int created_ = 0;
    int aliases_ = 0;
    Rng rng_;
    synthetic::Words words_;
    // Unmarried relatives by sex and generation: the originals an alias box
    // may stand for when one of them marries into another family.
    std::vector<Member> singles_[2][kMaxGenerations];
    std::vector<std::vector<Block>> rows_;  // of the clan being built
    int32_t clanX_ = kOrigin;
    int32_t clanRight_ = kOrigin;
    int32_t bandY_ = kOrigin;
    int32_t bandWidth_ = 0;
};

PersonRecord* Generator::newRecord() {
    if (left_ == 0 || !list_.LagNyPerson(0, 0).ok) {
        left_ = 0;
        return nullptr;
    }
    --left_;
    ++created_;
    return list_.edit(list_.currentPerson());
}

void Generator::fillPersonal(PersonRecord* p, char sex, int surname, int birthYear) {
    bool male = sex == 'M';
    const auto& names = male ? words_.maleNames : words_.femaleNames;
    std::string given = rng_.pick(names);
    if (rng_.percent(20)) {
        const std::string& second = rng_.pick(names);
        if (second != given) given += " " + second;
    }
    p->setText(field::givenNames, given);
    p->setText(field::surname, (male ? words_.maleSurnames : words_.femaleSurnames)[surname]);
    p->setText(field::sex, male ? "M" : "F");
    Date birth = randomDay(rng_, birthYear);
    p->setText(field::birthDate, freeTextDate(rng_, birth));
    const std::string& home = rng_.pick(words_.places);
    if (rng_.percent(75)) p->setText(field::birthPlace, home);
    if (rng_.percent(35)) {
        Date baptism{birthYear, birth.month, std::min(birth.day + rng_.between(1, 10), 28)};
        p->setText(field::baptismDate, freeTextDate(rng_, baptism));
        p->setText(field::baptismPlace, rng_.percent(80) ? home : rng_.pick(words_.places));
    }
    // Everybody lives long enough for the relationships made later.
    if (rng_.percent(birthYear < 1880 ? 80 : 35)) {
        p->setText(field::deathDate, freeTextDate(rng_, birthYear + rng_.between(55, 92)));
        if (rng_.percent(50)) p->setText(field::deathPlace, rng_.pick(words_.places));
    }
    if (rng_.percent(30)) {
        p->setText(field::occupation, rng_.pick(male ? words_.maleJobs : words_.femaleJobs));
    }
    if (rng_.percent(8)) {
        char tail[32];
        std::snprintf(tail, sizeof tail, ", %d, nr %d", birthYear, rng_.between(1, 400));
        p->setText(field::source, rng_.pick(words_.sourceKinds) + ", " + home + tail);
    }
}

// Both halves of a relationship carry the same date, place and type.
void Generator::recordUnion(PersonRecord* a, PersonRecord* b, int year, char type) {
    if (!list_.AddMarriage(a, b).ok) return;
    std::string date = rng_.percent(60) ? freeTextDate(rng_, year) : std::string();
    std::string place = rng_.percent(50) ? rng_.pick(words_.places) : std::string();
    const auto slots = list_.addedSlotIndex();
    for (auto [person, slot] : {std::pair{a, slots[0]}, std::pair{b, slots[1]}}) {
        person->setText(field::relationDate(slot), date);
        person->setText(field::relationPlace(slot), place);
        person->setRelationType(slot, type);
    }
}

// A second box for an unmarried relative of the same generation, who is
// shown as a child in the parents' branch and, through this box, as a
// partner of `partner`. Null when there is nobody suitable or no room left.
Member Generator::makeAliasBox(const PersonRecord* partner, int generation) {
    bool partnerIsMan = partner->text(field::sex) == "M";
    std::vector<Member>& pool = singles_[sexIndex(partnerIsMan ? 'F' : 'M')][generation];
    if (pool.empty() || left_ == 0) return {};
    size_t k = static_cast<size_t>(rng_.below(static_cast<int>(pool.size())));
    Member original = pool[k];
    // Brother and sister do not marry; they wait for another chance.
    if (partner->father != nullptr && original.record->father == partner->father) return {};
    pool[k] = pool.back();
    pool.pop_back();

    PersonRecord* box = newRecord();
    for (TextField f : field::kPersonalData) box->setText(f, original.record->text(f));
    original.record->setText(field::aliasMark, kAliasOriginal);
    box->setText(field::aliasMark, kAliasBox);
    box->father = original.record;
    ++aliases_;
    return {box, original.surname};
}

bool Generator::addPartner(Block& block, const Member& blood, int generation, int birthYear,
                           int index, int count) {
    char sex = blood.record->text(field::sex) == "M" ? 'F' : 'M';
    Member spouse;
    // About one alias box per hundred records.
    if ((aliases_ + 1) * 100 <= created_) spouse = makeAliasBox(blood.record, generation);
    if (spouse.record == nullptr) {
        spouse = {newRecord(), rng_.below(static_cast<int>(words_.maleSurnames.size()))};
        if (spouse.record == nullptr) return false;
        fillPersonal(spouse.record, sex, spouse.surname, birthYear + rng_.between(-6, 6));
    }
    block.boxes.push_back(spouse.record);

    int year = birthYear + 19 + 7 * index + rng_.between(0, 6);
    int roll = rng_.below(100);
    char type = index + 1 < count ? (roll < 60 ? 'D' : 'M')  // divorced, or widowed
                : roll < 88       ? 'M'
                : roll < 95       ? 'P'
                : roll < 98       ? 'U'
                                  : 'O';
    recordUnion(blood.record, spouse.record, year, type);
    block.unions.push_back({blood, spouse, year});
    return true;
}

// A blood relative: a child of `parents`, or a founder when it is null.
void Generator::addMember(Block& block, const Family* parents, int generation, int birthYear) {
    Member m{newRecord(), parents != nullptr ? parents->husband.surname
                                             : rng_.below(int(words_.maleSurnames.size()))};
    if (m.record == nullptr) return;
    char sex = rng_.percent(50) ? 'M' : 'F';
    fillPersonal(m.record, sex, m.surname, birthYear);
    block.boxes.push_back(m.record);
    if (parents != nullptr) {
        m.record->father = parents->husband.record;
        m.record->mother = parents->wife;
    }
    bool marries = parents == nullptr || rng_.percent(65);
    int roll = rng_.below(100);
    int count = !marries ? 0 : roll < 88 ? 1 : roll < 97 ? 2 : 3;
    int added = 0;
    while (added < count && addPartner(block, m, generation, birthYear, added, count)) ++added;
    if (added == 0 && parents != nullptr) singles_[sexIndex(sex)][generation].push_back(m);
}

// The first grid position at or right of `x`, on the grid of `from`.
int32_t snapRight(int32_t x, int32_t from) {
    return from + (std::max(x, from) - from + kGridStep - 1) / kGridStep * kGridStep;
}

int32_t widthOf(const Block& block) {
    return static_cast<int32_t>(block.boxes.size() - 1) * kStep + kBoxWidth;
}

// Puts the block in its row at `x` and returns its right edge. The block's
// couples become the families of the next row.
int32_t Generator::placeBlock(Block block, int generation, int32_t x,
                              std::vector<Family>& families) {
    int32_t y = bandY_ + generation * kRowHeight;
    for (size_t i = 0; i < block.boxes.size(); ++i) {
        block.boxes[i]->setPos(x + static_cast<int32_t>(i) * kStep, y);
    }
    std::vector<Block>& row = rows_[size_t(generation)];
    for (const Union& u : block.unions) {
        bool bloodIsMan = u.blood.record->text(field::sex) == "M";
        const Member& man = bloodIsMan ? u.blood : u.spouse;
        PersonRecord* wife = bloodIsMan ? u.spouse.record : u.blood.record;
        int32_t mid = (u.blood.record->posX() + u.spouse.record->posX() + kBoxWidth) / 2;
        families.push_back({man, wife, mid, u.year, row.size()});
    }
    row.push_back(std::move(block));
    return x + widthOf(row.back());
}

// The children of each family, side by side and centred under their
// parents where the row has room.
std::vector<Family> Generator::buildRow(const std::vector<Family>& parents, int generation) {
    static constexpr int kChildWeights[] = {12, 20, 26, 20, 12, 6, 4};  // 0 to 6 children
    std::vector<Family> next;
    int32_t cursor = clanX_;
    for (const Family& f : parents) {
        int roll = rng_.below(100), children = 0;
        while (roll >= kChildWeights[children]) roll -= kChildWeights[children++];
        std::vector<Block> siblings;
        int32_t width = -kFamilyGap;
        for (int c = 0; c < children && left_ > 0; ++c) {
            Block child;
            addMember(child, &f, generation, f.year + 1 + 2 * c + rng_.between(0, 2));
            if (child.boxes.empty()) break;
            width += widthOf(child) + kFamilyGap;
            siblings.push_back(std::move(child));
        }
        if (siblings.empty()) continue;
        int32_t x = snapRight(f.centreX - width / 2, cursor);
        Block& parentsBlock = rows_[size_t(generation - 1)][f.block];
        for (Block& b : siblings) {
            size_t index = rows_[size_t(generation)].size();
            parentsBlock.firstChild = std::min(parentsBlock.firstChild, index);
            parentsBlock.lastChild = std::max(parentsBlock.lastChild, index);
            b.parents = f.block;
            x = placeBlock(std::move(b), generation, x, next) + kFamilyGap;
        }
        cursor = x;
    }
    return next;
}

// Rows fill from the left, so a wide row of children drifts to the right of
// its parents. Going up from the bottom, each block moves right until it is
// centred over its children, pushing its right-hand neighbours along; then
// a block without children joins the sibling to its right.
void Generator::centreOverChildren() {
    for (size_t g = rows_.size(); g-- > 0;) {
        std::vector<Block>& row = rows_[g];
        int32_t cursor = clanX_;
        for (Block& b : row) {
            int32_t x = std::max(cursor, b.left());
            if (b.firstChild <= b.lastChild) {
                int32_t centre =
                    (rows_[g + 1][b.firstChild].left() + rows_[g + 1][b.lastChild].right()) / 2;
                x = std::max(x, centre - widthOf(b) / 2);
            }
            b.shift(snapRight(x, b.left()) - b.left());
            cursor = b.right() + kFamilyGap;
            clanRight_ = std::max(clanRight_, cursor);
        }
        for (size_t i = row.size(); i-- > 1;) {
            Block& b = row[i - 1];
            if (b.firstChild <= b.lastChild || b.parents != row[i].parents) continue;
            b.shift(std::max(0, row[i].left() - kFamilyGap - b.right()));  // stays on the grid
        }
    }
}

// One founding couple and up to six generations of descendants, with the
// partners they married. Clans stand side by side in bands; a full band
// makes way for a new one below.
void Generator::buildClan() {
    int generations = rng_.between(4, kMaxGenerations);
    rows_.assign(size_t(generations), {});
    Block founders;
    addMember(founders, nullptr, 0, rng_.between(1700, 1760));
    if (founders.boxes.empty()) return;
    std::vector<Family> families;
    placeBlock(std::move(founders), 0, clanX_, families);
    for (int g = 1; g < generations && !families.empty() && left_ > 0; ++g) {
        families = buildRow(families, g);
    }
    clanRight_ = clanX_;
    centreOverChildren();
    clanX_ = clanRight_ + kClanGap;
    if (clanX_ > kOrigin + bandWidth_) {
        clanX_ = kOrigin;
        bandY_ += (kMaxGenerations + 1) * kRowHeight;
    }
}

}  // namespace

void generateSyntheticTree(PersonList& list, int persons, uint32_t seed) {
    Generator(list, persons, seed).run();
}

}  // namespace lineara
