#include "PainterPrinter.h"

#include "data/CoreError.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>

PainterPrinter::PainterPrinter(QPrinter& printer)
    : PainterPrinter(printer, printer.outputFileName().isEmpty() ? printer.printerName()
                                                                 : QDir::toNativeSeparators(printer.outputFileName()))
{
}

PainterPrinter::PainterPrinter(QPagedPaintDevice& device, const QString& where) : m_device(device), m_where(where) {}

PainterPrinter::~PainterPrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

QString PainterPrinter::matchedFamily(const QString& family)
{
    const QString f = family.trimmed().toLower();
    if (f == QStringLiteral("courier") || f == QStringLiteral("courier new"))
        return QStringLiteral("Liberation Mono");
    if (f == QStringLiteral("arial"))
        return QStringLiteral("Liberation Sans");
    if (f == QStringLiteral("times new roman") || f == QStringLiteral("times"))
        return QStringLiteral("Liberation Serif");
    return family;
}

double PainterPrinter::scale() const
{
    return double(m_device.logicalDpiY()) / UnitsPerInch;
}

void PainterPrinter::begin()
{
    if (!m_painter.begin(&m_device))
        throw CoreError(QStringLiteral("Não foi possível começar a impressão em \"%1\".").arg(m_where));
    m_painter.scale(scale(), scale());
}

void PainterPrinter::setFont(const QString& family, int pointSize, bool bold)
{
    QFont font(matchedFamily(family));
    font.setStyleHint(family.contains(QStringLiteral("Courier"), Qt::CaseInsensitive) ? QFont::TypeWriter
                                                                                      : QFont::SansSerif);
    // The font is resolved against the printer's resolution and then scaled by the transform:
    // its size is given so that both together make `pointSize` points.
    font.setPointSizeF(pointSize * double(UnitsPerInch) / m_device.logicalDpiY());
    font.setBold(bold);
    m_painter.setFont(font);
}

void PainterPrinter::text(int x, int y, const QString& text)
{
    const QRectF place(x, y, pageWidth() * 4.0, pageHeight() * 4.0);
    m_painter.drawText(place, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void PainterPrinter::picture(int x, int y, int width, int height, const QByteArray& png)
{
    QImage image;
    if (!image.loadFromData(png, "PNG"))
        throw CoreError(QStringLiteral("A figura a imprimir está danificada."));
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(QRect(x, y, width, height), image);
    m_painter.restore();
}

void PainterPrinter::newPage()
{
    if (!m_device.newPage())
        throw CoreError(QStringLiteral("A impressora recusou uma nova página."));
}

void PainterPrinter::end()
{
    if (m_painter.isActive() && !m_painter.end())
        throw CoreError(QStringLiteral("A impressão não pôde ser concluída."));
}

int PainterPrinter::pageWidth() const
{
    return int(m_device.pageLayout().paintRectPixels(UnitsPerInch).width());
}

int PainterPrinter::pageHeight() const
{
    return int(m_device.pageLayout().paintRectPixels(UnitsPerInch).height());
}

std::unique_ptr<QPrinter> PdfPrinter(const QString& fileName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(fileName);
    printer->setPageLayout(PdfPageLayout());
    return printer;
}

QPageLayout PdfPageLayout(QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}
