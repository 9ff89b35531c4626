// The program's orderly end on the signals that ask a process to end: SIGTERM (kill, a
// system shutting down), SIGHUP (the terminal or the session gone) and SIGINT (Ctrl+C in
// the terminal that started it). The handler itself only writes the signal's number to a
// socket pair, the one thing it may safely do; a notifier on the other end calls `quit`
// on the window's thread, where the windows can end as the exit command ends them. Once
// a signal has been taken, its default action is back: a second one ends the program at
// once should the orderly end hang.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace varomintel {

class QuitOnSignals : public QObject {
  Q_OBJECT
 public:
  // At most one at a time; `quit` gets the signal's number.
  explicit QuitOnSignals(std::function<void(int)> quit, QObject* parent = nullptr);
  // The default actions back, the sockets closed.
  ~QuitOnSignals() override;
  QuitOnSignals(const QuitOnSignals&) = delete;
  QuitOnSignals& operator=(const QuitOnSignals&) = delete;

  // The signals taken.
  static constexpr int kSignals[] = {15 /* SIGTERM */, 1 /* SIGHUP */, 2 /* SIGINT */};

 private:
  void Take();

  std::function<void(int)> quit_;
  int sockets_[2] = {-1, -1};  // [0] read here, [1] written by the handler
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace varomintel
