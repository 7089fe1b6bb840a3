#pragma once
// Printing from a window: the printout is shown in a print preview, from which the keeper prints
// through the system print dialog on paper or into a PDF file (written as every export: see
// PdfFile.h). Tests replace the printer.

#include <QPageLayout>
#include <QString>
#include <functional>

class PageDevice;
class QPrinter;
class QWidget;

using Drawing = std::function<void(PageDevice&)>;

// A wide printout asks for a landscape page; the keeper can still turn it in the preview.
void PrintDocument(QWidget* parent, const QString& title, const Drawing& draw,
                   QPageLayout::Orientation orientation = QPageLayout::Portrait);

// Draws the printout on the printer the preview hands over: its pages on screen, on paper, or a
// PDF file written as every export is (PdfFile.h). An error is shown in an error box.
void PrintOn(QPrinter& printer, const QString& title, const Drawing& draw);

// Tests: the hook receives the printout instead of the preview; an empty hook goes back to it.
using PrintHook = std::function<void(const QString& title, const Drawing& draw)>;
void SetPrintHook(PrintHook hook);
