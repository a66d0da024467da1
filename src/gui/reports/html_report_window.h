// HtmlReportWindow, "Stwórz prezentację HTML": the folder, the content and the
// look of the HTML presentation, and the generation itself. Made once at
// start; its settings persist in the settings store and are written back
// every time it closes.
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>

#include "core/model/person_list.h"
#include "core/reports/html_presentation.h"
#include "gui/common/app_context.h"
#include "render/reports/gif_writer.h"

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTreeView;

namespace lineara {

class PresentationCreatedDialog;
class BackgroundDialog;
class BackgroundArea;

class HtmlReportWindow : public QDialog {
    Q_OBJECT
public:
    // What the window needs of the rest of the program.
    struct Hooks {
        std::function<int()> qualityCheck;       // the quality check: the number of problems
        std::function<void()> showQualityCheck;  // the quality check window
        std::function<QString()> treeFileName;   // currentFileName
        std::function<int()> personCount;        // of the last paint
        std::function<int()> itemCount;
        std::function<int()> screenDepth;  // bits per pixel
    };

    HtmlReportWindow(AppContext& ctx, const PersonList& list, Hooks hooks,
                     QWidget* parent = nullptr);
    ~HtmlReportWindow() override;

    // --- page "Generuj HTML" ---
    QString outputFolder() const { return outputFolder_; }
    void setOutputFolder(const QString& folder);
    QString estimateText() const;
    QString progressText() const;
    // "&Nowy folder", "&Sprawdź jakość" and "&Generuj!".
    void makeNewFolder();
    void runQualityCheck();
    void generate();
    bool qualityCheckEnabled() const;
    bool pagesEnabled() const;
    bool generating() const { return generating_; }
    // Shown while a generation runs; stops it at the next person, as
    // Escape and closing the window do.
    QPushButton* stopButton() const { return stop_; }
    const HtmlResult& lastResult() const { return lastResult_; }

    // --- the settings the controls hold ---
    const HtmlSettings& settings() const { return settings_; }
    void setFrames(bool on);
    void setSiblings(bool on);
    void setCharsetEntry(const QString& entry);

    // --- page "Wygląd projektu" ---
    // The clickable parts of the page preview.
    enum class Part {
        Page,
        LinksHeader,
        LinksBody,
        LinksFrame,
        TextSample,
        LinkSample,
        VisitedSample,
        ActiveSample,
        HeaderSample
    };
    void clickPart(Part part);
    // "Kolor okienka", "Kolor ramki" and "Czcionka".
    void chooseBoxColour();
    void chooseFrameColour();
    void chooseBoxFont();
    // Redraws the box preview from the head of the tree.
    void drawBoxPreview();
    QImage boxPreview() const { return boxPreview_; }
    QColor linksFramePreviewColour() const { return linksFrameColour_; }

    PresentationCreatedDialog* presentationCreated() const { return presentationCreated_; }
    BackgroundDialog* backgroundDialog() const { return backgroundDialog_; }
    // How the window runs its modal dialogs (BackgroundDialog, PresentationCreatedDialog); tests
    // replace exec().
    using DialogRunner = std::function<int(QDialog&)>;
    void setDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Progress;

    QWidget* buildGeneratePage();
    QWidget* buildContentPage();
    QWidget* buildDesignPage();
    void selectDrive(int index);
    void enablePages(bool on);
    void setProgressText(const QString& text);
    void chooseAreaBackground(Part part);
    void chooseSampleColour(Part part);
    void showDesignColours();
    int runDialog(QDialog& dialog);
    HtmlJob jobFor(const QString& treeFolder) const;
    // The folder the tree's relative file names start from.
    QString treeFolder() const;
    // Asks about files outside the tree's folder; false when the user
    // cancels.
    bool decideOutsideFiles(HtmlJob& job);
    void reportLeftOut(const HtmlJob& job);

    AppContext& ctx_;
    const PersonList& list_;
    Hooks hooks_;
    HtmlSettings settings_;
    DialogRunner dialogRunner_;
    HtmlResult lastResult_;
    bool generating_ = false;
    bool cancelRequested_ = false;
    bool closeAfterCancel_ = false;  // the window was closed while generating
    QString outputFolder_;
    QImage boxPreview_;
    QColor linksFrameColour_{Qt::black};
    // The pictures of the three areas, as loaded for the preview.
    QImage areaPictures_[3];

    QTabWidget* pages_ = nullptr;
    QComboBox* drives_ = nullptr;
    QTreeView* folders_ = nullptr;
    QFileSystemModel* folderModel_ = nullptr;
    QLabel* location_ = nullptr;
    QLabel* estimate_ = nullptr;
    QPushButton* qualityCheck_ = nullptr;
    QLabel* progressText_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* stop_ = nullptr;
    QCheckBox* frames_ = nullptr;
    QCheckBox* siblings_ = nullptr;
    QComboBox* charset_ = nullptr;
    BackgroundArea* pageArea_ = nullptr;
    BackgroundArea* headerArea_ = nullptr;
    BackgroundArea* bodyArea_ = nullptr;
    QWidget* linksFrame_ = nullptr;
    QLabel* samples_[5] = {};       // text, link, visited, active, header ("l i n k s")
    QLabel* innerSamples_[4] = {};  // the copies inside the links box
    QLabel* boxPreviewLabel_ = nullptr;
    PresentationCreatedDialog* presentationCreated_ = nullptr;
    BackgroundDialog* backgroundDialog_ = nullptr;
};

}  // namespace lineara
