#pragma once

#include <QString>
#include <QTest>
#include <QWidget>
#include <source_location>
#include <type_traits>

namespace kw::test {

// The control of the window named name. A missing one fails the running test with its name and
// gives a hidden stand-in, a child of the window, so that the test goes on to its end instead of
// taking the whole test program down with a null pointer: only that test fails.
template <class T>
T* FindControl(QWidget* window, const QString& name,
               std::source_location where = std::source_location::current()) {
  if (T* found = window->findChild<T*>(name)) return found;
  QTest::qFail(qPrintable(QStringLiteral("no control named %1").arg(name)), where.file_name(),
               static_cast<int>(where.line()));
  T* standIn = new T;
  if constexpr (std::is_base_of_v<QWidget, T>) {
    standIn->setParent(window);
    standIn->hide();
  } else {
    standIn->setParent(window);
  }
  return standIn;
}

}  // namespace kw::test
