#include "app/gui/listing_printer.h"

#include <gtest/gtest.h>

#include <optional>

#include <QAction>
#include <QPrintPreviewDialog>
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
  const int pages =
      PrintListing(ListingHtml(window->Document()), ListingFileName(window->Document()), printer);
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

TEST_F(ListingPrinterTest, CtrlPOpensThePreview) {
  ASSERT_TRUE(window->OpenDocumentFile(QString::fromStdString(MakeFile("g.par", 0x47))));
  QString title;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
    ASSERT_NE(preview, nullptr);
    title = preview->windowTitle();
    preview->reject();
  });
  window->findChild<QAction*>("actionPrint")->trigger();
  EXPECT_EQ(title.toStdString(), "Печать: g.par");
}

}  // namespace
}  // namespace tarvo::gui
