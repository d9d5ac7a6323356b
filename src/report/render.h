#pragma once

#include "report/page.h"

class QPainter;
class QPrinter;
class QPrintPreviewDialog;
class QWidget;

/// Painting the page model: on any painter, on the printer, into a PDF file, in the preview.
namespace report {

/// Paints a page on a painter whose origin is the paper's top left corner and whose device
/// has the given resolution in dots per inch.
void paintPage(QPainter& painter, const Page& page, double dpiX, double dpiY);

/// Sets the printer to the document's paper, whole sheet addressable, and paints every page.
void print(const Document& document, QPrinter& printer);

/// Writes the document as a PDF file at 1200 dpi; false when the file cannot be written.
bool writePdf(const Document& document, const QString& path);

/// Makes a preview dialog show the document: titled with the document's title, its printer
/// set to the document's paper, its pages painted whenever the dialog asks. The document must
/// outlive the dialog.
void preparePreview(QPrintPreviewDialog& dialog, const Document& document);

/// Shows the document's print preview modally; the user prints or saves a PDF from there.
void preview(const Document& document, QWidget* parent = nullptr);

} // namespace report
