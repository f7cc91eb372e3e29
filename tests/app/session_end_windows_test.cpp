// The end of a Windows session (log-off, shutdown) ends the program as closing its window does,
// with what was typed kept. Windows asks every top-level window with WM_QUERYENDSESSION, tells it
// WM_ENDSESSION, and ends the process as soon as that message has been answered: whatever is not
// written by then is lost. The windows need the system's own platform (under Wine, an X server).
#include <windows.h>

#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/profile.h"
#include "tests/app/program_child.h"

namespace kw::test {
namespace {

// The visible top-level windows of a process, as Windows addresses them at the session's end.
std::vector<HWND> WindowsOf(qint64 processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{static_cast<DWORD>(processId), {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// What Windows sends each window; false when a window refused to let the session end.
bool EndSession(const std::vector<HWND>& windows) {
  for (HWND window : windows) {
    DWORD_PTR mayEnd = 0;
    if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                             kTimeoutMs, &mayEnd) ||
        !mayEnd) {
      return false;
    }
  }
  for (HWND window : windows) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                        kTimeoutMs, &ignored);
  }
  return true;
}

}  // namespace

class SessionEndTest : public QObject {
  Q_OBJECT

 private slots:
  void theSessionsEndKeepsWhatWasTyped() {
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdWString();
    std::ofstream(folder / "ZW.INI", std::ios::binary)
        << "[Einstellungen]\r\nSchein=\r\n[Zahlen]\r\nSamstag=" << kSaturdayLine << "\r\n";
    QProcess child;
    QVERIFY(StartChild(child, dir.path(), "bereit"));
    const std::vector<HWND> windows = WindowsOf(child.processId());
    QVERIFY(!windows.empty());

    QVERIFY(EndSession(windows));
    // Windows may end the process as soon as it has asked; so does the test.
    child.kill();
    QVERIFY(child.waitForFinished(kTimeoutMs));
    QCOMPARE(QString::fromStdString(ReadProfileString(folder / "ZW.INI", "Zahlen", "Samstag")),
             QString::fromStdString("02" + kSaturdayLine.substr(2)));
  }
};

}  // namespace kw::test

int main(int argc, char* argv[]) {
  if (argc >= 3 && QString::fromLocal8Bit(argv[1]) == kw::test::kChild) {
    return kw::test::RunChild(argc, argv);
  }
  QCoreApplication app(argc, argv);
  kw::test::SessionEndTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "session_end_windows_test.moc"
