#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>

namespace tarvo::gui {

// Runs one exchange procedure on a thread of its own, so the window keeps drawing while the
// line is slow, and passes a stop request on to it.
class ExchangeRunner : public QObject {
  Q_OBJECT

 public:
  // The procedure looks at stop between two frames; true is success.
  using Procedure = std::function<bool(const std::atomic<bool>& stop)>;

  explicit ExchangeRunner(QObject* parent = nullptr) : QObject(parent) {}
  // Stops a procedure still running and waits for it.
  ~ExchangeRunner() override;

  void Start(Procedure procedure);
  void Stop() { stop_.store(true); }
  bool Running() const { return thread_ != nullptr; }
  bool StopRequested() const { return stop_.load(); }
  // Waits for the procedure to end while the GUI thread goes on answering its calls.
  void Wait();

 Q_SIGNALS:
  // On the GUI thread, once the procedure has returned.
  void finished(bool ok);

 private:
  void OnThreadFinished();

  QThread* thread_ = nullptr;
  std::atomic<bool> stop_{false};
  bool ok_ = false;
};

}  // namespace tarvo::gui
