// import-legacy as a script runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/model/document.h"
#include "support/legacy_writer.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

using test::fileExists;
using test::LegacyPerson;
using test::runTool;
using test::TempDir;
using test::ToolRun;

class LegacyTool : public ::testing::Test {
protected:
    ToolRun tool(const std::vector<std::string>& args) { return runTool(LINEARA_TOOL, args, dir); }
    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = dir.file(name);
        test::writeBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return path;
    }
    std::vector<LegacyPerson> family() {
        std::vector<LegacyPerson> p(3);
        p[0].id = 3;
        p[0].given = "Jan";
        p[0].spouseId = 9;
        p[0].birthDate = "5.12.1850";
        p[1].id = 9;
        p[1].given = "Anna";
        p[1].spouseId = 3;
        p[2].id = 12;
        p[2].given = "Ewa";
        p[2].fatherId = 3;
        p[2].motherId = 9;
        return p;
    }
    TempDir dir;
};

TEST_F(LegacyTool, ImportsEitherVersionByItsExtension) {
    struct Case {
        const char* name;
        size_t size;
        std::vector<std::string> extra;
        const char* birthDate;
    } cases[] = {
        {"stare.ln", test::kV1Size, {}, "5.12.1850"},
        {"STARE.LN2", test::kV15Size, {}, "5 Dec 1850"},
        {"inne.ln2", test::kV15Size, {"--keep-dates"}, "5.12.1850"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string in = write(c.name, test::legacyFile(family(), c.size));
        std::string out = dir.file("nowe.ln3");
        std::vector<std::string> args = {"import-legacy", in, out};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        ToolRun run = tool(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "persons: 3\n");
        Document doc;
        ASSERT_TRUE(doc.ReadfromFile(out).loaded());
        const PersonRecord* jan = doc.persons().personListHead();
        const PersonRecord* ewa = doc.persons().personListTail();
        EXPECT_EQ(ewa->father, jan);
        EXPECT_EQ(ewa->mother, jan->nextPerson);
        EXPECT_EQ(jan->partner[1], c.size == test::kV15Size ? jan->nextPerson.get() : nullptr);
        EXPECT_EQ(jan->text(field::birthDate), c.birthDate);
        EXPECT_EQ(tool({"info", out}).out, "records: 3\npersons: 3\nhighest id: 12\n");
    }
}

TEST_F(LegacyTool, AFailureSaysSoAndSavesNothing) {
    std::string whole = test::legacyFile(family(), test::kV1Size);
    std::string cut = write("ucięte.ln", whole.substr(0, whole.size() - 1));
    std::string out = dir.file("nowe.ln3");
    std::string folder = dir.file("katalog.ln");
    std::filesystem::create_directory(folder);
    std::string empty = write("puste.ln", "");
    for (const std::string& in : {cut, empty, dir.file("brak.ln2"), folder}) {
        SCOPED_TRACE(in);
        ToolRun run = tool({"import-legacy", in, out});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "There was an error opening the file\n");
        EXPECT_FALSE(fileExists(out));
    }
    std::string in = write("dobre.ln", whole);
    EXPECT_EQ(tool({"import-legacy", in, dir.file("nowe.txt")}).status, 1);
    EXPECT_EQ(tool({"import-legacy", dir.file("drzewo.ged"), out}).status, 2);
    EXPECT_EQ(tool({"import-legacy", in}).status, 2);
    EXPECT_EQ(tool({"import-legacy", in, out, "--other"}).status, 2);
    EXPECT_FALSE(fileExists(out));
}

}  // namespace
}  // namespace lineara
