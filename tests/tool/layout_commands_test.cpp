// arrange, organize and create-ancestors as a script runs them: the file
// written is the tree the program would have after the command, and a
// refusal prints the program's message and writes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/layout/auto_arrange.h"
#include "core/model/document.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

using test::fileExists;
using test::readBytes;
using test::TempDir;
using test::ToolRun;

class LayoutCommands : public ::testing::Test {
protected:
    ToolRun tool(const std::vector<std::string>& args) {
        return test::runTool(LINEARA_TOOL, args, dir);
    }
    PersonRecord* add(PersonList& list, int32_t x = 0, int32_t y = 0) {
        EXPECT_TRUE(list.LagNyPerson(0, 0).ok);
        PersonRecord* p = list.edit(list.currentPerson());
        p->setPos(x, y);
        return p;
    }
    std::string save(PersonList& list, const char* name) {
        std::string path = dir.file(name);
        EXPECT_TRUE(SavetoFile(list, path).written());
        return path;
    }
    // Ids 1 to 7: a person, the parents (2, 3), the grandparents (4 to 7).
    std::string family() {
        PersonList list;
        PersonRecord* root = add(list);
        PersonRecord* f = add(list, 900, 900);
        PersonRecord* m = add(list, -900, 30);
        root->father = f;
        root->mother = m;
        f->father = add(list, 1, 1);
        f->mother = add(list, 2, 2);
        m->father = add(list, 3, 3);
        m->mother = add(list, 4, 4);
        return save(list, "family.ln3");
    }
    // Loads a file written by the tool.
    void load(const std::string& path, PersonList& into) {
        ASSERT_TRUE(ReadfromFile(into, path).loaded()) << path;
    }
    TempDir dir;
};

TEST_F(LayoutCommands, ArrangeWritesWhatTheProgramArranges) {
    const std::string in = dir.file("in.ln3");
    ASSERT_EQ(tool({"generate", "700", in, "--seed", "9"}).status, 0);
    const std::string out = dir.file("out.ln3");
    ToolRun r = tool({"arrange", in, out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");

    Document doc;
    ASSERT_TRUE(doc.ReadfromFile(in).loaded());
    ASSERT_TRUE(autoArrange(doc).ok);
    ASSERT_TRUE(doc.SavetoFile(dir.file("expected.ln3")).written());
    EXPECT_TRUE(readBytes(out) == readBytes(dir.file("expected.ln3")));
    EXPECT_FALSE(readBytes(out) == readBytes(in));
}

TEST_F(LayoutCommands, ArrangeRefusesAnEmptyTreeAndBadArguments) {
    PersonList empty;
    const std::string in = save(empty, "empty.ln3");
    ToolRun r = tool({"arrange", in, dir.file("out.ln3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Nie ma co przestawic.\n");
    EXPECT_FALSE(fileExists(dir.file("out.ln3")));

    r = tool({"arrange", family(), dir.file("out.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Incorrect file type. Lineara did not save the file.\n");
    EXPECT_FALSE(fileExists(dir.file("out.txt")));
    EXPECT_EQ(tool({"arrange", in}).status, 2);
}

TEST_F(LayoutCommands, OrganizeMovesTheAncestorsOfThePersonWithTheId) {
    const std::string in = family();
    const struct {
        const char* style;
        std::vector<std::pair<int32_t, int32_t>> places;  // ids 1 to 7
    } cases[] = {
        {"compact",
         {{0, 0}, {-75, -195}, {75, -195}, {-225, -378}, {-75, -378}, {75, -378}, {225, -378}}},
        {"fractal",
         {{0, 0}, {-150, -400}, {150, -400}, {-225, -640}, {-75, -640}, {75, -640}, {225, -640}}},
    };
    for (const auto& c : cases) {
        const std::string out = dir.file(std::string(c.style) + ".ln3");
        ToolRun r = tool({"organize", in, "1", c.style, out});
        ASSERT_EQ(r.status, 0) << r.err;
        PersonList organised;
        load(out, organised);
        for (int32_t id = 1; id <= 7; ++id) {
            const PersonRecord* p = organised.findPersonById(id);
            EXPECT_EQ(std::make_pair(p->posX(), p->posY()), c.places[size_t(id - 1)])
                << c.style << " id " << id;
        }
    }
}

TEST_F(LayoutCommands, OrganizePrintsTheMessagesAndWritesNothing) {
    PersonList circle;
    PersonRecord* a = add(circle);
    PersonRecord* father = add(circle);
    a->father = father;
    father->mother = a;
    PersonList tall;
    PersonRecord* p = add(tall);
    for (int g = 1; g < 9; ++g) {
        PersonRecord* next = add(tall);
        p->father = next;
        p = next;
    }
    const struct {
        std::string in;
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {save(circle, "circle.ln3"),
         {"1", "compact"},
         1,
         "The tree is very large. There might be circular references!\n"},
        {save(tall, "tall.ln3"),
         {"1", "fractal"},
         1,
         "The tree contains more than 8 generations and will not be organized.\n"},
        {family(), {"4", "compact"}, 1, "The person with id 4 has no father or mother\n"},
        {family(),
         {"8", "compact"},
         1,
         "No person with id 8 in \"" + dir.file("family.ln3") + "\"\n"},
        {family(),
         {"0", "compact"},
         2,
         "usage: lineara-tool organize IN.ln3 ID compact|fractal OUT.ln3\n"},
        {family(),
         {"1", "tidy"},
         2,
         "usage: lineara-tool organize IN.ln3 ID compact|fractal OUT.ln3\n"},
    };
    for (const auto& c : cases) {
        const std::string out = dir.file("out.ln3");
        ToolRun r = tool({"organize", c.in, c.args[0], c.args[1], out});
        EXPECT_EQ(r.status, c.status) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(fileExists(out)) << c.err;
    }
}

TEST_F(LayoutCommands, CreateAncestorsAsTheNumberTypedInTheDialog) {
    PersonList list;
    add(list, 0, 0);
    const std::string in = save(list, "one.ln3");
    const std::string out = dir.file("out.ln3");
    ToolRun r = tool({"create-ancestors", in, "1", "3", "fractal", out});
    ASSERT_EQ(r.status, 0) << r.err;
    PersonList created;
    load(out, created);
    ASSERT_EQ(created.count(), 7u);
    const PersonRecord* root = created.personListHead();
    EXPECT_EQ(root->father->posX(), -150);
    EXPECT_EQ(root->mother->posX(), 150);
    EXPECT_EQ(root->mother->posY(), -400);
    EXPECT_EQ(root->mother->mother->posX(), 225);
    EXPECT_EQ(root->mother->mother->posY(), -640);
    EXPECT_EQ(root->father->text(field::sex), "M");
    EXPECT_EQ(root->mother->text(field::sex), "F");

    const struct {
        std::string in, id, generations;
        std::string err;
    } refused[] = {
        {in, "1", "8", "Maximum 7 generations per tree, please.\n"},
        {in, "1", "1", "Minimum 2 generations!\n"},
        {in, "1", "", "'' is not a valid integer value\n"},
        {in, "1", "pięć", "'pięć' is not a valid integer value\n"},
        {out, "1", "3",  // has parents now
         "An ancestor tree is created only above a person without father and mother who is not "
         "an alias box.\n"},
    };
    for (const auto& c : refused) {
        const std::string again = dir.file("again.ln3");
        r = tool({"create-ancestors", c.in, c.id, c.generations, "compact", again});
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(fileExists(again));
    }
    EXPECT_EQ(tool({"create-ancestors", in, "1", "3", "wide", out}).status, 2);
    EXPECT_EQ(tool({"create-ancestors", in, "x", "3", "compact", out}).status, 2);
}

}  // namespace
}  // namespace lineara
