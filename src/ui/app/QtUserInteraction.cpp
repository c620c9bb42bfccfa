// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/QtUserInteraction.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include "core/app/SaveSequences.h"
#include "core/app/Settings.h"
#include "core/files/SafeFile.h"
#include "ui/app/DialogFrame.h"
#include "ui/app/HelpWindow.h"
#include "ui/dialogs/CSampleRateDlg.h"
#include "ui/dialogs/CYAxisDlg.h"
#include "ui/print/ReportPainter.h"
#include "ui/survey/CGridShapeDlg.h"
#include "ui/survey/CReportDetailsDlg.h"
#include "ui/survey/CRequirementDlg.h"

namespace km905 {

namespace {
// The program's boxes are plain: its text and buttons, no icon.
int plainMessageBox(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("KM905"), text, buttons, parent);
    fitCaption(&box);
    return box.exec();
}
}  // namespace

void QtUserInteraction::showMessage(const QString& text) {
    plainMessageBox(m_parent, text, QMessageBox::Ok);
}

bool QtUserInteraction::askYesNo(const QString& text) {
    return plainMessageBox(m_parent, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

namespace {
std::optional<QString> runDialog(QWidget* parent, const FileDialogRequest& r,
                                 QFileDialog::AcceptMode mode) {
    QFileDialog d(parent, QString(), r.folder + QLatin1Char('/') + r.proposedName, r.filter);
    d.setAcceptMode(mode);
    // The extension and the replace question are the core's: the dialog would take the
    // seconds of a proposed name such as "12-08-26 06.40.03" for an extension.
    d.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                  : QFileDialog::ExistingFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
    return d.selectedFiles().first();
}
}  // namespace

std::optional<QString> QtUserInteraction::saveFileName(const FileDialogRequest& r) {
    return runDialog(m_parent, r, QFileDialog::AcceptSave);
}

std::optional<QString> QtUserInteraction::openFileName(const FileDialogRequest& r) {
    return runDialog(m_parent, r, QFileDialog::AcceptOpen);
}

void QtUserInteraction::setWaitCursor(bool on) {
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

std::optional<int> QtUserInteraction::askSampleRate(int initialSecs) {
    CSampleRateDlg d(initialSecs, *this, m_parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.m_rateSecs;
}

std::optional<YAxisChoice> QtUserInteraction::askYAxis(int gainSel, int offsetSel) {
    CYAxisDlg d(gainSel, offsetSel, m_parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return YAxisChoice{d.m_gainSel, d.m_offsetSel};
}

// Printing to a file: the PDF is made here, titled after its content and written as every
// file of the program is, whole or not at all.
bool QtUserInteraction::printToPdf(const QString& path, const QPageLayout& layout, int resolution,
                                   const std::vector<ReportPage>& pages) {
    const std::optional<QByteArray> pdf = reportPdf(pages, layout, resolution);
    if (!pdf) {
        showMessage(printFailureText(PrintOutcome::DocumentFailed));
        return false;
    }
    if (const WriteResult written = writeFilesTogether({{path, *pdf}}); !written) {
        showMessage(saveFailedText(written.reason));
        return false;
    }
    return true;
}

bool QtUserInteraction::printReport(const std::vector<ReportPage>& pages) {
    if (pages.empty()) return false;
    QPrinter printer(QPrinter::HighResolution);
    // The dialog proposes its PDF in the current folder, named after the document: the data
    // folder and the name Save would give, for the time the dialog is up.
    const QString wasCurrent = QDir::currentPath();
    QDir::setCurrent(Settings::dataFolder());
    // Its own extension keeps the dialog from taking the seconds of "12-08-26 09.30.00" for one.
    printer.setDocName(pages.front().proposedName.isEmpty()
                           ? pages.front().documentName
                           : pages.front().proposedName + QStringLiteral(".pdf"));
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    // The print-to-file route stays: on a machine without a printer it is the only one.
    const int answer = dialog.exec();
    QDir::setCurrent(wasCurrent);
    if (answer != QDialog::Accepted) return false;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return printToPdf(printer.outputFileName(), printer.pageLayout(), printer.resolution(),
                          pages);
    printer.setDocName(pages.front().documentName);
    const PrintOutcome outcome =
        printer.isValid() ? paintReport(printer, pages) : PrintOutcome::NoPrinter;
    if (outcome == PrintOutcome::PageFailed) printer.abort();
    if (const QString text = printFailureText(outcome); !text.isEmpty()) showMessage(text);
    return outcome == PrintOutcome::Printed;
}

std::optional<GridShape> QtUserInteraction::askGridShape(const GridShape& initial) {
    CGridShapeDlg d(initial, m_parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.shape();
}

std::optional<ReportDetails> QtUserInteraction::askReportDetails(const ReportDetails& initial) {
    CReportDetailsDlg d(initial, m_parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.details();
}

std::optional<RequirementAnswer> QtUserInteraction::askRequirement(const RequirementQuestion& q) {
    CRequirementDlg d(q, m_parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.answer();
}

void QtUserInteraction::openHelp(const QString& path) {
    if (path.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive)) {
        // The viewer reports a missing file itself.
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        return;
    }
    // The shipped pages are shown inside the program: no browser needs to be registered.
    if (m_help) {
        m_help->raise();
        m_help->activateWindow();
        return;
    }
    m_help = new HelpWindow(path, m_parent);
    m_help->show();
}

}  // namespace km905
