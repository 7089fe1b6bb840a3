#pragma once
// The page device of the program on a QPainter over a QPrinter. One printer unit is 1/300 inch
// whatever the resolution of the printer (a painter transform), measured from the top left
// corner of the printable area. Arial and Courier are matched by Liberation Sans and Liberation
// Mono, whose letters have the same widths.

#include "printing/Printer.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <memory>

class PainterPrinter : public PageDevice {
public:
    static constexpr int UnitsPerInch = 300;

    // The printer must outlive the device; it is set up (printer, file, page size) by the caller.
    explicit PainterPrinter(QPrinter& printer);
    // Any paged device (a PDF made in memory); `where` names it in a refusal.
    PainterPrinter(QPagedPaintDevice& device, const QString& where);
    ~PainterPrinter() override;

    void begin() override;
    void setFont(const QString& family, int pointSize, bool bold = false) override;
    void text(int x, int y, const QString& text) override;
    void picture(int x, int y, int width, int height, const QByteArray& png) override;
    void newPage() override;
    void end() override;
    int pageWidth() const override;
    int pageHeight() const override;

    // The family that stands for a documented one on this system.
    static QString matchedFamily(const QString& family);

private:
    double scale() const;

    QPagedPaintDevice& m_device;
    QString m_where;
    QPainter m_painter;
};

// The page of a PDF file: A4, margins of a usual printer (5 mm).
QPageLayout PdfPageLayout(QPageLayout::Orientation orientation = QPageLayout::Portrait);

// A printer that writes a PDF file straight (tests): A4, high resolution, margins of 5 mm. The
// program writes its PDF files through WritePdf (PdfFile.h), which checks the file was written.
std::unique_ptr<QPrinter> PdfPrinter(const QString& fileName);
