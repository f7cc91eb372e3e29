#pragma once

#include <QObject>
#include <initializer_list>

class QSocketNotifier;

namespace kw {

// Turns the signals that ask a program to end (SIGTERM when the session ends, SIGHUP when its
// terminal goes) into a Qt signal delivered by the event loop, so that the program ends the way
// it always ends, its settings saved, instead of dying. The handler only writes the signal's
// number into a pipe; everything else happens in the loop. Once one has come, the next of the
// same kind ends the program at once, should the orderly end hang. One object at a time.
class EndSignals : public QObject {
  Q_OBJECT

 public:
  explicit EndSignals(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
  // Puts the signals' earlier handling back.
  ~EndSignals() override;

  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

 signals:
  void received(int signalNumber);

 private:
  void ReadPipe();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace kw
