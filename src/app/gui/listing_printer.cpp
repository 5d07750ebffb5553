#include "app/gui/listing_printer.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextDocument>
#include <QToolBar>

#include "app/gui/qt_text.h"
#include "shell/html_listing.h"

namespace tarvo::gui {

namespace {

// The head and foot of a page: the file name above, the page number below, each with a rule.
void DrawPageFrame(QPainter& painter, const QRectF& area, qreal band, const QString& fileName,
                   int page, int pages) {
  painter.save();
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(8);
  painter.setFont(font);
  painter.setPen(QPen(Qt::black, 0));
  const QRectF head(area.left(), area.top(), area.width(), band * 0.7);
  painter.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, fileName);
  painter.drawLine(QPointF(area.left(), head.bottom()), QPointF(area.right(), head.bottom()));
  const QRectF foot(area.left(), area.bottom() - band * 0.7, area.width(), band * 0.7);
  painter.drawLine(QPointF(area.left(), foot.top()), QPointF(area.right(), foot.top()));
  painter.drawText(
      foot, Qt::AlignRight | Qt::AlignVCenter,
      ToQt("Страница ") + QString::number(page) + ToQt(" из ") + QString::number(pages));
  painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, fileName);
  painter.restore();
}

}  // namespace

QString ListingFileName(const model::ConfigurationDocument& document) {
  if (document.PathName().empty()) return ToQt(document.Title());
  return QFileInfo(QFile::decodeName(document.PathName().c_str())).fileName();
}

QString ListingHtml(const model::ConfigurationDocument& document, shell::ListingDetail detail) {
  const shell::ListingHeading heading{
      ListingFileName(document).toStdString(),
      QFile::decodeName(document.PathName().c_str()).toStdString(),
      QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString()};
  return ToQt(shell::HtmlListing(document.Set(), shell::ListConfigurationAndTexts(document.Set()),
                                 heading, detail));
}

void PrepareListingPrinter(QPrinter& printer) {
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(15, 12, 12, 12), QPageLayout::Millimeter);
}

int PrintListing(const QString& html, const QString& fileName, QPrinter& printer) {
  printer.setDocName(fileName);

  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  // The painter starts at the printable area's corner, in the printer's own pixels.
  const QRectF area(QPointF(0, 0),
                    printer.pageLayout().paintRectPixels(printer.resolution()).size());
  // Room for a line of 8 points and its rule, above and below the text.
  const qreal band = printer.resolution() * 8.0 / 72.0 * 2.2;

  QTextDocument document;
  document.documentLayout()->setPaintDevice(&printer);
  document.setHtml(html);
  const QSizeF body(area.width(), area.height() - 2 * band);
  document.setPageSize(body);
  const int pages = document.pageCount();

  for (int page = 0; page < pages; ++page) {
    if (page > 0) printer.newPage();
    DrawPageFrame(painter, area, band, fileName, page + 1, pages);
    painter.save();
    painter.translate(0, band - page * body.height());
    const QRectF shown(0, page * body.height(), body.width(), body.height());
    painter.setClipRect(shown);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = shown;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
  }
  painter.end();
  return pages;
}

void RunPrintPreview(QWidget* parent, const model::ConfigurationDocument& document) {
  QString html = ListingHtml(document, shell::ListingDetail::InUse);
  const QString fileName = ListingFileName(document);
  QPrinter printer(QPrinter::HighResolution);
  PrepareListingPrinter(printer);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setObjectName(QStringLiteral("printPreview"));
  preview.setWindowTitle(ToQt("Печать: ") + fileName);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&](QPrinter* target) { PrintListing(html, fileName, *target); });

  auto* previewWidget = preview.findChild<QPrintPreviewWidget*>();
  // Unused channels and nodes print as one line each unless the user asks for everything.
  auto* everything = new QCheckBox(ToQt("Все каналы и узлы полностью"), &preview);
  everything->setObjectName(QStringLiteral("printEverything"));
  everything->setAccessibleName(ToQt("Печатать неиспользуемые каналы и узлы полностью"));
  everything->setToolTip(everything->accessibleName());
  if (auto* toolBar = preview.findChild<QToolBar*>()) {
    toolBar->addSeparator();
    toolBar->addWidget(everything);
  }
  QObject::connect(everything, &QCheckBox::toggled, &preview, [&](bool on) {
    html =
        ListingHtml(document, on ? shell::ListingDetail::Everything : shell::ListingDetail::InUse);
    if (previewWidget != nullptr) previewWidget->updatePreview();
  });
  // A page as wide as the window reads without zooming; the dialog's own button says so too.
  for (QAction* action : preview.findChildren<QAction*>()) {
    if (action->objectName() == QLatin1String("fitWidthAction")) action->trigger();
  }
  preview.exec();
}

}  // namespace tarvo::gui
