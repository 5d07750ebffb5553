#include "app/gui/exchange_runner.h"

#include <QCoreApplication>

namespace tarvo::gui {

ExchangeRunner::~ExchangeRunner() {
  // Whoever listened may be half gone by now.
  blockSignals(true);
  Stop();
  Wait();
}

void ExchangeRunner::Start(Procedure procedure) {
  if (Running()) return;
  stop_.store(false);
  ok_ = false;
  thread_ = QThread::create([this, procedure = std::move(procedure)] { ok_ = procedure(stop_); });
  connect(thread_, &QThread::finished, this, &ExchangeRunner::OnThreadFinished);
  thread_->start();
}

void ExchangeRunner::Wait() {
  if (!Running()) return;
  // The procedure may be waiting for an answer from this thread: keep answering.
  while (thread_ != nullptr && !thread_->wait(QDeadlineTimer(10))) {
    QCoreApplication::processEvents();
  }
  OnThreadFinished();
}

void ExchangeRunner::OnThreadFinished() {
  if (thread_ == nullptr) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  Q_EMIT finished(ok_);
}

}  // namespace tarvo::gui
