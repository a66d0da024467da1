// What the file dialogs offer: the tree's name with the extension of the
// file asked for, in the folder last used for that kind of file, kept for
// the next start too.
#include <QDir>

#include "core/formats/tree_file.h"
#include "gui/common/file_proposals.h"
#include "support/edit_fixture.h"

namespace lineara::test {
namespace {

class FileProposalsTest : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        for (const char* sub : {"gedcom", "listy", "drzewa", "obrazy"})
            QDir(t.folder()).mkdir(QString::fromLatin1(sub));
        add("Jan", "Nowak");
        main->doc().setCurrentFileName(t.dir.file("rodzina.ln3"));
        main->doc().markSaved();
    }
    QString in(const char* name) const {
        return t.folder() + QLatin1Char('/') + QString::fromLatin1(name);
    }
    // The preset of the last file dialog, after running `command` with the
    // user choosing `answer` (empty: cancel).
    QString offered(const char* command, const QString& answer = QString()) {
        t.user.fileAnswers = {answer};
        trigger(command);
        return t.user.fileDialogs.isEmpty() ? QString() : t.user.fileDialogs.last().initialPath;
    }
};

TEST_F(FileProposalsTest, EachKindOfFileIsOfferedUnderTheTreesNameInItsOwnLastFolder) {
    // At first, beside the tree file.
    EXPECT_EQ(offered("Write1"), in("rodzina.ged"));
    EXPECT_EQ(offered("SavetoFile1"), in("rodzina.txt"));
    EXPECT_EQ(offered("Surnames1"), in("rodzina.txt"));
    EXPECT_EQ(offered("ExportImage1"), in("rodzina.svg"));

    // A folder chosen once is offered again for that kind of file only.
    offered("Write1", in("gedcom/eksport.ged"));
    offered("Surnames1", in("listy/nazwiska.txt"));
    EXPECT_EQ(offered("Write1"), in("gedcom/rodzina.ged"));
    EXPECT_EQ(offered("SavetoFile1"), in("listy/rodzina.txt"));
    EXPECT_EQ(offered("Read1"), in("gedcom"));
    EXPECT_EQ(offered("ExportImage1"), in("rodzina.svg"));
    offered("ExportImage1", in("obrazy/plakat.png"));
    EXPECT_EQ(offered("ExportImage1"), in("obrazy/rodzina.svg"));

    // An untitled tree: the folder alone, where trees were last saved.
    t.user.fileAnswers = {in("drzewa/nowe.ln3")};
    main->documentCommands().saveAs();
    ASSERT_TRUE(main->doc().persons().count() == 1);
    main->doc().setCurrentFileName(std::string());
    EXPECT_EQ(offered("SaveAs1"), in("drzewa"));
    EXPECT_EQ(offered("Write1"), in("gedcom"));
    EXPECT_EQ(offered("Open1"), in("drzewa"));

    // The next start offers the same folders; one since removed is not.
    FileProposals nextStart(&t.registry);
    EXPECT_EQ(nextStart.proposal(FileKind::Gedcom, t.dir.file("x/inna.ln3"), QStringLiteral("ged")),
              in("gedcom/inna.ged"));
    EXPECT_EQ(nextStart.folder(FileKind::Tree, std::string()), in("drzewa"));
    ASSERT_TRUE(QDir(in("listy")).removeRecursively());
    EXPECT_EQ(nextStart.proposal(FileKind::Text, t.dir.file("rodzina.ln3"), QStringLiteral("txt")),
              in("rodzina.txt"));
}

}  // namespace
}  // namespace lineara::test
