#pragma once
// A printout written into a PDF file as every export is written: never into the data folder or
// the backup copy's folder, and whole or not at all. The pages are made in memory and then
// written through ExportTarget::writeWhole, so a full disk is told and never leaves a cut file.

#include <QPageLayout>
#include <QString>
#include <functional>

class PageDevice;

// Draws the printout (`draw` ends the document, or it is ended here) and writes it to `path`.
// `resolution` is the dots per inch the pages are drawn at. Throws CoreError, any earlier file as it
// was, when refused or when the file cannot be written.
void WritePdf(const QString& path, const std::function<void(PageDevice&)>& draw, const QPageLayout& layout,
              const QString& title = {}, int resolution = 1200);
