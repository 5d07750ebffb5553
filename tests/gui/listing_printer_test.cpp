#include "app/gui/listing_printer.h"

#include <gtest/gtest.h>

#include <optional>

#include <QAction>
#include <QCheckBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "gui/modal.h"
#include "gui/window_test.h"

namespace tarvo::gui {
namespace {

// What a poppler tool prints, or nothing when it is not installed.
std::optional<QString> Poppler(const QString& tool, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(tool).isEmpty()) return std::nullopt;
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

class ListingPrinterTest : public WindowTest {};

TEST_F(ListingPrinterTest, PrintsA4PagesWithTheFileNameAndPageNumberOnEach) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
    GTEST_SKIP() << "pdftotext (poppler-utils, scripts/install-deps.sh) is not installed";
  }
  // Twenty channels and sixteen nodes of ЛУР-У: many pages.
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(MakeFile("station-7.par", 0x50))));
  const QString pdf = QString::fromStdString(PathOf("listing.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  PrepareListingPrinter(printer);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  const int pages = PrintListing(ListingHtml(window->Document(), shell::ListingDetail::Everything),
                                 ListingFileName(window->Document()), printer);
  EXPECT_GT(pages, 10);

  const QString info = Poppler(QStringLiteral("pdfinfo"), {pdf}).value_or(QString());
  const auto pageCount = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)\n")).match(info);
  ASSERT_TRUE(pageCount.hasMatch()) << info.toStdString();
  EXPECT_EQ(pageCount.captured(1).toInt(), pages);
  EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
  for (int page = 1; page <= pages; ++page) {
    const QString text =
        *Poppler(QStringLiteral("pdftotext"),
                 {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                  QString::number(page), QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("station-7.par"))) << page;
    EXPECT_TRUE(text.contains(QStringLiteral("Страница %1 из %2").arg(page).arg(pages)))
        << page << text.toStdString();
  }
  const QString all = *Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  for (const char* shown :
       {"Общесистемные параметры", "Канал учета 20", "Узел учета 16", "K2000"}) {
    EXPECT_TRUE(all.contains(QString::fromUtf8(shown))) << shown;
  }
}

// A new ЛУР-У uses none of its twenty channels and sixteen nodes: each prints as one line.
TEST_F(ListingPrinterTest, CtrlPPreviewsAtPageWidthWithUnusedChannelsAndNodesAsOneLineEach) {
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(MakeFile("u.par", 0x50))));
  window->Document().Set().channels[1].mediumKind = 5;
  QString title;
  QPrintPreviewWidget::ZoomMode zoom = QPrintPreviewWidget::CustomZoom;
  int shortPages = 0;
  int fullPages = 0;
  QString accessibleName;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
    ASSERT_NE(preview, nullptr);
    title = preview->windowTitle();
    auto* widget = preview->findChild<QPrintPreviewWidget*>();
    auto* everything = preview->findChild<QCheckBox*>("printEverything");
    ASSERT_NE(widget, nullptr);
    ASSERT_NE(everything, nullptr);
    zoom = widget->zoomMode();
    accessibleName = everything->accessibleName();
    shortPages = widget->pageCount();
    everything->click();
    fullPages = widget->pageCount();
    preview->reject();
  });
  window->findChild<QAction*>("actionPrint")->trigger();
  EXPECT_EQ(title.toStdString(), "Печать: u.par");
  EXPECT_EQ(zoom, QPrintPreviewWidget::FitToWidth);
  EXPECT_EQ(accessibleName.toStdString(), "Печатать неиспользуемые каналы и узлы полностью");
  EXPECT_LE(shortPages, 4);
  EXPECT_GT(fullPages, 3 * shortPages);

  const QString html = ListingHtml(window->Document(), shell::ListingDetail::InUse);
  for (const char* line :
       {"<b>Канал учета 01</b> — не используется (вид носителя 0)",
        "<b>Узел учета 16</b> — не используется (тип 0, каналов в составе нет)"}) {
    EXPECT_TRUE(html.contains(QString::fromUtf8(line))) << line;
  }
  EXPECT_FALSE(html.contains(QString::fromUtf8("<h2>Канал учета 01</h2>")));
  EXPECT_TRUE(html.contains(QString::fromUtf8("<h2>Канал учета 02</h2>"))) << "in use, in full";
}

}  // namespace
}  // namespace tarvo::gui
