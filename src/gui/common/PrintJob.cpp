#include "PrintJob.h"

#include "Guarded.h"
#include "ModalWindows.h"
#include "PainterPrinter.h"
#include "ScreenFit.h"

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
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&draw](QPrinter* target) {
        Guarded([&] {
            PainterPrinter device(*target);
            draw(device);
        });
    });
    preview.resize(FittingSize(QSize(900, 700), parent));
    ShowModal(preview);
}
