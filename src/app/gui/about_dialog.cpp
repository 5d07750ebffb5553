#include "app/gui/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/program_version.h"

namespace tarvo::gui {

QString VersionLine() {
  return QStringLiteral("Версия ") + QString::fromLatin1(app::kProgramVersion);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("О программе"));

  auto* icon = new QLabel(this);
  icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  icon->setVisible(!QApplication::windowIcon().isNull());

  auto* lines = new QVBoxLayout;
  auto* name = new QLabel(QStringLiteral("Программа TarvoConfig"), this);
  name->setObjectName(QStringLiteral("programName"));
  auto* version = new QLabel(VersionLine(), this);
  version->setObjectName(QStringLiteral("versionLine"));
  lines->addWidget(name);
  lines->addWidget(version);
  lines->addSpacing(8);
  lines->addWidget(new QLabel(QStringLiteral("Разработчик: TARVO Applications"), this));
  lines->addWidget(new QLabel(QStringLiteral("© TARVO Applications. Все права защищены."), this));
  lines->addWidget(new QLabel(QStringLiteral("Сайт: tarvo.example"), this));

  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addSpacing(12);
  body->addLayout(lines);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tarvo::gui
