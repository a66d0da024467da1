// "Eksportuj obraz drzewa...": the whole tree, or the selected persons, as
// one picture (SVG, PDF or PNG by the name's extension), with the colour
// code the canvas shows. SVG and PDF are drawn at the canvas's full size
// (they are sharp at any size); a PNG at the scale the user gives.
#include <QFile>
#include <QProgressDialog>

#include "gui/common/busy_cursor.h"
#include "gui/main_window/import_export_commands.h"

#include "gui/common/file_proposals.h"
#include "render/tree_image/tree_image_file.h"

namespace lineara {

namespace {

// Large trees take seconds: the progress, with Cancel, shows after this.
constexpr int kProgressDelayMs = 500;

}  // namespace

void ImportExportCommands::exportTreeImage() {
    Document& doc = env_.document();
    FileDialogOptions dialog;
    dialog.title = tr("Eksportuj obraz drzewa");
    dialog.filter = tr("Obraz SVG (*.svg);;Dokument PDF (*.pdf);;Obraz PNG (*.png)");
    dialog.defaultSuffix = QStringLiteral("svg");
    dialog.confirmOverwrite = true;
    FileProposals* proposals = env_.fileProposals();
    if (proposals != nullptr) {
        dialog.initialPath =
            proposals->proposal(FileKind::Picture, doc.currentFileName(), dialog.defaultSuffix);
    }
    const QString path = env_.ui().chooseSaveFile(dialog);
    if (path.isEmpty()) return;
    if (proposals != nullptr) proposals->remember(FileKind::Picture, path);
    const std::string file = QFile::encodeName(path).toStdString();
    const std::optional<TreeImageFormat> format = treeImageFormatOf(file);
    if (!format) {
        env_.showError(tr("Obraz drzewa zapisuje się jako plik SVG, PDF lub PNG."));
        return;
    }
    TreeImageRequest request;
    request.colourCode = env_.view().colourCode;
    request.paint.fontName = QString::fromStdString(env_.settings().screenFontName);
    request.paint.fontSize = env_.settings().screenFontSize;
    if (doc.persons().selection().size() > 1) {
        request.selectedOnly = env_.ui().askYesNo(tr("Eksportuj obraz drzewa"),
                                                  tr("Czy zapisać tylko zaznaczone osoby?"));
    }

    if (*format == TreeImageFormat::Png) {
        const std::optional<int> scale = askPictureScale();
        if (!scale) return;
        request.scalePercent = *scale;
    }

    // Only the highlight of the current person and the selection is put
    // aside while the picture is drawn, and put back after; the tree itself
    // is not changed. The progress window keeps the user away from the
    // tree meanwhile.
    PersonList& persons = const_cast<PersonList&>(doc.persons());
    auto draw = [&] {
        QProgressDialog progress(tr("Rysowanie obrazu drzewa..."), tr("Anuluj"), 0, 1);
        progress.setWindowTitle(tr("Eksportuj obraz drzewa"));
        progress.setWindowModality(Qt::ApplicationModal);
        progress.setMinimumDuration(kProgressDelayMs);
        progress.setAutoReset(false);
        progress.setValue(0);
        const TreeImageProgress step = [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            return !progress.wasCanceled();
        };
        BusyCursor busy;
        return writeTreeImage(file, *format, persons, request, env_.codec(), step);
    };
    TreeImageResult result = draw();
    const QString tooLarge =
        tr("Obraz miałby %1 x %2 pikseli. Plik PNG może mieć najwyżej %3 pikseli "
           "w każdą stronę i %4 pikseli w sumie (1 GiB pamięci).")
            .arg(result.width)
            .arg(result.height)
            .arg(kMaxPngSide)
            .arg(kMaxPngPixels);
    if (result.outcome == TreeImageResult::TooLarge) {
        // Offered the largest scale that fits rather than only refused.
        const std::optional<int> fits = largestPngScale(persons, request);
        if (fits && env_.ui().askYesNo(
                        tr("Eksportuj obraz drzewa"),
                        tooLarge + QLatin1Char(' ') + tr("Zapisać go w skali %1 %?").arg(*fits))) {
            request.scalePercent = *fits;
            pictureScale_ = *fits;
            result = draw();
        } else if (fits) {
            result.outcome = TreeImageResult::Cancelled;
        }
    }
    env_.repaintTree();
    switch (result.outcome) {
    case TreeImageResult::Written:
        if (result.pdfScaledTo > 0) {
            env_.ui().inform(tr("Eksportuj obraz drzewa"),
                             tr("Drzewo jest większe niż największa strona PDF (200 cali): "
                                "zostało narysowane w skali %1 %.")
                                 .arg(result.pdfScaledTo, 0, 'f', 1));
        }
        break;
    case TreeImageResult::NothingToDraw:
        env_.showError(tr("Drzewo jest puste: nie ma czego narysować."));
        break;
    case TreeImageResult::TooLarge:
        env_.showError(tooLarge + QLatin1Char(' ') + tr("Zapisz obraz jako SVG lub PDF."));
        break;
    case TreeImageResult::Cancelled:
        break;
    case TreeImageResult::Failed:
        env_.showError(QString::fromStdString(result.error));
        break;
    }
}

std::optional<int> ImportExportCommands::askPictureScale() {
    const QString prompt = tr("Skala obrazu PNG w procentach (od %1 do %2):")
                               .arg(kMinTreeImageScale)
                               .arg(kMaxTreeImageScale);
    QString text = QString::number(pictureScale_);
    for (;;) {
        const std::optional<QString> answer =
            env_.ui().askText(tr("Eksportuj obraz drzewa"), prompt, text);
        if (!answer) return std::nullopt;
        text = answer->trimmed();
        if (text.endsWith(QLatin1Char('%'))) text = text.chopped(1).trimmed();
        bool ok = false;
        const int scale = text.toInt(&ok);
        if (ok && scale >= kMinTreeImageScale && scale <= kMaxTreeImageScale) {
            pictureScale_ = scale;
            return scale;
        }
        env_.showError(tr("Skala musi być liczbą całkowitą od %1 do %2.")
                           .arg(kMinTreeImageScale)
                           .arg(kMaxTreeImageScale));
    }
}

}  // namespace lineara
