#include "gui/common/quit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <cerrno>

namespace varomintel {

namespace {

static_assert(QuitOnSignals::kSignals[0] == SIGTERM && QuitOnSignals::kSignals[1] == SIGHUP &&
              QuitOnSignals::kSignals[2] == SIGINT);

// The handler's end of the socket pair; -1 while no QuitOnSignals exists.
volatile sig_atomic_t gWriteEnd = -1;

extern "C" void WriteSignalNumber(int number) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  if (gWriteEnd >= 0) (void)!::write(gWriteEnd, &byte, 1);  // a full socket: a signal is pending already
  errno = saved;
}

void SetAction(int number, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(number, &action, nullptr);
}

}  // namespace

QuitOnSignals::QuitOnSignals(std::function<void(int)> quit, QObject* parent) : QObject(parent), quit_(std::move(quit)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets_) != 0) {
    sockets_[0] = sockets_[1] = -1;
    return;  // the signals keep their default actions: they end the program at once
  }
  gWriteEnd = sockets_[1];
  notifier_ = new QSocketNotifier(sockets_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitOnSignals::Take);
  for (const int number : kSignals) SetAction(number, WriteSignalNumber);
}

QuitOnSignals::~QuitOnSignals() {
  for (const int number : kSignals) SetAction(number, SIG_DFL);
  gWriteEnd = -1;
  for (const int fd : sockets_)
    if (fd >= 0) ::close(fd);
}

void QuitOnSignals::Take() {
  unsigned char byte = 0;
  while (::read(sockets_[0], &byte, 1) == 1) {
    SetAction(byte, SIG_DFL);  // a second one ends the program should this end hang
    if (quit_) quit_(byte);
  }
}

}  // namespace varomintel
