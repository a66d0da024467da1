// HtmlReportWindow's "&Generuj!": the checks before a generation, the
// generation itself from the tree as it is in memory, and what the user is
// told afterwards.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "gui/common/busy_cursor.h"
#include "gui/common/outside_files_question.h"
#include "gui/reports/html_report_window.h"
#include "gui/reports/presentation_created_dialog.h"
#include "render/reports/html_generation.h"

namespace lineara {

namespace {

const char kExportError[] = QT_TRANSLATE_NOOP(
    "lineara::HtmlReportWindow",
    "An error occured while exporting to HTML. Please check that you have enough disk space "
    "available and try again.");
const char kScreenDepthWarning[] = QT_TRANSLATE_NOOP(
    "lineara::HtmlReportWindow",
    "It is highly recommended that you set the amount of colors on your screen to 16 bit or "
    "higher prior to exporting to HTML. This will give the best results when using pictures.");
constexpr int kLeftOutListed = 20;

QString fromLocal(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

// Shows the generation's progress in the window and lets the window answer
// while it runs: pending events run at most every 20 ms, which keeps the
// text and bar moving and the Stop button working without costing the loop
// its speed.
class HtmlReportWindow::Progress : public HtmlProgress {
public:
    explicit Progress(HtmlReportWindow& window) : window_(window) { sinceEvents_.start(); }
    void text(const std::string& codePageText) override {
        window_.setProgressText(window_.ctx_.codec.decode(codePageText));
        runEvents();
    }
    void step() override {
        window_.progressBar_->setValue(window_.progressBar_->value() + 1);
        runEvents();
    }
    bool cancelled() override { return window_.cancelRequested_; }

private:
    void runEvents() {
        if (sinceEvents_.elapsed() < 20) return;
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }

    HtmlReportWindow& window_;
    QElapsedTimer sinceEvents_;
};

QString HtmlReportWindow::treeFolder() const {
    const QString tree = hooks_.treeFileName ? hooks_.treeFileName() : QString();
    return tree.isEmpty() ? QDir::currentPath() : QFileInfo(tree).absolutePath();
}

HtmlJob HtmlReportWindow::jobFor(const QString& treeFolder) const {
    HtmlJob job = htmlJobFor(ctx_.codec);
    job.settings = settings_;
    job.treeFolder = QFile::encodeName(treeFolder).toStdString();
    job.outputFolder = QFile::encodeName(outputFolder_).toStdString();
    job.personCount = hooks_.personCount ? hooks_.personCount() : 0;
    return job;
}

bool HtmlReportWindow::decideOutsideFiles(HtmlJob& job) {
    const QString folder = fromLocal(job.treeFolder);
    const std::vector<OutsideFile> outside = treeFilesOutside(list_, ctx_.codec, folder);
    if (outside.empty()) return true;
    const Answer answer =
        askAboutOutsideFiles(*ctx_.ui, outside, folder, tr("publish them in the pages"));
    job.allowOutside = answer == Answer::Yes;
    return answer != Answer::Cancel;
}

// The notes and pictures the pages lack, in one message. Files the user
// chose to leave out (outside the tree's folder) are not told again.
void HtmlReportWindow::reportLeftOut(const HtmlJob& job) {
    QStringList lines;
    int more = 0;
    for (const HtmlLeftOut& left : lastResult_.leftOut) {
        if (left.problem == NamedFileProblem::Outside && !job.allowOutside) continue;
        if (lines.size() == kLeftOutListed) {
            ++more;
            continue;
        }
        lines << ctx_.codec.decode(left.names).trimmed() + QStringLiteral(": ") +
                     fromLocal(left.path) + QStringLiteral(" (") +
                     QLatin1String(namedFileProblemText(left.problem)) + QLatin1Char(')');
    }
    if (lines.isEmpty()) return;
    if (more > 0) lines << tr("... and %1 more").arg(more);
    ctx_.ui->inform(QStringLiteral("Lineara"),
                    tr("These files were left out of the pages (names are looked "
                       "for in %1):\n\n")
                            .arg(QDir::toNativeSeparators(fromLocal(job.treeFolder))) +
                        lines.join(QLatin1Char('\n')),
                    MessageIcon::Warning);
}

void HtmlReportWindow::generate() {
    if (generating_) return;
    if (qualityCheck_->isEnabled()) {
        setProgressText(tr("Performing Quality Check..."));
        const int problems = hooks_.qualityCheck ? hooks_.qualityCheck() : 0;
        setProgressText(tr("Quality Check Result: %1 error(s)").arg(problems));
        if (problems > 0) {
            if (ctx_.ui->askOkIgnore(tr("Error"),
                                     tr("Quality check failed. Press OK to see the "
                                        "details"),
                                     MessageIcon::Error)) {
                if (hooks_.showQualityCheck) hooks_.showQualityCheck();
                return;
            }
        }
    }
    const int depth = hooks_.screenDepth ? hooks_.screenDepth() : 24;
    if (depth < 16 &&
        ctx_.ui->askOkIgnore(tr("Information"), tr(kScreenDepthWarning), MessageIcon::Information))
        return;
    const GifDither dither = depth == 16 ? GifDither::Nearest : GifDither::FloydSteinberg;

    enablePages(false);
    if (list_.personListHead() == nullptr) {
        ctx_.ui->inform(tr("No files created"), tr("The genealogy tree is empty"),
                        MessageIcon::Information);
        enablePages(true);
        return;
    }
    // The pages are made from the tree in memory; the tree file is written
    // only by the user's own save. Relative names of pictures and notes
    // start from the tree file's folder, as the person editor finds them.
    HtmlJob job = jobFor(treeFolder());
    if (!decideOutsideFiles(job)) {
        enablePages(true);
        return;
    }
    progressBar_->setMaximum(std::max(1, hooks_.itemCount ? hooks_.itemCount() : 0));
    progressBar_->setValue(0);

    generating_ = true;
    cancelRequested_ = false;
    closeAfterCancel_ = false;
    stop_->show();
    Progress progress(*this);
    {
        BusyCursor busy;
        lastResult_ = generateHtml(
            list_, job, ctx_.codec, dither,
            [this](const QString& message) {
                ctx_.ui->inform(QStringLiteral("Lineara"), message, MessageIcon::Warning);
            },
            &progress);
    }
    generating_ = false;
    stop_->hide();
    enablePages(true);
    switch (lastResult_.status) {
    case HtmlResult::Status::Done:
        reportLeftOut(job);
        presentationCreated_->setOutputFolder(outputFolder_);
        runDialog(*presentationCreated_);
        close();
        return;
    case HtmlResult::Status::EmptyTree:
        ctx_.ui->inform(tr("No files created"), tr("The genealogy tree is empty"),
                        MessageIcon::Information);
        return;
    case HtmlResult::Status::Cancelled:
        setProgressText(tr("Stopped: %1 files written.").arg(lastResult_.filesWritten));
        if (closeAfterCancel_) done(QDialog::Rejected);
        return;
    case HtmlResult::Status::Failed: {
        // The message says what usually goes wrong; below it, what did.
        QString text = tr(kExportError);
        if (!lastResult_.error.empty())
            text += QStringLiteral("\n\n") + QString::fromStdString(lastResult_.error);
        ctx_.ui->inform(tr("Error"), text, MessageIcon::Error);
        return;
    }
    }
}

}  // namespace lineara
