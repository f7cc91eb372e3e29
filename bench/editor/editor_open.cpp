// Opens the ticket editor from the main window again and again, as a click on "&Neu/Bearbeiten"
// does, with a ticket of twelve games named in ZW.INI, and prints the milliseconds
// - from the click to the editor's show event (the settings saved, the ticket file read, the 72
//   fields filled),
// - from the click to the editor on the screen and painted once,
// - from the click to the main window again, after "&Zurück" and its reload of the settings,
// for the first opening and as the median, minimum and maximum of the later ones.
// Usage: editor_open [openings]   (default 50)
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/application.h"
#include "bench/silent_platform.h"
#include "ui/editor_window.h"

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Notes the moment the editor receives its show event.
class ShowSpy : public QObject {
 public:
  Clock::time_point shownAt;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) shownAt = Clock::now();
    return QObject::eventFilter(watched, event);
  }
};

struct Opening {
  double toShowEvent = 0;
  double toPainted = 0;
  double roundTrip = 0;
};

void Print(const char* name, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  std::printf("  %-14s median=%.2f min=%.2f max=%.2f\n", name, median, values.front(),
              values.back());
}

}  // namespace

int main(int argc, char* argv[]) {
  kw::Application app(argc, argv);
  const int openings = argc > 1 ? std::max(2, std::atoi(argv[1])) : 50;
  bench::SilentPlatform platform;
  app.SetPlatform(&platform);

  QTemporaryDir dir;
  std::string ticket = "[Schein]\r\n";
  for (int g = 1; g <= 12; ++g) {
    ticket += "Spiel" + std::to_string(g) + "=03 15 22 31 40 49 \r\n";
  }
  ticket += "Losnummer=4711235\r\nAblauf=19.12.2026\r\n";
  bench::Write(dir.filePath(u"schein.sch"_s), ticket);
  bench::Write(dir.filePath(u"ZW.INI"_s),
               "[Einstellungen]\r\nSchein=" + dir.filePath(u"schein.sch"_s).toStdString() +
                   "\r\n[Zahlen]\r\nMittwoch=0411172336450809876543212345603.12.2026\r\n"
                   "Samstag=0109142730440603123456765432106.12.2026\r\n");

  const kw::SystemClock clock;
  kw::ProgramWindows windows = kw::StartProgram(dir.path().toStdString(), platform, clock);
  auto& form = windows.form1;
  while (!form->windowHandle() || !form->windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  QCoreApplication::processEvents();

  auto* editor = form->findChild<kw::TForm2*>();
  auto* button = form->findChild<QPushButton*>(QStringLiteral("Button4"));
  if (!editor || !button) return 1;
  ShowSpy spy;
  editor->installEventFilter(&spy);
  auto* lastField = editor->findChild<QLineEdit*>(QStringLiteral("Edit72"));

  std::vector<Opening> results;
  for (int i = 0; i < openings; ++i) {
    Opening opening;
    Clock::time_point clicked;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (!editor->isVisible() || !editor->windowHandle() || !editor->windowHandle()->isExposed()) {
        return;
      }
      poll.stop();
      QCoreApplication::processEvents();  // the first paint
      opening.toPainted = Ms(clicked, Clock::now());
      opening.toShowEvent = Ms(clicked, spy.shownAt);
      if (lastField->text() != QStringLiteral("49")) std::abort();  // not the full ticket
      editor->reject();
    });
    poll.start(0);
    clicked = Clock::now();
    button->click();
    opening.roundTrip = Ms(clicked, Clock::now());
    results.push_back(opening);
  }

  std::printf("first opening: to show event %.2f ms, to painted %.2f ms, round trip %.2f ms\n",
              results[0].toShowEvent, results[0].toPainted, results[0].roundTrip);
  std::printf("later openings (%d):\n", openings - 1);
  std::vector<double> show, painted, round;
  for (std::size_t i = 1; i < results.size(); ++i) {
    show.push_back(results[i].toShowEvent);
    painted.push_back(results[i].toPainted);
    round.push_back(results[i].roundTrip);
  }
  Print("to_show_event", show);
  Print("to_painted", painted);
  Print("round_trip", round);
  return 0;
}
