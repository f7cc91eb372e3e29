#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <deque>
#include <optional>
#include <vector>

#include "archive/archive.h"
#include "core/date.h"
#include "core/drawing.h"

class QNetworkReply;

namespace kw {

// The results service of the lottery's web site, unless --results-service names another.
inline constexpr const char* kResultsServiceBase = "https://www.lotto.de/api/stats/entities.lotto";

// The fetch of the drawings a date range lacks, from the results service into the archive: the
// day list of each year the range touches, then one request per listed day that the archive does
// not hold (or holds without quotas, where the service may have them by now). One request at a
// time, a pause between two, a time limit for each; every drawing is stored on its own, so a
// cancel or a failure keeps what was stored and stores nothing by half. Nothing is sent until
// Start. Messages are German. Needs a running event loop.
class ServiceFetch : public QObject {
  Q_OBJECT

 public:
  explicit ServiceFetch(DrawingArchive& archive, QObject* parent = nullptr);
  ~ServiceFetch() override;

  // Where the service lies; http and https are taken (a mirror, a local server). A redirect is
  // followed only to https.
  void SetBase(const QUrl& base);
  // The pause between the end of one answer and the next request.
  void SetSpacing(std::chrono::milliseconds spacing);
  // The longest a request may take, from sending to the last byte of the answer.
  void SetTimeout(std::chrono::milliseconds timeout);

  // Starts the fetch; the signals tell the rest. Ignored while a fetch runs.
  void Start(Date first, Date last);
  // Stops at once: the request under way is dropped, what was stored stays. Emits cancelled.
  void Cancel();
  bool IsRunning() const { return running_; }

  // The drawing days of the range that the archive lacks and the service did not list: either
  // not drawn yet (today's before the evening) or missing at the service. Known once the lists
  // are read.
  const std::vector<Date>& UnlistedDays() const { return unlisted_; }

  // "3 von 10 Ziehungen"; while the day lists are asked for (total 0) what happens.
  static QString ProgressText(int done, int total);

 signals:
  // After the day lists (done 0) and after each stored drawing.
  void progress(int done, int total);
  // A drawing is in the archive; note says what it lacks (empty when nothing).
  void drawingStored(const kw::Drawing& drawing, const QString& note);
  void finished(int stored);
  void failed(const QString& message);
  void cancelled(int stored);

 private:
  enum class Stage { Planning, DayLists, Drawings };

  void Next();
  void Send(const QString& path);
  void OnFinished();
  void Handle(const QByteArray& body);
  void PlanDays();
  void ChooseListedDays();
  void Fail(const QString& message);
  void DropReply();
  QString RequestText() const;

  DrawingArchive& archive_;
  QNetworkAccessManager network_;
  QUrl base_;
  std::chrono::milliseconds spacing_{250};
  std::chrono::milliseconds timeout_{15000};

  bool running_ = false;
  Stage stage_ = Stage::DayLists;
  Date first_;
  Date last_;
  std::deque<int> years_;
  int year_ = 0;
  std::vector<Date> wanted_;
  std::size_t missing_ = 0;  // the first ones of wanted_ are not stored at all
  std::vector<Date> listed_;
  std::deque<Date> days_;
  Date day_;
  std::vector<Date> unlisted_;
  int total_ = 0;
  int stored_ = 0;

  QPointer<QNetworkReply> reply_;
  QUrl requestUrl_;
  QByteArray body_;
  QString sslProblem_;
  QTimer deadline_;
  QTimer pause_;
};

}  // namespace kw
