#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kw::test {

// Hands every modal window that is open to the inspect function, which closes it, until the
// object goes out of scope. Polling by timer keeps the window's own event loop running; a window
// caught before its loop began just gets closed once more on the next tick.
class ModalHandler {
 public:
  explicit ModalHandler(std::function<void(QWidget*)> inspect) {
    QObject::connect(&poll_, &QTimer::timeout, [inspect] {
      if (QWidget* modal = QApplication::activeModalWidget()) inspect(modal);
    });
    poll_.start(10);
  }

 private:
  QTimer poll_;
};

}  // namespace kw::test
