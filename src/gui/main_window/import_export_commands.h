// GEDCOM export and import and the import of the two older tree formats,
// from the File menu. The formats live in core/gedcom and core/formats;
// here they meet the dialogs, the import window, the cursor and the view.
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QSize>

#include "core/model/document.h"
#include "core/settings/settings.h"
#include "core/view/view_state.h"
#include "gui/common/file_proposals.h"
#include "gui/platform/user_interaction.h"
#include "render/platform/record_codec.h"

namespace lineara {

class GedcomImportWindow;

class ImportExportEnvironment {
public:
    virtual ~ImportExportEnvironment() = default;
    virtual Document& document() = 0;
    virtual ViewState& view() = 0;
    virtual QSize windowSize() const = 0;
    virtual UserInteraction& ui() = 0;
    virtual const AppSettings& settings() const = 0;
    virtual const RecordCodec& codec() const = 0;
    // The folders the file dialogs offer; none: the dialogs' own choice.
    virtual FileProposals* fileProposals() = 0;
    // Asks to save a modified tree; false when the user stopped.
    virtual bool checkModified() = 0;
    virtual void repaintTree() = 0;
    virtual void showError(const QString& message) = 0;
};

class ImportExportCommands {
    Q_DECLARE_TR_FUNCTIONS(ImportExportCommands)

public:
    explicit ImportExportCommands(ImportExportEnvironment& env) : env_(env) {}

    // "&Eksportuj do pliku GEDCOM".
    void exportGedcom();
    // "&Importuj plik GEDCOM", shown in the import window the program made.
    void importGedcom();
    void setGedcomImportWindow(GedcomImportWindow* window);
    // "Import version 1.&0" and "Import version 1.&5.x".
    void importVersion10();
    void importVersion15();
    // "Eksportuj obraz drzewa...": the tree as one SVG, PDF or PNG picture.
    void exportTreeImage();

private:
    struct LegacyFormat;
    void importLegacyTree(const LegacyFormat& format);
    // The export in GEDCOM 7, a GEDZIP for a .gdz name.
    void exportGedcom7(const QString& path);
    // The current person at 100 %, or a plain repaint without one.
    void showCurrentPerson();
    // The scale of a PNG picture, asked with the last one offered; none
    // when the user cancels.
    std::optional<int> askPictureScale();

    ImportExportEnvironment& env_;
    QPointer<GedcomImportWindow> importWindow_;
    int pictureScale_ = 100;
};

}  // namespace lineara
