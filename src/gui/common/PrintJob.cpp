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
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&draw, &title](QPrinter* target) {
        Guarded([&] {
            // Printed into a file: written as every export is, never over the program's own files
            // and never cut short by a full disk.
            // (The preview draws on its own engine, with the file name of an earlier print kept.)
            const QPaintEngine* engine = target->paintEngine();
            if (target->outputFormat() == QPrinter::PdfFormat && !target->outputFileName().isEmpty() && engine
                && engine->type() == QPaintEngine::Pdf) {
                WritePdf(target->outputFileName(), draw, target->pageLayout(), title, target->resolution());
                return;
            }
            PainterPrinter device(*target);
            draw(device);
        });
    });
    preview.resize(FittingSize(QSize(900, 700), parent));
    ShowModal(preview);
}
