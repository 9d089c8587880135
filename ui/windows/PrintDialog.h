// The print dialog: the settings of a printed page, the printer set-up, a preview, and the
// printing of one page on the printer, or into a PDF file when the machine has no printer.
#pragma once

#include "core/page/PrintSettings.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QBoxLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPrintDialog;
class QPrintPreviewDialog;
class QPrinter;
class QPushButton;
class QStatusBar;

namespace titralab {

class Notifier;
class RadioGroup;
struct Simulation;

enum class PrintOutcome {
    Printed,   // the page went to the printer or into the PDF file
    Cancelled, // no PDF file was chosen: nothing was printed
    Failed,    // the printer or the file refused the page; the notifier was told why
};

// Prints one page of `sim` with `settings`. On a printer set to print (the machine has one),
// the page goes to it; on a printer set to write PDF (always so on a machine without printers)
// it goes into the printer's output file, or, when none is set, into the file that
// `choosePdfFile` returns (empty: cancelled), with the printer's paper and orientation. A PDF
// page has 600 dots per inch. Failures go to `notifier` as error messages.
PrintOutcome printSimulationPage(const Simulation& sim, const PrintSettings& settings,
                                 QPrinter& printer, Notifier& notifier,
                                 const std::function<QString()>& choosePdfFile);

// A printer for the pages of the program: the system's default printer at high resolution, or,
// when the machine has none, PDF output on A4 with 10 mm margins at 600 dots per inch.
std::unique_ptr<QPrinter> makePagePrinter();

// Created once; its controls keep the settings from one opening to the next.
class PrintDialog : public QDialog {
    Q_OBJECT
  public:
    PrintDialog(const Simulation& sim, Notifier& notifier, QWidget* parent = nullptr);
    ~PrintDialog() override;

    // The main window's line-width field (Field::LineWidth): read into the dialog's line-width
    // field when the dialog is shown, written from it whenever it is hidden. Without a link the
    // dialog's field keeps its own text.
    struct LineWidthLink {
        std::function<QString()> read;
        std::function<void(const QString&)> write;
    };
    void setLineWidthLink(LineWidthLink link) { m_lineWidthLink = std::move(link); }
    // The line width as typed in the dialog (1/100 mm).
    QString lineWidthText() const;
    void setLineWidthText(const QString& text);

    // "&Choisir tracé points": shows the point-style chooser without closing this dialog.
    void setPointStyleHook(std::function<void()> hook) { m_pointStyle = std::move(hook); }
    // F1: opens help topic kHelpTopic.
    void setHelpHook(std::function<void(int)> hook) { m_help = std::move(hook); }
    static constexpr int kHelpTopic = 14;
    // Who names the PDF file when the printer writes PDF without a file of its own; by default
    // a save dialog. An empty name cancels the printing.
    void setPdfFileChooser(std::function<QString()> chooser) { m_choosePdf = std::move(chooser); }

    // The settings as the controls hold them, and back.
    PrintSettings settings() const;
    void setSettings(const PrintSettings& settings);

    // The dialog's line-width field receives the main window's. Separate from exec() so that
    // the prepared dialog can be checked.
    void prepare();
    // prepare(), then the dialog, modal, until the user leaves it: what the graph window's
    // "&Imprimer..." runs.
    int showModal();

    // The printer of the next page, as "Pr&opriétés imprimante" left it.
    QPrinter& printer() const { return *m_printer; }
    // The printer set-up ("Pr&opriétés imprimante"), prepared on the dialog's printer, not
    // shown; the caller owns it.
    std::unique_ptr<QPrintDialog> preparePrinterSetup();
    // The preview of the page the dialog would print, prepared, not shown; the caller owns it.
    std::unique_ptr<QPrintPreviewDialog> preparePreview();

    // One page of the simulation with the settings as they stand; the dialog stays open.
    PrintOutcome printPage();

    void printAndClose(); // "&Imprimer": the page, then the dialog closes (stays on a cancel)
    void cancel();        // "&Annuler"
    void showPrinterProperties(); // "Pr&opriétés imprimante"
    void choosePointStyle();      // "&Choisir tracé points"
    void showPreview();           // "Aperç&u avant impression"

  signals:
    // The dialog was left with other settings than it was shown with (they are saved with
    // the study).
    void settingsEdited();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    PrintSettings m_shownSettings; // as the dialog was shown
    void buildControls();
    QBoxLayout* buildSettingsColumn();
    QBoxLayout* buildPrinterColumn();
    void buildComments(QBoxLayout* outer);
    QPushButton* addButton(QBoxLayout* layout, const char* name, const QString& caption,
                           void (PrintDialog::*handler)());
    void buildMenu();
    QString choosePdfFileDefault();

    const Simulation& m_sim;
    Notifier& m_notifier;
    std::unique_ptr<QPrinter> m_printer;
    LineWidthLink m_lineWidthLink;
    std::function<void()> m_pointStyle;
    std::function<void(int)> m_help;
    std::function<QString()> m_choosePdf;
    QString m_lastPdfFolder;

    QMenuBar* m_menu{nullptr};
    QLineEdit* m_lineWidth{nullptr}; // object name "lineWidthField"
    QLineEdit* m_dashLength{nullptr};
    QLineEdit* m_charSize{nullptr};    // object name "charSizeField"
    QLineEdit* m_graduations{nullptr}; // object name "graduationsField"
    QCheckBox* m_zoom{nullptr};
    QCheckBox* m_grid{nullptr};
    QCheckBox* m_constants{nullptr};
    QCheckBox* m_colour{nullptr};
    QCheckBox* m_arrows{nullptr};
    RadioGroup* m_format{nullptr};
    QLineEdit* m_comment1{nullptr};
    QLineEdit* m_comment2{nullptr};
    QLabel* m_picture{nullptr};
    QStatusBar* m_status{nullptr};
};

} // namespace titralab
