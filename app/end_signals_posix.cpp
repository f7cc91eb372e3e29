#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <map>

#include "app/end_signals.h"

namespace kw {

namespace {

// The pipe between the handler and the event loop; -1 while no object watches.
int pipeEnds[2] = {-1, -1};

extern "C" void WriteSignal(int signalNumber) {
  const int savedErrno = errno;
  const char byte = static_cast<char>(signalNumber);
  // A full pipe already holds a signal that has not been handled yet: nothing is lost.
  [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &byte, 1);
  errno = savedErrno;
}

std::map<int, struct sigaction>& SavedActions() {
  static std::map<int, struct sigaction> saved;
  return saved;
}

}  // namespace

EndSignals::EndSignals(QObject* parent) : QObject(parent) {
  if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals then act as before
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &EndSignals::ReadPipe);

  struct sigaction action {};
  action.sa_handler = WriteSignal;
  sigemptyset(&action.sa_mask);
  // Once handled, the next one of its kind ends the program as the system would.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
    struct sigaction old {};
    if (::sigaction(signalNumber, &action, &old) == 0) SavedActions()[signalNumber] = old;
  }
}

EndSignals::~EndSignals() {
  for (const auto& [signalNumber, old] : SavedActions()) ::sigaction(signalNumber, &old, nullptr);
  SavedActions().clear();
  if (notifier_) {
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
  }
}

void EndSignals::ReadPipe() {
  char bytes[16];
  ssize_t n = 0;
  while ((n = ::read(pipeEnds[0], bytes, sizeof bytes)) > 0) {
    for (ssize_t i = 0; i < n; ++i) emit received(static_cast<unsigned char>(bytes[i]));
  }
}

}  // namespace kw
