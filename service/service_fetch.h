#pragma once

#include <QByteArray>
#include <QElapsedTimer>
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
#include <set>
#include <vector>

#include "archive/archive.h"
#include "core/date.h"
#include "core/drawing.h"
#include "qtedge/addresses.h"

class QNetworkReply;

namespace kw {

// The fetch of the drawings a date range lacks, from the results service into the archive.
//
// The service sits behind a front that throttles: after a few quick requests it answers HTTP 429
// (or 503) until the client waits. So the fetch asks little and waits when told: the drawings of
// up to a year come in one request (draws/<first>/<last>); where the service refuses that form,
// the day list of each year and one request per day the archive lacks (or holds without quotas)
// take its place for the rest of the run. Requests go one at a time, 2.5 s apart; a request the
// front refuses is sent again after the wait it names (Retry-After) or after 5, 10, 20 and 40 s,
// and the fifth refusal ends the fetch with the reason. Every drawing is stored on its own, so a
// cancel (also during a wait) or a failure keeps what was stored and stores nothing by half.
// Nothing is sent until Start. Messages are German. Needs a running event loop.
class ServiceFetch : public QObject {
  Q_OBJECT

 public:
  // The program's pacing: the pause between requests the service's front asks of its clients,
  // the longest a request may take, and one second of the waits the front asks for.
  static constexpr std::chrono::milliseconds kSpacing{2500};
  static constexpr std::chrono::milliseconds kTimeout{15000};
  static constexpr std::chrono::milliseconds kWaitTimeScale{1000};

  explicit ServiceFetch(DrawingArchive& archive, QObject* parent = nullptr);
  ~ServiceFetch() override;

  // Where the service lies; http and https are taken (a mirror, a local server). A redirect is
  // followed only to https.
  void SetBase(const QUrl& base);
  // The pause between the end of one answer and the next request; 2.5 s, as the service's front
  // asks of its clients. Only the tests and benchmarks shorten it.
  void SetSpacing(std::chrono::milliseconds spacing);
  // The longest a request may take, from sending to the last byte of the answer.
  void SetTimeout(std::chrono::milliseconds timeout);
  // How long one second of the waits the service asks for lasts: a second. The tests shorten it.
  void SetWaitTimeScale(std::chrono::milliseconds second);

  // Starts the fetch; the signals tell the rest. Ignored while a fetch runs.
  void Start(Date first, Date last);
  // Stops at once, also during a wait: the request under way is dropped, what was stored stays.
  // Emits cancelled.
  void Cancel();
  bool IsRunning() const { return running_; }

  // The drawing days of the range that the archive lacks and the service did not give: either
  // not drawn yet (today's before the evening) or missing at the service. Known once it ends.
  const std::vector<Date>& UnlistedDays() const { return unlisted_; }
  // The requests sent in this run, each try counted.
  int RequestsSent() const { return sent_; }

 signals:
  // Counts of drawings, worded by whoever shows them: total 0 while it is not yet known which
  // days were drawn; then the drawings stored of those wanted.
  void progress(int done, int total);
  // The service asked to wait; the next try goes out after that many seconds.
  void waiting(int seconds);
  // A drawing is in the archive; note says what it lacks (empty when nothing).
  void drawingStored(const kw::Drawing& drawing, const QString& note);
  void finished(int stored);
  void failed(const QString& message);
  void cancelled(int stored);

 private:
  // Where the run stands: the ranges; after the service refused them, the day lists; last, the
  // single days.
  enum class Stage { Ranges, DayLists, Days };
  // What the request under way asks for.
  enum class Ask { Range, DayList, Day };

  void Next();
  bool NextRange();
  void PlanDays();
  void LeaveRanges();
  void ChooseListedDays();
  void Finish();
  // Sends a new request once the spacing since the last answer has passed.
  void Send(Ask ask, const QString& path);
  void Transmit();
  void OnFinished();
  void OnRefused(int status, std::optional<int> namedWait);
  void FailTooLarge(std::size_t limit);
  void Handle(const QByteArray& body);
  void HandleRange(const QByteArray& body);
  void StoreRead(const struct ServiceDrawing& read, bool sayQuotasMissing);
  int StoredCount() const;
  void Fail(const QString& message);
  void Stop();
  void DropReply();
  QString RequestText() const;

  DrawingArchive& archive_;
  QNetworkAccessManager network_;
  QUrl base_;
  std::chrono::milliseconds spacing_ = kSpacing;
  std::chrono::milliseconds timeout_ = kTimeout;
  std::chrono::milliseconds waitTimeScale_ = kWaitTimeScale;

  bool running_ = false;
  bool planned_ = false;
  Stage stage_ = Stage::Ranges;
  // Whether any range answer held quota rows; where none did, the days still without quotas are
  // asked for one by one at the end.
  bool rangesCarryQuotas_ = false;
  Date first_;
  Date last_;
  std::vector<Date> wanted_;    // in date order: the days to fetch
  std::vector<Date> missing_;   // those of them the archive lacked
  std::size_t rangeStart_ = 0;  // the first of wanted_ that no answered range covered
  std::deque<int> years_;       // day lists still to ask for
  std::vector<Date> listed_;    // the days the lists name
  std::deque<Date> days_;       // single days still to ask for
  std::set<Date> stored_;       // the days stored in this run
  std::vector<Date> unlisted_;
  int total_ = 0;

  // The request under way, or the one to send once the spacing or a wait has passed.
  Ask ask_ = Ask::Range;
  QString path_;
  Date day_;          // for Ask::Day
  int year_ = 0;      // for Ask::DayList
  Date rangeFirst_;   // for Ask::Range
  Date rangeLast_;
  int refusals_ = 0;  // of the request under way
  bool transmitPending_ = false;
  int sent_ = 0;
  QElapsedTimer answered_;  // since the last answer

  QPointer<QNetworkReply> reply_;
  QUrl requestUrl_;
  QByteArray body_;
  QString sslProblem_;
  QTimer deadline_;
  QTimer pause_;
};

// "Der Ergebnisdienst bittet zu warten, nächster Versuch in 20 s": what the tab and --update say
// while the service's front asks them to wait.
QString WaitingText(int seconds);

}  // namespace kw
