#pragma once

#include <QDialog>
#include <chrono>
#include <filesystem>

#include "webimport/web_browser.h"

class QPlainTextEdit;

namespace kw {

class Platform;

// Where a download comes from and where it goes.
struct DownloadSetup {
  QString resultsPageUrl;           // ResultsPageURL, or the address given with --results-url
  std::filesystem::path directory;  // lotto.tmp is written here, beside ZW.INI
  QString browserProgram;           // the browser helper kreuzwart-browser; empty: over Qt Network
  std::chrono::milliseconds browserTimeLimit = kBrowserTimeLimit;
  qsizetype maxPageBytes = WebBrowser::kMaxPageBytes;
};

// "WWW Download": loads the results page out of sight, writes its body markup to lotto.tmp and
// hands over to the import window. Shown modally by "WWW &Import"; hidden the rest of the time.
class TWWWDownload : public QDialog {
  Q_OBJECT

 public:
  TWWWDownload(DownloadSetup setup, Platform& platform, QWidget* parent = nullptr);

  // Shows the window modally and returns when it has closed.
  void ShowModal();

  static constexpr const char* kTempFileName = "lotto.tmp";

 signals:
  // lotto.tmp has been written: the import window takes over. Comes before the window closes.
  void pageSaved();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void WebBrowser1DocumentComplete(const QString& address, const QByteArray& bodyUtf8);
  void WebBrowser1NavigateError(const QString& reason);
  void BrowserMissing(const QString& program);

  DownloadSetup setup_;
  Platform& platform_;

  QPlainTextEdit* Memo1 = nullptr;  // the progress log
  WebBrowser* WebBrowser1 = nullptr;
};

}  // namespace kw
