#pragma once

#include <QString>

#include "model/document.h"
#include "shell/html_listing.h"

class QPrinter;
class QWidget;

namespace tarvo::gui {

// The name a printed listing goes by: the file's name, or the title of an untitled configuration.
QString ListingFileName(const model::ConfigurationDocument& document);

// The HTML listing of the whole configuration, dated today.
QString ListingHtml(const model::ConfigurationDocument& document, shell::ListingDetail detail);

// A4 with the listing's margins; the print dialog may change them.
void PrepareListingPrinter(QPrinter& printer);

// Lays the listing out on the pages of the printer, with the file name at the head of every page
// and "Страница N из M" at its foot. Returns the number of pages.
int PrintListing(const QString& html, const QString& fileName, QPrinter& printer);

// "Печать...": the preview of the listing at page width, from which it is printed on a printer or
// to PDF; a check box in its toolbar prints the channels and nodes not in use in full.
void RunPrintPreview(QWidget* parent, const model::ConfigurationDocument& document);

}  // namespace tarvo::gui
