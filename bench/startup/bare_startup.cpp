// A bare Qt window built from as many widgets of the same kinds as the main window, with no
// files, fonts or logic of ours: the floor the program's start is compared with.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "bench/startup/measure.h"

int main(int argc, char* argv[]) {
  startup::MainEntered();
  QApplication app(argc, argv);

  QWidget window;
  window.setFixedSize(449, 373);
  auto* button = new QPushButton(QStringLiteral("Ende"), &window);
  button->setGeometry(168, 344, 113, 25);
  auto* tabs = new QTabWidget(&window);
  tabs->setGeometry(0, 0, 449, 337);
  QWidget* pages[3];
  for (QWidget*& page : pages) {
    page = new QWidget;
    tabs->addTab(page, QStringLiteral("Seite"));
  }
  auto* ticket = new QGroupBox(QStringLiteral("Gruppe"), pages[0]);
  ticket->setGeometry(0, 4, 441, 221);
  for (int i = 0; i < 15; ++i) new QLabel(QStringLiteral("Zeile"), ticket);  // the ticket lines
  for (int i = 0; i < 2; ++i) new QPushButton(QStringLiteral("Knopf"), pages[0]);
  auto* draw = new QGroupBox(QStringLiteral("Gruppe"), pages[1]);
  draw->setGeometry(0, 4, 441, 121);
  for (int i = 0; i < 5; ++i) new QLabel(QStringLiteral("Feld"), draw);
  for (int i = 0; i < 10; ++i) new QLineEdit(draw);
  for (int i = 0; i < 2; ++i) new QPushButton(QStringLiteral("Knopf"), draw);
  new QPushButton(QStringLiteral("Knopf"), pages[1]);
  new QPlainTextEdit(pages[1]);
  for (int i = 0; i < 4; ++i) new QLabel(QStringLiteral("Info"), pages[2]);
  tabs->setCurrentIndex(2);

  window.show();
  startup::ReportWhenShown("bare", window);
  return 0;
}
