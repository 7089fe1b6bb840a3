#include "PdfFile.h"

#include "PainterPrinter.h"
#include "data/CoreError.h"
#include "data/ExportTarget.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>

void WritePdf(const QString& path, const std::function<void(PageDevice&)>& draw, const QPageLayout& layout,
              const QString& title, int resolution)
{
    // Refused before the pages are drawn.
    ExportTarget::check(path);
    QBuffer pages;
    pages.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pages);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Ravelha"));
        PainterPrinter device(writer, QDir::toNativeSeparators(path));
        draw(device);
        device.end();
    }
    if (pages.data().isEmpty())
        throw CoreError(QStringLiteral("O arquivo %1 não foi gravado: a impressão não gerou nenhuma página.")
                            .arg(QDir::toNativeSeparators(path)));
    ExportTarget::writeWhole(path, pages.data());
}
