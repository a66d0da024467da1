// The pages of the HTML presentation, line for line, for small hand-built
// trees: what a browser will be given, written out here by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/reports/html_presentation.h"
#include "support/add_person.h"
#include "support/fake_html_images.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::addPerson;
using test::FakeHtmlImages;
using test::TempDir;
using Lines = std::vector<std::string>;

const char kAddress[] = "https://lineara.example/";

// The spacers of the ancestor table.
const std::string NG = R"(<IMG SRC="blank.gif" WIDTH=4 HEIGHT=50 BORDER=0>)";
const std::string BB = R"(<IMG SRC="blank.gif" WIDTH=140 HEIGHT=50 BORDER=0>)";
const std::string PG = R"(<IMG SRC="blank.gif" WIDTH=100 HEIGHT=50 BORDER=0>)";
const std::string CG = R"(<IMG SRC="blank.gif" WIDTH=220 HEIGHT=50 BORDER=0>)";
const std::string ROW = R"(<IMG SRC="blank.gif" WIDTH=580 HEIGHT=10 SHOW="NO" BORDER=0><BR>)";

Lines linesOf(const std::string& path) {
    std::vector<uint8_t> bytes = test::readBytes(path);
    std::string text(bytes.begin(), bytes.end());
    EXPECT_FALSE(text.empty()) << path;
    EXPECT_EQ(text.back(), '\n') << path;
    Lines lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

PersonRecord* aliasBoxOf(PersonList& list, PersonRecord* original) {
    PersonRecord* box =
        addPerson(list, original->text(field::givenNames), original->text(field::surname));
    box->setText(field::aliasMark, kAliasBox);
    box->father = original;
    original->setText(field::aliasMark, kAliasOriginal);
    return box;
}

void marry(PersonList& list, PersonRecord* a, PersonRecord* b, char type, std::string_view date,
           std::string_view place) {
    ASSERT_TRUE(list.AddMarriage(a, b).ok);
    int slot = list.addedSlotIndex()[0];
    a->setRelationType(slot, type);
    a->setText(field::relationDate(slot), date);
    a->setText(field::relationPlace(slot), place);
}

HtmlJob jobFor(const TempDir& dir) {
    HtmlJob job;
    job.treeFolder = dir.path();
    job.outputFolder = dir.path();
    job.versionText = "1.1";
    job.webAddress = kAddress;
    return job;
}

// Jan Kowalski (1) with parents, grandparents, four relationships, five
// children (one through his alias box), a brother, a picture and notes.
class JanKowalski : public ::testing::Test {
protected:
    void SetUp() override {
        jan = addPerson(list, "Jan", "Kowalski");                    // 1
        PersonRecord* adam = addPerson(list, "Adam", "Kowalski");    // 2
        PersonRecord* piotr = addPerson(list, "Piotr", "Kowalski");  // 3
        maria = addPerson(list, "Maria", "Nowak");                   // 4
        PersonRecord* mariaBox = aliasBoxOf(list, maria);            // 5
        PersonRecord* zofia = addPerson(list, "Zofia", "Nowak");     // 6
        PersonRecord* ewa = addPerson(list, "Ewa", "Kowalska");      // 7
        PersonRecord* anna = addPerson(list, "Anna", "Lis");         // 8
        PersonRecord* ola = addPerson(list, "Ola", "Kot");           // 9
        PersonRecord* beata = addPerson(list, "Beata", "Mak");       // 10
        PersonRecord* celina = addPerson(list, "Celina", "Wit");     // 11
        PersonRecord* celinaBox = aliasBoxOf(list, celina);          // 12
        const std::pair<const char*, PersonRecord*> children[] = {
            {"Jerzy", anna}, {"Marek", anna}, {"Tomasz", ola}, {"Igor", nullptr}};
        for (auto [given, mother] : children) {  // 13 to 16
            PersonRecord* child = addPerson(list, given, "Kowalski");
            child->father = jan;
            child->mother = mother;
        }
        addPerson(list, "Stefan", "Kowalski")->father = adam;       // 17
        PersonRecord* janBox = aliasBoxOf(list, jan);               // 18
        PersonRecord* danuta = addPerson(list, "Danuta", "Wrona");  // 19
        iwona = addPerson(list, "Iwona", "Kowalska");               // 20
        iwona->father = janBox;
        iwona->mother = danuta;

        jan->father = adam;
        jan->mother = mariaBox;
        adam->father = piotr;
        maria->mother = zofia;
        piotr->mother = ewa;
        marry(list, jan, anna, 'M', "1925", "Krak\xF3w");
        marry(list, jan, ola, 'D', "1930", "");
        marry(list, jan, beata, 'X', "", "");
        marry(list, jan, celinaBox, 'F', "", "");
        marry(list, janBox, danuta, 'D', "1950",
              "\xA3\xF3"
              "d\x9F");

        jan->setText(field::birthDate, "1 JAN 1900");
        jan->setText(field::birthPlace, "Krak\xF3w");
        jan->setText(field::baptismPlace, "Mariacki");
        jan->setText(field::deathDate, "1970");
        jan->setText(field::occupation, "Kowal & rolnik");
        jan->setText(field::source, "Ksi\xEAga parafii");
        jan->setText(field::pictureFile, "jan.jpg");
        jan->setText(field::pictureComment, "Na \x9Clubie");
        jan->setText(field::notesFile, "jan.txt");
        std::string notes = "Pierwsza linia\r\nDruga <b>\r\n";
        test::writeBytes(dir.file("jan.txt"), {notes.begin(), notes.end()});
        images.pictures[1] = {60, 40};
    }

    void generate(bool frames = true) {
        HtmlJob job = jobFor(dir);
        job.settings.useFrames = frames;
        job.personCount = 17;
        HtmlResult result = generateHtmlPresentation(list, job, images);
        ASSERT_EQ(result.status, HtmlResult::Status::Done) << result.error;
    }

    TempDir dir;
    PersonList list;
    PersonRecord* jan = nullptr;
    PersonRecord* maria = nullptr;
    PersonRecord* iwona = nullptr;
    FakeHtmlImages images;
};

TEST_F(JanKowalski, PersonPageLineForLine) {
    generate();
    Lines expected = {
        "<HTML><HEAD>",
        R"(<META NAME="GENERATOR" CONTENT="Lineara 1.1">)",
        R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=iso-8859-2">)",
        "<TITLE>The genealogical tree of Jan Kowalski</TITLE>",
        R"(<BODY BGCOLOR="#FFFFF0" LINK="#000080" ALINK="#000080" VLINK="#000080">)",
        R"(<TABLE BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH="590" ALIGN=CENTER><TR><TD>)",
        R"(<FONT COLOR="#000000">)",
        // Piotr has a mother: an arrow above him; Zofia has no parents.
        NG +
            R"(<IMG ISMAP USEMAP="#3" SRC="arrow.gif" WIDTH=140 HEIGHT=50 BORDER=0>)"
            R"(<MAP NAME="3"><AREA SHAPE="RECT" HREF="3.html" COORDS="60,10,80,41"></MAP>)" +
            NG + BB + NG + BB + NG + BB + NG + "<BR>",
        NG +
            R"(<A HREF="3.html"><IMG SRC="3.gif" ALT="Piotr Kowalski" WIDTH=140 HEIGHT=50 BORDER=0></A>)" +
            NG + BB + NG + BB + NG +
            R"(<A HREF="6.html"><IMG SRC="6.gif" ALT="Zofia Nowak" WIDTH=140 HEIGHT=50 BORDER=0></A>)" +
            NG + "<BR>",
        ROW,
        // The mother's slot holds Maria's alias box: Maria herself is shown.
        PG +
            R"(<A HREF="2.html"><IMG SRC="2.gif" ALT="Adam Kowalski" WIDTH=140 HEIGHT=50 BORDER=0></A>)" +
            PG +
            R"(<A HREF="4.html"><IMG SRC="4.gif" ALT="Maria Nowak" WIDTH=140 HEIGHT=50 BORDER=0></A>)" +
            PG + "<BR>",
        ROW,
        CG + R"(<IMG SRC="1.gif" ALT="Jan Kowalski" WIDTH=140 HEIGHT=50 BORDER=0>)" + CG + "<BR>",
        ROW,
        R"(<TABLE BORDER="0" CELLPADDING="2" CELLSPACING="2" ALIGN="right"><TR><TD>)",
        R"(<TABLE BORDER="0" CELLSPACING="0" BGCOLOR="black" CELLPADDING="1" WIDTH="200"><TR><TD>)",
        R"(<TABLE BORDER="0" CELLPADDING="10" CELLSPACING="0" WIDTH="100%">)",
        R"(<TR><TD ALIGN="CENTER" BGCOLOR="#000000" ><font color="#FFFFFF" size="3" )"
        R"(face="Verdana,Helvetica,Sans Serif"><b>l i n k s</b></font></TD></TR>)",
        R"(<TR><TD bgcolor="#FFFFFF" ><font size="-1" COLOR="#000000">)",
        // Sorted by the link's text, Anna once though she has two children.
        R"(Children with:<BR><A HREF="19.html">Danuta Wrona</A><BR><A HREF="8.html">Anna Lis</A>)"
        R"(<BR><A HREF="9.html">Ola Kot</A><BR><BR>)",
        R"(Siblings:<BR><A HREF="17.html">Stefan Kowalski</A><BR><BR>)",
        R"(Children:<BR><A HREF="13.html">Jerzy Kowalski</A><BR><A HREF="14.html">Marek Kowalski</A>)"
        R"(<BR><A HREF="15.html">Tomasz Kowalski</A><BR><A HREF="16.html">Igor Kowalski</A>)"
        R"(<BR><A HREF="20.html">Iwona Kowalska</A>)",
        "</font></TD></TR></TABLE></TD></TR></TABLE></TD></TR></TABLE>",
        "<FONT SIZE=+2>Jan Kowalski</FONT><BR>",
        R"(<FONT FACE="Verdana,Helvetica" SIZE=-2>)",
        "<LI>Born: 1 JAN 1900, Krak\xF3w<BR><LI>Baptized: , Mariacki<BR>"
        "<LI>Married 1925, Krak\xF3w, to <A HREF=\"8.html\">Anna Lis</A><BR>"
        "<LI>Divorced 1930 from <A HREF=\"9.html\">Ola Kot</A><BR>"
        "<LI>Married  to <A HREF=\"10.html\">Beata Mak</A><BR>"
        "<LI>Friend  with <A HREF=\"11.html\">Celina Wit</A><BR>"
        "<LI>Married 1950, \xA3\xF3"
        "d\xBC, to <A HREF=\"19.html\">Danuta Wrona</A><BR>"
        "<LI>Died: 1970<BR>",
        "<LI>Occupation: Kowal &amp; rolnik<BR>",
        "<LI>Reference: Ksi\xEAga parafii<BR>",
        "</FONT>",
        R"(<HR SIZE=1 NOSHADE WIDTH="100%" COLOR="#000000">)",
        R"(<TABLE BORDER="0" ALIGN="left" WIDTH="82"><TR><TD><CENTER><IMG SRC="pict1.jpg" )"
        R"(ALT="pict1.jpg [80x40]" WIDTH=80 BORDER=1>)",
        " <FONT FACE=\"Verdana,Helvetica\" SIZE=-2 COLOR=\"#000000\">Na \xB6lubie<BR></FONT>",
        "</CENTER></TD></TR></TABLE>",
        "Pierwsza linia<BR>",
        "Druga &lt;b&gt;<BR>",
        "</TD></TR><TR><TD><CENTER>",
        R"(<FONT FACE="Verdana,Helvetica" SIZE=-2 COLOR="#000000">)",
        R"(<HR SIZE=1 NOSHADE WIDTH="100%" COLOR="#000000">)",
        R"(Generated by <A HREF="https://lineara.example/" TARGET="_top">Lineara 1.1</A>)",
        "</FONT></CENTER></TD></TR></TABLE></BODY></HTML>",
    };
    Lines page = linesOf(dir.file("1.html"));
    ASSERT_EQ(page.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(page[i], expected[i]) << "line " << i + 1;
}

TEST_F(JanKowalski, ParentThroughAnAliasBoxIsShownAndLinkedAsThePerson) {
    generate();
    Lines page = linesOf(dir.file("20.html"));
    ASSERT_GE(page.size(), 15u);
    // Iwona's father is Jan's alias box: Jan's parents are her grandparents,
    // each with an arrow (Adam has a father, Maria a mother).
    EXPECT_EQ(page[7],
              NG +
                  R"(<IMG ISMAP USEMAP="#2" SRC="arrow.gif" WIDTH=140 HEIGHT=50 BORDER=0>)"
                  R"(<MAP NAME="2"><AREA SHAPE="RECT" HREF="2.html" COORDS="60,10,80,41"></MAP>)" +
                  NG +
                  R"(<IMG ISMAP USEMAP="#4" SRC="arrow.gif" WIDTH=140 HEIGHT=50 BORDER=0>)"
                  R"(<MAP NAME="4"><AREA SHAPE="RECT" HREF="4.html" COORDS="60,10,80,41"></MAP>)" +
                  NG + BB + NG + BB + NG + "<BR>");
    EXPECT_EQ(
        page[10],
        PG +
            R"(<A HREF="1.html"><IMG SRC="1.gif" ALT="Jan Kowalski" WIDTH=140 HEIGHT=50 BORDER=0></A>)" +
            PG +
            R"(<A HREF="19.html"><IMG SRC="19.gif" ALT="Danuta Wrona" WIDTH=140 HEIGHT=50 BORDER=0></A>)" +
            PG + "<BR>");
    // No children and no siblings: no links box; the name follows the table.
    EXPECT_EQ(page[14], "<FONT SIZE=+2>Iwona Kowalska</FONT><BR>");
    EXPECT_EQ(page[16], "");  // no facts at all: the line is there, empty
}

TEST_F(JanKowalski, ChildrenOfTheAliasBoxAreThePersonsChildren) {
    generate();
    Lines page = linesOf(dir.file("4.html"));
    // Jan names Maria's alias box as his mother.
    EXPECT_NE(std::find(page.begin(), page.end(),
                        R"(Children with:<BR><A HREF="2.html">Adam Kowalski</A><BR><BR>)"),
              page.end());
    EXPECT_NE(
        std::find(page.begin(), page.end(), R"(Children:<BR><A HREF="1.html">Jan Kowalski</A>)"),
        page.end());
}

TEST_F(JanKowalski, WithoutFramesEveryPageLinksTheIndex) {
    generate(false);
    Lines page = linesOf(dir.file("1.html"));
    ASSERT_GE(page.size(), 4u);
    EXPECT_EQ(page[page.size() - 4], R"([ <A HREF="index.html">NAME INDEX</A> ]<BR>)");
    EXPECT_FALSE(test::fileExists(dir.file("left.html")));
}

TEST_F(JanKowalski, SiblingsOffLeavesTheBoxToChildren) {
    HtmlJob job = jobFor(dir);
    job.settings.useSiblings = false;
    ASSERT_EQ(generateHtmlPresentation(list, job, images).status, HtmlResult::Status::Done);
    Lines jan = linesOf(dir.file("1.html"));
    for (const std::string& line : jan) EXPECT_EQ(line.find("Siblings:"), std::string::npos);
    // Stefan has a brother but no children: no links box at all.
    Lines stefan = linesOf(dir.file("17.html"));
    for (const std::string& line : stefan) EXPECT_EQ(line.find("l i n k s"), std::string::npos);
}

// The index tree: the home person is an alias box of Maria.
class SmallIndex : public ::testing::Test {
protected:
    void SetUp() override {
        PersonRecord* box = addPerson(list, "Maria", "Nowak");  // 1
        addPerson(list, "Zenon",
                  "\xAF"
                  "ak")
            ->setText(field::birthDate, "1900");                  // 2
        PersonRecord* maria = addPerson(list, "Maria", "Nowak");  // 3
        addPerson(list)->setText(field::deathDate, "1950");       // 4
        addPerson(list, "adam", "nowak");                         // 5
        box->setText(field::aliasMark, kAliasBox);
        box->father = maria;
        maria->setText(field::aliasMark, kAliasOriginal);
    }

    Lines generate(bool frames, const char* file) {
        HtmlJob job = jobFor(dir);
        job.settings.useFrames = frames;
        job.personCount = 4;
        HtmlResult result = generateHtmlPresentation(list, job, images);
        EXPECT_EQ(result.status, HtmlResult::Status::Done) << result.error;
        return linesOf(dir.file(file));
    }

    TempDir dir;
    PersonList list;
    FakeHtmlImages images;
};

const Lines kIndexHead = {
    "<HTML>",
    "<HEAD>",
    R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=iso-8859-2"> )"
    R"(<META NAME="GENERATOR" CONTENT="Lineara 1.1">)",
    "<TITLE>Index of family</TITLE>",
    "</HEAD>",
    "<BODY ",
    R"( BGCOLOR="#FFFFFF" )",
    R"( LINK="#000080" )",
    R"( ALINK="#000000" )",
    R"( VLINK="#800080">)",
    "<!-- Generated by Stirpex -->",
};

Lines concat(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(SmallIndex, IndexWithFrames) {
    Lines expected = concat(
        kIndexHead,
        {
            R"(<CENTER><FONT FACE="Verdana,Helvetica"><B>The family of<BR><A HREF="3.html" )"
            R"(TARGET="right">Maria Nowak</A></B></FONT><BR>)",
            R"(<FONT FACE="Verdana,Helvetica" SIZE=-1">4 individuals</CENTER><BR>)"
            R"(<TABLE WIDTH=480 BORDER=0><TR><TD>)",
            R"(<FONT FACE="Verdana,Helvetica" SIZE=-1><B>Index in alphabetical order:</B><BR>)"
            R"(</FONT><FONT FACE="Verdana,Helvetica" SIZE=-2>)",
            " ",
            R"(<!----><A HREF="4.html" TARGET="right">(NO NAME)</A> (-1950)<BR>)",
            R"(<!--nowakadam--><A HREF="5.html" TARGET="right">nowak adam</A><BR>)",
            R"(<!--NowakMaria--><A HREF="3.html" TARGET="right">Nowak Maria</A><BR>)",
            "<!--\xAF"
            "akZenon--><A HREF=\"2.html\" TARGET=\"right\">\xAF"
            "ak Zenon</A> (1900-)<BR>",
            R"(</FONT></TR></TD></TABLE><BR><CENTER><FONT FACE="Verdana,Helvetica" SIZE=-2>)"
            R"(Generated by<BR><A HREF="https://lineara.example/" TARGET="_top">Lineara 1.1</A><BR>)",
            "</FONT></CENTER></BODY></HTML>",
        });
    EXPECT_EQ(generate(true, "left.html"), expected);
}

TEST_F(SmallIndex, IndexWithoutFrames) {
    Lines expected = concat(
        kIndexHead,
        {
            R"(<FONT FACE="Verdana,Helvetica"><B>The family of<BR><A HREF="3.html" >Maria Nowak)"
            R"(</A></B></FONT><BR>)",
            R"(<FONT FACE="Verdana,Helvetica" SIZE=-1">4 individuals<BR>)"
            R"(<TABLE WIDTH=480 BORDER=0><TR><TD>)",
            R"(<FONT FACE="Verdana,Helvetica" SIZE=-1><B>Index in alphabetical order:</B><BR>)"
            R"(</FONT><FONT FACE="Verdana,Helvetica" SIZE=-2>)",
            " ",
            R"(<!----><A HREF="4.html" >(NO NAME)</A> (-1950)<BR>)",
            R"(<!--nowakadam--><A HREF="5.html" >nowak adam</A><BR>)",
            R"(<!--NowakMaria--><A HREF="3.html" >Nowak Maria</A><BR>)",
            "<!--\xAF"
            "akZenon--><A HREF=\"2.html\" >\xAF"
            "ak Zenon</A> (1900-)<BR>",
            R"(</FONT><BR><FONT FACE="Verdana,Helvetica" SIZE=-2><I>Generated by <A )"
            R"(HREF="https://lineara.example/" TARGET="_top">Lineara 1.1</A>)",
            "</A></I></FONT></TD></TR></TABLE></BODY></HTML>",
        });
    EXPECT_EQ(generate(false, "index.html"), expected);
}

TEST_F(SmallIndex, StartPageShowsThePersonBehindTheAliasBox) {
    Lines expected = {
        "<HTML>",
        "<HEAD>",
        R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=iso-8859-2"> )"
        R"(<META NAME="GENERATOR" CONTENT="Lineara 1.1"> )",
        "<TITLE>The family of Maria Nowak</TITLE>",
        "</HEAD>",
        R"(<FRAMESET COLS="23%,77%">)",
        R"(<FRAME SRC="left.html" NAME="left" )",
        R"(MARGINHEIGHT="0")",
        R"(MARGINWIDTH="0">)",
        R"(<FRAME SRC="3.html" NAME="right")",
        R"(MARGINHEIGHT="0")",
        R"(MARGINWIDTH="2">)",
        "</FRAMESET>",
        "<NOFRAMES>",
        "<FONT SIZE=+3>Frames not supported</A><BR>",
        R"(Your browser does not support frames. Click <A HREF="left.html">here</A> to go to the )"
        "version without frames.",
        "</NOFRAMES>",
        "</HTML>",
    };
    EXPECT_EQ(generate(true, "index.html"), expected);
    // The alias box has no page of its own.
    EXPECT_FALSE(test::fileExists(dir.file("1.html")));
    EXPECT_TRUE(test::fileExists(dir.file("3.html")));
}

}  // namespace
}  // namespace lineara
