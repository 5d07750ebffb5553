#include "app/gui/exchange_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <string>
#include <utility>

#include "app/gui/exchange_runner.h"
#include "app/gui/ports_dialog.h"
#include "app/gui/qt_text.h"
#include "device/device_link.h"
#include "device/exchange_messages.h"
#include "model/device_variant.h"
#include "platform/application_title.h"
#include "platform/net/network_address.h"
#include "platform/serial_devices.h"
#include "shell/exchange_flows.h"
#include "shell/safe_write.h"

namespace tarvo::gui {

namespace {

constexpr const char* kInstruction =
    "Перед началом записи необходимо включить вычислитель в сеть,\nнажав и удерживая клавишу "
    "СБРОС.\nЗатем следует задать тип внешнего устройства (ПК) и скорость обмена данными.";
constexpr const char* kSpeeds[] = {"  2400", "  4800", "  9600", "19200"};

constexpr const char* kBackupCheck = "Сохранить копию конфигурации вычислителя перед записью";
constexpr const char* kVerifyCheck = "Проверить записанное, прочитав конфигурацию из вычислителя";

constexpr const char* kStopWriteQuestion =
    "Идет запись параметров в вычислитель.\nОстановить запись? В вычислителе останется только "
    "часть новых параметров.";

const char* TitleOf(ExchangeKind kind) {
  switch (kind) {
    case ExchangeKind::Read:
      return "Чтение параметров из вычислителя";
    case ExchangeKind::Compare:
      return "Сравнение с вычислителем";
    case ExchangeKind::WriteParameters:
      return "Запись параметров в вычислитель";
    case ExchangeKind::WriteReportTexts:
      return "Запись колонтитулов текстовых отчетов";
  }
  return "";
}

const char* SuccessOf(ExchangeKind kind) {
  switch (kind) {
    case ExchangeKind::Read:
    case ExchangeKind::Compare:
      return device::kReadSucceeded;
    case ExchangeKind::WriteParameters:
      return device::kWriteSucceeded;
    case ExchangeKind::WriteReportTexts:
      return device::kTextsWriteSucceeded;
  }
  return "";
}

// What the user is told once the safe write has ended; nothing when the procedures have told
// it all (a write stopped or failed).
std::optional<std::pair<std::string, platform::Icon>> WriteReport(
    const shell::SafeWriteResult& result) {
  using shell::SafeWriteOutcome;
  switch (result.outcome) {
    case SafeWriteOutcome::BackupFailed:
      return std::pair(result.message, platform::Icon::Error);
    case SafeWriteOutcome::WriteFailed:
      return std::nullopt;
    default:
      break;
  }
  std::string text = device::kWriteSucceeded;
  if (!result.backupPath.empty()) {
    text += "\n" + std::string(shell::kBackupSaved) + result.backupPath;
  }
  platform::Icon icon = platform::Icon::None;
  if (result.outcome == SafeWriteOutcome::VerifyUnfinished) {
    text += "\n" + result.message;
    icon = platform::Icon::Warning;
  } else if (result.outcome == SafeWriteOutcome::Mismatch) {
    // The differences window lists them once this is read.
    text += "\n" + std::string(shell::kVerifyMismatch);
    icon = platform::Icon::Error;
  } else if (result.verified) {
    text += "\n" + std::string(shell::kDeviceHoldsWritten);
  }
  return std::pair(text, icon);
}

// Entry (value - 1), or nothing selected for a value outside the list.
void Preselect(QComboBox* list, int value) {
  list->setCurrentIndex(value >= 1 && value <= list->count() ? value - 1 : -1);
}

}  // namespace

QString PortEntryText(int portNumber, const platform::PortMapSources& sources) {
  const QString name = QStringLiteral("COM%1").arg(portNumber);
  const platform::PortLookup lookup = platform::DevicePathOfPort(portNumber, sources);
  if (!lookup.ok) return name + ToQt(" — не назначен");
  const QString path = ToQt(lookup.path);
  QString text = name + ToQt(" — ") + path;
  // A network server is known to be there only when the exchange connects to it.
  if (!platform::net::IsNetworkPortName(lookup.path) &&
      !platform::SerialDevicePresent(lookup.path)) {
    text += ToQt(" (нет устройства)");
  }
  return text;
}

ExchangeDialog::ExchangeDialog(ExchangeKind kind, model::ParameterSet& set, platform::Ui& ui,
                               ExchangeSetting setting, QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      set_(set),
      ui_(ui),
      setting_(std::move(setting)),
      stopGuard_(ui),
      threadUi_(stopGuard_),
      runner_(new ExchangeRunner(this)) {
  setWindowTitle(ToQt(TitleOf(kind)));

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(ToQt("COM-порт:"), this), 0, 0);
  portList_ = new QComboBox(this);
  portList_->setObjectName(QStringLiteral("portList"));
  FillPortList();
  grid->addWidget(portList_, 0, 1);
  portsButton_ = new QPushButton(ToQt("Порты..."), this);
  portsButton_->setObjectName(QStringLiteral("portsButton"));
  portsButton_->setAutoDefault(false);
  connect(portsButton_, &QPushButton::clicked, this, &ExchangeDialog::EditPortMap);
  grid->addWidget(portsButton_, 0, 2);

  grid->addWidget(new QLabel(ToQt("Скорость обмена:"), this), 1, 0);
  speedList_ = new QComboBox(this);
  speedList_->setObjectName(QStringLiteral("speedList"));
  for (const char* speed : kSpeeds) speedList_->addItem(ToQt(speed));
  grid->addWidget(speedList_, 1, 1);

  if (Writes()) {
    grid->addWidget(new QLabel(ToQt("Тип вычислителя:"), this), 2, 0);
    auto* variant = new QLineEdit(ToQt(model::VariantName(set.Variant())), this);
    variant->setObjectName(QStringLiteral("variantEdit"));
    variant->setReadOnly(true);
    grid->addWidget(variant, 2, 1);
  }
  const auto last = platform::qt::LastExchangeStore(setting_.settingsFile).Load();
  const shell::PortChoice choice = shell::InitialPortChoice(
      set, last ? std::optional(shell::PortChoice{last->first, last->second}) : std::nullopt);
  Preselect(portList_, choice.comPort);
  Preselect(speedList_, choice.speedCode);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  // Report texts alone replace nothing worth a copy or a check.
  if (kind == ExchangeKind::WriteParameters) {
    const platform::qt::WriteChecks checks =
        platform::qt::WriteChecksStore(setting_.settingsFile).Load();
    backupBox_ = new QCheckBox(ToQt(kBackupCheck), this);
    backupBox_->setObjectName(QStringLiteral("backupCheck"));
    backupBox_->setChecked(checks.backup);
    verifyBox_ = new QCheckBox(ToQt(kVerifyCheck), this);
    verifyBox_->setObjectName(QStringLiteral("verifyCheck"));
    verifyBox_->setChecked(checks.verify);
    for (QCheckBox* box : {backupBox_, verifyBox_}) {
      box->setAccessibleName(box->text());
      connect(box, &QCheckBox::toggled, this, &ExchangeDialog::StoreWriteChecks);
      layout->addWidget(box);
    }
    phaseText_ = new QLabel(this);
    phaseText_->setObjectName(QStringLiteral("phaseText"));
    phaseText_->setAccessibleName(ToQt("Этап записи"));
    layout->addWidget(phaseText_);
  }

  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName(QStringLiteral("progressBar"));
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressBar_->setFormat(QStringLiteral("0 %"));
  progressBar_->setAccessibleName(ToQt("Ход обмена"));

  layout->addWidget(progressBar_);
  if (kind == ExchangeKind::WriteParameters) {
    auto* instruction = new QLabel(ToQt(kInstruction), this);
    instruction->setObjectName(QStringLiteral("instructionText"));
    layout->addWidget(instruction);
  }

  runButton_ = new QPushButton(ToQt(Writes() ? "Запись" : "Чтение"), this);
  runButton_->setObjectName(QStringLiteral("runButton"));
  runButton_->setDefault(true);
  closeButton_ = new QPushButton(ToQt("Закрыть"), this);
  closeButton_->setObjectName(QStringLiteral("closeButton"));
  closeButton_->setAutoDefault(false);
  // The stop button must look like something to press while the dialog waits.
  closeButton_->setCursor(Qt::ArrowCursor);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(runButton_);
  buttons->addWidget(closeButton_);
  layout->addLayout(buttons);

  connect(runButton_, &QPushButton::clicked, this, &ExchangeDialog::Start);
  connect(closeButton_, &QPushButton::clicked, this, &ExchangeDialog::PressClose);
  connect(runner_, &ExchangeRunner::finished, this, &ExchangeDialog::Finish);
  for (QComboBox* list : {portList_, speedList_}) {
    connect(list, &QComboBox::currentIndexChanged, this, &ExchangeDialog::EnableRun);
  }
  EnableRun();
}

ExchangeDialog::~ExchangeDialog() {
  // The procedure uses the line, the bar and the Ui below: it ends before they go.
  delete runner_;
}

bool ExchangeDialog::ExchangeRunning() const {
  return runner_->Running();
}

bool ExchangeDialog::Writes() const {
  return kind_ == ExchangeKind::WriteParameters || kind_ == ExchangeKind::WriteReportTexts;
}

void ExchangeDialog::StopExchange() {
  if (!ExchangeRunning() || runner_->StopRequested()) return;
  runner_->Stop();
  closeButton_->setEnabled(false);
  stopGuard_.StopPressed();
}

void ExchangeDialog::PressClose() {
  if (ExchangeRunning()) {
    StopExchange();
    return;
  }
  reject();
}

void ExchangeDialog::reject() {
  if (ExchangeRunning()) {
    // Esc or the title bar's × may be an accident: a write half done leaves the device
    // half configured.
    if (Writes() && phase_ == shell::WritePhase::Write && !runner_->StopRequested() &&
        ui_.ShowMessage(kStopWriteQuestion, platform::kApplicationTitle, platform::Icon::Question,
                        platform::Buttons::YesNo) != platform::Answer::Yes) {
      return;
    }
    StopExchange();
    return;
  }
  StoreChoice();
  QDialog::reject();
}

void ExchangeDialog::EnableRun() {
  runButton_->setEnabled(!ExchangeRunning() && portList_->currentIndex() >= 0 &&
                         speedList_->currentIndex() >= 0);
}

void ExchangeDialog::StoreWriteChecks() {
  platform::qt::WriteChecksStore(setting_.settingsFile)
      .Store({backupBox_->isChecked(), verifyBox_->isChecked()});
}

void ExchangeDialog::StoreChoice() {
  set_.comPort = portList_->currentIndex() + 1;
  set_.speedCode = speedList_->currentIndex() + 1;
}

void ExchangeDialog::FillPortList() {
  const int current = portList_->currentIndex();
  portList_->clear();
  for (int n = 1; n <= 9; ++n) portList_->addItem(PortEntryText(n, setting_.portMap));
  portList_->setCurrentIndex(current);
}

void ExchangeDialog::EditPortMap() {
  PortsDialog dialog(setting_.portMap, this);
  dialog.exec();
  FillPortList();
}

void ExchangeDialog::Start() {
  if (ExchangeRunning() || !runButton_->isEnabled()) return;
  StoreChoice();
  platform::qt::LastExchangeStore(setting_.settingsFile).Store(set_.comPort, set_.speedCode);
  work_ = set_;
  line_ = setting_.lines();
  progress_ = std::make_unique<platform::qt::BarProgress>(progressBar_, &line_->Clock());
  runButton_->setEnabled(false);
  portList_->setEnabled(false);
  speedList_->setEnabled(false);
  portsButton_->setEnabled(false);
  shell::SafeWriteOptions options;
  if (kind_ == ExchangeKind::WriteParameters) {
    for (QCheckBox* box : {backupBox_, verifyBox_}) box->setEnabled(false);
    options.backup = backupBox_->isChecked();
    options.verify = verifyBox_->isChecked();
    options.backupFolder = setting_.backupFolder;
    options.portName = "COM" + std::to_string(set_.comPort);
    options.writtenFile = writtenFile_;
    // Told on the exchange's thread, shown on the dialog's.
    options.phaseStarted = [this](shell::WritePhase phase) {
      QMetaObject::invokeMethod(
          this, [this, phase] { ShowPhase(phase); }, Qt::QueuedConnection);
    };
  }
  closeButton_->setText(ToQt("Остановить"));
  setCursor(Qt::WaitCursor);
  runner_->Start([this, options](const std::atomic<bool>& stop) {
    device::DeviceLink link(line_->Port(), line_->Clock(), threadUi_);
    link.portMap = setting_.portMap;
    link.stop = &stop;
    switch (kind_) {
      case ExchangeKind::Read:
      case ExchangeKind::Compare:
        return link.ReadAllParameters(work_, progress_.get());
      case ExchangeKind::WriteParameters:
        return RunSafeWrite(link, options);
      case ExchangeKind::WriteReportTexts:
        return link.WriteReportHeaders(work_, progress_.get());
    }
    return false;
  });
}

bool ExchangeDialog::RunSafeWrite(device::DeviceLink& link,
                                  const shell::SafeWriteOptions& options) {
  writeResult_ =
      shell::SafeWrite(work_, options,
                       {[&link](model::ParameterSet& into, platform::Progress* bar) {
                          return link.ReadAllParameters(into, bar);
                        },
                        [&link](const model::ParameterSet& set, platform::Progress* bar) {
                          return link.WriteAllParameters(set, bar);
                        }},
                       progress_.get());
  const auto outcome = writeResult_.outcome;
  return outcome != shell::SafeWriteOutcome::BackupFailed &&
         outcome != shell::SafeWriteOutcome::WriteFailed;
}

void ExchangeDialog::ShowPhase(shell::WritePhase phase) {
  phase_ = phase;
  phaseText_->setText(ToQt(shell::PhaseName(phase)));
}

void ExchangeDialog::Finish(bool ok) {
  // The exchange is over: nothing is left to stop.
  closeButton_->setText(ToQt("Закрыть"));
  closeButton_->setEnabled(false);
  if (ok && !Writes()) set_ = work_;
  succeeded_ = ok;
  if (kind_ == ExchangeKind::WriteParameters) {
    if (const auto report = WriteReport(writeResult_)) {
      ui_.ShowMessage(report->first, platform::kApplicationTitle, report->second,
                      platform::Buttons::Ok);
    }
  } else if (ok) {
    ui_.ShowMessage(SuccessOf(kind_), platform::kApplicationTitle, platform::Icon::None,
                    platform::Buttons::Ok);
  }
  unsetCursor();
  accept();
}

}  // namespace tarvo::gui
