#pragma once

#include <QObject>

class QSocketNotifier;

namespace kw {

// Turns the requests from outside to end the program into a Qt signal delivered by the event
// loop, so that the program ends the way it always ends, its settings saved, instead of dying.
// On POSIX systems (end_signals_posix.cpp) these are SIGTERM when the session ends, SIGHUP when
// its terminal goes and SIGINT for Ctrl+C; the handler only writes the signal's number into a
// pipe, everything else happens in the loop, and once one has come the next of the same kind
// ends the program at once, should the orderly end hang. On Windows (end_signals_windows.cpp)
// it is the session's end (log-off, shutdown) that Qt reports as commitDataRequest; Windows
// ends the process soon after, so what must be kept is written by aboutToQuit's handlers,
// which Qt calls before that. One object at a time.
class EndSignals : public QObject {
  Q_OBJECT

 public:
  explicit EndSignals(QObject* parent = nullptr);
  // Puts the earlier handling back.
  ~EndSignals() override;

  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

 signals:
  // The signal's number; 0 for the session's end on Windows.
  void received(int signalNumber);

 private:
  void ReadPipe();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace kw
