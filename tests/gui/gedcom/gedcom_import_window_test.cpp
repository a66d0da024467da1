// The import window on its own: its captions, when it refreshes while
// reading, and that it cannot be closed before the reading ends.
#include "gui/gedcom/gedcom_import_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "core/gedcom/gedcom_texts.h"

namespace lineara {
namespace {

TEST(QtFileFilter, WindowsFiltersBecomeQtFilters) {
    const struct {
        const char* windows;
        const char* qt;
    } cases[] = {
        {"GEDCOM files|*.ged", "GEDCOM files (*.ged)"},
        {"Gedcom files (*.ged)|*.ged|Text files (*.txt)|*.txt|All files (*.*)|*.*",
         "Gedcom files (*.ged);;Text files (*.txt);;All files (*.*)"},
        {"Obrazy|*.jpg;*.png", "Obrazy (*.jpg *.png)"},
        // A description naming other patterns than its own keeps them and
        // gets its own added.
        {"Stare (*.old)|*.ged", "Stare (*.old) (*.ged)"},
        {"", ""},
        {"Bez wzorca", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qtFileFilter(c.windows), QString::fromUtf8(c.qt)) << c.windows;
    }
}

GedcomImportProgress at(int percent, int64_t lines, int64_t persons, bool sizeKnown = true) {
    GedcomImportProgress p;
    p.percent = percent;
    p.sizeKnown = sizeKnown;
    p.counters.linesRead = lines;
    p.counters.personsRead = persons;
    p.counters.familiesRead = persons / 2;
    return p;
}

QStringList labelTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
    return texts;
}

TEST(GedcomImportWindow, StartsEmptyWithItsCaptions) {
    GedcomImportWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Import pliku GEDCOM"));
    EXPECT_EQ(window.windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    const QStringList labels = labelTexts(window);
    for (const char* caption :
         {"Plik importowany:", "Osób odczytano:", "Rodzin odczytano:", "Postęp importowania:"}) {
        EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;
    }
    EXPECT_EQ(window.okButton()->text(), QStringLiteral("&OK"));
    EXPECT_EQ(window.personsBox()->text(), QStringLiteral("0 "));
    EXPECT_EQ(window.familiesBox()->text(), QStringLiteral("0 "));
    EXPECT_EQ(window.progressBar()->minimum(), 0);
    EXPECT_EQ(window.progressBar()->maximum(), 100);
    EXPECT_TRUE(window.pathBox()->isReadOnly());
}

TEST(GedcomImportWindow, RefreshesOnlyWhenThePercentageMoves) {
    GedcomImportWindow window;
    int refreshes = 0;
    window.setRefreshHook([&] { ++refreshes; });
    window.begin(QStringLiteral("/tmp/plik.ged"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isModal());
    EXPECT_FALSE(window.okButton()->isEnabled());
    EXPECT_EQ(window.statusLine()->text(), QStringLiteral("Importing file..."));

    // Lines within one percent change nothing on the screen.
    EXPECT_TRUE(window.showProgress(at(0, 1, 0)));
    EXPECT_TRUE(window.showProgress(at(0, 2, 1)));
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(window.personsBox()->text(), QStringLiteral("0 "));
    EXPECT_TRUE(window.showProgress(at(1, 3, 7)));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(window.progressBar()->value(), 1);
    EXPECT_EQ(window.personsBox()->text(), QStringLiteral("7 "));
    EXPECT_EQ(window.familiesBox()->text(), QStringLiteral("3 "));
    EXPECT_TRUE(window.showProgress(at(1, 4, 8)));
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(window.showProgress(at(57, 5, 9)));
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(window.progressBar()->value(), 57);

    window.showBusyStatus(QStringLiteral("Please wait while arranging items..."));
    EXPECT_EQ(refreshes, 3);
    GedcomImportResult done;
    done.counters.personsRead = 12;
    done.counters.familiesRead = 4;
    done.statusText = "Done.";
    window.finish(done);
    EXPECT_EQ(window.progressBar()->value(), 100);
    EXPECT_EQ(window.personsBox()->text(), QStringLiteral("12 "));
    EXPECT_EQ(window.familiesBox()->text(), QStringLiteral("4 "));
    EXPECT_EQ(window.statusLine()->text(), QStringLiteral("Done."));
    EXPECT_TRUE(window.okButton()->isEnabled());
    window.okButton()->click();
    EXPECT_FALSE(window.isVisible());
}

TEST(GedcomImportWindow, WithoutASizeTheBarHidesAndTheCountersStillMove) {
    GedcomImportWindow window;
    int refreshes = 0;
    window.setRefreshHook([&] { ++refreshes; });
    window.begin(QStringLiteral("/dev/stdin"));
    EXPECT_TRUE(window.showProgress(at(100, 1, 0, false)));
    EXPECT_TRUE(window.progressBar()->isHidden());
    const int afterFirst = refreshes;
    // At the assumed size's end the percentage stands still; the counters
    // go on every 2000 lines.
    for (int64_t line = 2; line <= 10000; ++line) {
        EXPECT_TRUE(window.showProgress(at(100, line, line / 10, false)));
    }
    EXPECT_EQ(refreshes - afterFirst, 4);  // lines 2001, 4001, 6001, 8001
    EXPECT_EQ(window.personsBox()->text(), QStringLiteral("800 "));

    // A new import shows the bar again.
    window.finish({});
    window.begin(QStringLiteral("/tmp/plik.ged"));
    EXPECT_FALSE(window.progressBar()->isHidden());
    EXPECT_EQ(window.personsBox()->text(), QStringLiteral("0 "));
    EXPECT_EQ(window.progressBar()->value(), 0);
    window.finish({});
    window.close();
}

TEST(GedcomImportWindow, ClosingWhileReadingAsksToStopAndKeepsTheWindow) {
    GedcomImportWindow window;
    window.begin(QStringLiteral("/tmp/plik.ged"));
    EXPECT_TRUE(window.showProgress(at(1, 1, 0)));
    window.reject();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.showProgress(at(2, 2, 0)));
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());

    window.finish({});
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());

    // The next import starts without the old request to stop.
    window.begin(QStringLiteral("/tmp/plik.ged"));
    EXPECT_TRUE(window.showProgress(at(1, 1, 0)));
    window.finish({});
    window.close();
}

}  // namespace
}  // namespace lineara
