#include "PrintJob.h"

#include "Guarded.h"
#include "ModalWindows.h"
#include "PainterPrinter.h"
#include "PdfFile.h"
#include "ScreenFit.h"

#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {
PrintHook& hook()
{
    static PrintHook installed;
    return installed;
}
}

void SetPrintHook(PrintHook h)
{
    hook() = std::move(h);
}

void PrintOn(QPrinter& printer, const QString& title, const Drawing& draw)
{
    Guarded([&] {
        // Printed into a file: written as every export is, never over the program's own files
        // and never cut short by a full disk. (The preview draws on an engine of its own, and
        // keeps the file name of an earlier print.)
        const QPaintEngine* engine = printer.paintEngine();
        if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() && engine
            && engine->type() == QPaintEngine::Pdf) {
            WritePdf(printer.outputFileName(), draw, printer.pageLayout(), title, printer.resolution());
            return;
        }
        PainterPrinter device(printer);
        draw(device);
    });
}

void PrintDocument(QWidget* parent, const QString& title, const Drawing& draw, QPageLayout::Orientation orientation)
{
    if (hook()) {
        hook()(title, draw);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageOrientation(orientation);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&draw, &title](QPrinter* target) { PrintOn(*target, title, draw); });
    preview.resize(FittingSize(QSize(900, 700), parent));
    ShowModal(preview);
}
