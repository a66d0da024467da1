// Printing to a PDF file from the program: the file is replaced whole or
// not at all, and a file that cannot be written is reported.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <QFile>
#include <QPrinter>
#include <filesystem>

#include "gui/printing/print_tree_window.h"
#include "gui/printing/printer_pages.h"
#include "render/printing/pdf_file_pages.h"
#include "support/add_person.h"
#include "support/child_process.h"
#include "support/program_fixture.h"

namespace lineara {
namespace {

using test::addPerson;
using test::writable;

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool isWholePdf(const QByteArray& bytes) {
    return bytes.startsWith("%PDF") && bytes.right(8).contains("%%EOF");
}

class PdfFileTest : public test::ProgramFixture {
protected:
    void SetUp() override {
        test::ProgramFixture::SetUp();
        for (int i = 0; i < 6; ++i) addPerson(writable(main->doc()), "Jan", "Nowak", 200 * i, 0);
    }
    // The print window prints into `path`, as the print dialog's print to
    // file does.
    void printTreeTo(const QString& path) {
        PrintTreeWindow* window = program->printTreeWindow();
        window->setPrintDialog([path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        });
        main->reports().showPrintTreeWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        window->print();
    }
    std::vector<std::string> folderEntries() {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(t.folder().toStdString())) {
            names.push_back(e.path().filename());
        }
        return names;
    }
};

TEST_F(PdfFileTest, TheTreeReplacesTheFileWholeOrSaysWhyNot) {
    const QString pdf = t.folder() + QStringLiteral("/tree.pdf");
    QFile::remove(pdf);
    const auto before = folderEntries();
    printTreeTo(pdf);
    EXPECT_TRUE(isWholePdf(read(pdf)));
    EXPECT_FALSE(program->printTreeWindow()->isVisible());
    EXPECT_TRUE(t.user.messages().isEmpty());

    // A device that fills up while the pages go out, and a folder in the
    // way: each is said, and the window stays for another try.
    const QString folder = t.folder() + QStringLiteral("/folder.pdf");
    std::filesystem::create_directory(folder.toStdString());
    const struct {
        QString path;
        QString said;
    } failures[] = {
        {QStringLiteral("/dev/full"),
         QStringLiteral("Cannot write file \"/dev/full\". No space left on device")},
        {folder, QStringLiteral("Cannot create file \"%1\". Is a directory").arg(folder)},
    };
    for (const auto& f : failures) {
        printTreeTo(f.path);
        ASSERT_FALSE(t.user.messages().isEmpty()) << f.path.toStdString();
        EXPECT_EQ(t.user.messages().last(), f.said);
        EXPECT_TRUE(program->printTreeWindow()->isVisible());
    }
    program->printTreeWindow()->close();
    const auto after = folderEntries();
    EXPECT_EQ(after.size(), before.size() + 2);  // tree.pdf and the folder, nothing else
}

TEST_F(PdfFileTest, TheScreenSaysWhyItCouldNotBeWritten) {
    main->reports().setScreenPrintDialog([](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("/dev/full"));
        return true;
    });
    main->action(QStringLiteral("Print1"))->trigger();
    ASSERT_FALSE(t.user.messages().isEmpty());
    EXPECT_EQ(t.user.messages().last(),
              QStringLiteral("Cannot write file \"/dev/full\". No space left on device"));
}

// A file-size limit stands in for a full disk: the old file stays as it
// was, and the pages stop at the first failed write.
TEST(PdfFilePages, AFailedWriteKeepsTheOldFile) {
    test::TempDir dir;
    const std::string pdf = dir.file("old.pdf");
    test::writeBytes(pdf, {'o', 'l', 'd'});
    QImage big(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < big.height(); ++y) {
        for (int x = 0; x < big.width(); ++x) big.setPixel(x, y, qRgb(x * 7 + y, y * 13, x ^ y));
    }
    const std::string said = test::runInChild(
        [&] {
            alarm(60);
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{65536, 65536};
            setrlimit(RLIMIT_FSIZE, &limit);
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf));
            std::string error;
            const PrintOutcome outcome = printOnPrinter(
                printer, [&](PageTarget& pages) { return printImageFitted(pages, big); }, error);
            if (outcome != PrintOutcome::DeviceFailed) return std::string("printed");
            return error;
        },
        false);
    EXPECT_EQ(said, "Cannot write file \"" + pdf + "\". File too large");
    EXPECT_EQ(test::readBytes(pdf), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// lineara-tool print lays its pages out without a printer; the file must be
// the one the print window makes through a high-resolution printer set to a
// PDF file, so sheet, orientation, margins, mode and resolution all agree.
TEST(PdfFilePages, TheToolsSheetIsThePrintersSheet) {
    for (const QPageLayout::Orientation orientation :
         {QPageLayout::Portrait, QPageLayout::Landscape}) {
        SCOPED_TRACE(orientation);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(orientation);
        useWholeSheetForPdf(printer);
        const QPageLayout sheet = wholeA4Sheet(orientation);
        EXPECT_EQ(sheet, printer.pageLayout());
        EXPECT_EQ(sheet.margins(), printer.pageLayout().margins());
        EXPECT_EQ(sheet.minimumMargins(), printer.pageLayout().minimumMargins());
        EXPECT_EQ(sheet.mode(), printer.pageLayout().mode());
        EXPECT_EQ(kPdfDotsPerInch, printer.resolution());
        EXPECT_TRUE(printer.creator().isEmpty());
        EXPECT_TRUE(printer.docName().isEmpty());
    }
}

}  // namespace
}  // namespace lineara
