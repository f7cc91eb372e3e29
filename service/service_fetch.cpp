#include "service/service_fetch.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QStringList>
#include <algorithm>
#include <string_view>

#include "core/version.h"
#include "eval/prize_plan.h"
#include "qtedge/cp1252_text.h"
#include "service/network_failure.h"
#include "service/results_service.h"

namespace kw {

namespace {

// The longest piece of a range asked for in one request: a year, as the service's public clients
// ask for it.
constexpr int kLongestRangeDays = 365;
// A request the front refuses this often in a row ends the fetch.
constexpr int kMostRefusals = 5;
// The wait before the next try when the front names none: 5 s, then 10, 20 and 40.
constexpr int kFirstWaitSeconds = 5;
// A wait the front names is honoured within these bounds.
constexpr int kShortestNamedWait = 1;
constexpr int kLongestNamedWait = 120;

QString DurationText(std::chrono::milliseconds duration) {
  const auto ms = duration.count();
  return ms % 1000 == 0 ? QStringLiteral("%1 s").arg(ms / 1000) : QStringLiteral("%1 ms").arg(ms);
}

std::string_view View(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The seconds of a Retry-After header in its seconds form; nothing for a date or no header.
std::optional<int> NamedWait(const QNetworkReply& reply) {
  bool ok = false;
  const int seconds = reply.rawHeader("Retry-After").trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return std::clamp(seconds, kShortestNamedWait, kLongestNamedWait);
}

}  // namespace

QString WaitingText(int seconds) {
  return QStringLiteral("Der Ergebnisdienst bittet zu warten, n\u00E4chster Versuch in %1 s")
      .arg(seconds);
}

ServiceFetch::ServiceFetch(DrawingArchive& archive, QObject* parent)
    : QObject(parent), archive_(archive), base_(QString::fromLatin1(kResultsServiceBase)) {
  deadline_.setSingleShot(true);
  pause_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    Fail(QStringLiteral("Der Ergebnisdienst hat auf die Frage nach %1 nicht innerhalb von %2 "
                        "geantwortet (%3)")
             .arg(RequestText(), DurationText(timeout_), HostText(requestUrl_)));
  });
  connect(&pause_, &QTimer::timeout, this, [this] {
    if (std::exchange(transmitPending_, false)) {
      Transmit();
    } else {
      Next();
    }
  });
}

ServiceFetch::~ServiceFetch() { DropReply(); }

void ServiceFetch::SetBase(const QUrl& base) { base_ = base; }
void ServiceFetch::SetSpacing(std::chrono::milliseconds spacing) { spacing_ = spacing; }
void ServiceFetch::SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
void ServiceFetch::SetWaitTimeScale(std::chrono::milliseconds second) { waitTimeScale_ = second; }

void ServiceFetch::Start(Date first, Date last) {
  if (running_) return;
  running_ = true;
  planned_ = false;
  stage_ = Stage::Ranges;
  rangesCarryQuotas_ = false;
  first_ = first;
  last_ = last;
  wanted_.clear();
  missing_.clear();
  rangeStart_ = 0;
  years_.clear();
  listed_.clear();
  days_.clear();
  stored_.clear();
  unlisted_.clear();
  total_ = 0;
  sent_ = 0;
  transmitPending_ = false;
  answered_.invalidate();
  // The first step runs from the event loop, so that no signal comes from inside Start.
  pause_.start(0);
}

void ServiceFetch::Cancel() {
  if (!running_) return;
  Stop();
  emit cancelled(static_cast<int>(stored_.size()));
}

void ServiceFetch::Fail(const QString& message) {
  if (!running_) return;
  Stop();
  emit failed(message);
}

void ServiceFetch::Stop() {
  DropReply();
  deadline_.stop();
  pause_.stop();
  transmitPending_ = false;
  running_ = false;
}

void ServiceFetch::DropReply() {
  if (!reply_) return;
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->disconnect(this);
  reply->abort();
  reply->deleteLater();
}

QString ServiceFetch::RequestText() const {
  const auto day = [](Date date) { return FromCp1252(FormatShortDate(date)); };
  switch (ask_) {
    case Ask::Range:
      return QStringLiteral("den Ziehungen vom %1 bis %2").arg(day(rangeFirst_), day(rangeLast_));
    case Ask::DayList:
      return QStringLiteral("den Ziehungstagen %1").arg(year_);
    case Ask::Day:
      return QStringLiteral("der Ziehung vom %1").arg(day(day_));
  }
  return {};
}

int ServiceFetch::StoredCount() const { return static_cast<int>(stored_.size()); }

void ServiceFetch::Next() {
  if (!running_) return;
  if (!IsWebAddress(base_)) {
    Fail(QStringLiteral("Die Adresse des Ergebnisdienstes \u201E%1\u201C ist keine http- oder "
                        "https-Adresse")
             .arg(base_.toDisplayString()));
    return;
  }
  try {
    if (!planned_) {
      PlanDays();
      planned_ = true;
      total_ = static_cast<int>(wanted_.size());
      emit progress(0, total_);
      if (!running_) return;
    }
    if (stage_ == Stage::Ranges) {
      if (NextRange()) return;
      stage_ = Stage::Days;
    }
    if (stage_ == Stage::DayLists) {
      if (!years_.empty()) {
        year_ = years_.front();
        years_.pop_front();
        emit progress(StoredCount(), 0);
        if (running_) Send(Ask::DayList, QString::fromStdString(HistoryPath(year_)));
        return;
      }
      ChooseListedDays();
      stage_ = Stage::Days;
      emit progress(StoredCount(), total_);
      if (!running_) return;
    }
    if (days_.empty()) {
      Finish();
      return;
    }
    day_ = days_.front();
    days_.pop_front();
    Send(Ask::Day, QString::fromStdString(DrawsPath(day_)));
  } catch (const std::exception& e) {
    Fail(FromCp1252(e.what()));
  }
}

// The days worth asking for: drawing days the archive lacks, and stored ones that still lack the
// quotas the service may have by now. A range with nothing to fetch sends no request at all.
void ServiceFetch::PlanDays() {
  if (first_ > last_) return;
  missing_ = archive_.MissingDays(first_, last_, DrawDays::Both);
  wanted_ = missing_;
  for (const Drawing& drawing : archive_.ReadRange(first_, last_)) {
    if (LacksQuotas(drawing)) wanted_.push_back(drawing.date);
  }
  std::sort(wanted_.begin(), wanted_.end());
}

// Asks for the next piece of at most a year that holds wanted days; false when every piece is
// done, after choosing the days whose quotas the ranges did not bring.
bool ServiceFetch::NextRange() {
  if (rangeStart_ < wanted_.size()) {
    rangeFirst_ = wanted_[rangeStart_];
    const Date limit{rangeFirst_.dayCount + kLongestRangeDays - 1};
    rangeLast_ = rangeFirst_;
    for (std::size_t i = rangeStart_; i < wanted_.size() && wanted_[i] <= limit; ++i) {
      rangeLast_ = wanted_[i];
    }
    Send(Ask::Range, QString::fromStdString(RangePath(rangeFirst_, rangeLast_)));
    return true;
  }
  // Where no range answer held a quota row, the range form leaves them out: the days that lack
  // them are asked for one by one, in the form that carries them.
  if (!rangesCarryQuotas_) {
    for (const Date day : stored_) {
      const std::optional<Drawing> drawing = archive_.Read(day);
      if (drawing && LacksQuotas(*drawing)) days_.push_back(day);
    }
  }
  return false;
}

// The service refused the range form: the rest of the run asks for the day lists of the years
// still wanted, then for each listed day.
void ServiceFetch::LeaveRanges() {
  stage_ = Stage::DayLists;
  for (std::size_t i = rangeStart_; i < wanted_.size(); ++i) {
    const int year = wanted_[i].year();
    if (years_.empty() || years_.back() != year) years_.push_back(year);
  }
}

void ServiceFetch::ChooseListedDays() {
  std::sort(listed_.begin(), listed_.end());
  for (std::size_t i = rangeStart_; i < wanted_.size(); ++i) {
    if (std::binary_search(listed_.begin(), listed_.end(), wanted_[i])) {
      days_.push_back(wanted_[i]);
    }
  }
  total_ = StoredCount() + static_cast<int>(days_.size());
}

void ServiceFetch::Finish() {
  // What the archive lacked and still lacks was not given: not drawn yet, or not at the service.
  for (const Date day : missing_) {
    if (!stored_.contains(day)) unlisted_.push_back(day);
  }
  running_ = false;
  emit finished(StoredCount());
}

void ServiceFetch::Send(Ask ask, const QString& path) {
  ask_ = ask;
  path_ = path;
  refusals_ = 0;
  // The spacing counts from the last answer; the first request goes out at once.
  const auto since = std::chrono::milliseconds(answered_.isValid() ? answered_.elapsed() : 0);
  if (answered_.isValid() && since < spacing_) {
    transmitPending_ = true;
    pause_.start(spacing_ - since);
    return;
  }
  Transmit();
}

void ServiceFetch::Transmit() {
  if (!running_) return;
  QUrl url = base_;
  QString basePath = base_.path();
  while (basePath.endsWith(QLatin1Char('/'))) basePath.chop(1);
  url.setPath(basePath + path_);
  requestUrl_ = url;
  body_.clear();
  sslProblem_.clear();

  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader,
                    QStringLiteral("Kreuzwart/%1").arg(QLatin1StringView(kVersion)));
  request.setRawHeader("Accept", "application/json");
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::UserVerifiedRedirectPolicy);
  request.setMaximumRedirectsAllowed(5);
  ++sent_;
  reply_ = network_.get(request);
  QNetworkReply* reply = reply_;
  const std::size_t limit = ask_ == Ask::Range ? kMaxServiceRangeBytes : kMaxServiceAnswerBytes;

  connect(reply, &QNetworkReply::readyRead, this, [this, reply, limit] {
    body_ += reply->readAll();
    if (static_cast<std::size_t>(body_.size()) > limit) FailTooLarge(limit);
  });
  connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl& target) {
    // A redirect must not take the answers off an encrypted connection, nor onto one that never
    // was: only https is followed.
    if (target.scheme() == QLatin1StringView("https")) {
      requestUrl_ = target;
      emit reply->redirectAllowed();
      return;
    }
    Fail(QStringLiteral("Der Ergebnisdienst leitet die Frage nach %1 auf die unverschl\u00FCsselte "
                        "Adresse %2 um; das Programm folgt nur Umleitungen auf https-Adressen")
             .arg(RequestText(), target.toDisplayString()));
  });
  connect(reply, &QNetworkReply::sslErrors, this, [this](const QList<QSslError>& errors) {
    sslProblem_ = CertificateFailureReason(errors);
  });
  connect(reply, &QNetworkReply::finished, this, &ServiceFetch::OnFinished);
  deadline_.start(timeout_);
}

void ServiceFetch::FailTooLarge(std::size_t limit) {
  Fail(QStringLiteral("Die Antwort auf die Frage nach %1 ist gr\u00F6\u00DFer als %2 MB (%3)")
           .arg(RequestText())
           .arg(limit >> 20)
           .arg(HostText(requestUrl_)));
}

// The front's "wait": the same request goes out again after the wait it names, or after 5, 10,
// 20 and 40 s; the fifth refusal ends the fetch.
void ServiceFetch::OnRefused(int status, std::optional<int> namedWait) {
  ++refusals_;
  if (refusals_ >= kMostRefusals) {
    Fail(QStringLiteral("Der Ergebnisdienst hat die Frage nach %1 f\u00FCnfmal mit dem HTTP-Status "
                        "%2 abgewiesen und bittet zu warten; versuchen Sie es sp\u00E4ter noch "
                        "einmal (%3)")
             .arg(RequestText())
             .arg(status)
             .arg(HostText(requestUrl_)));
    return;
  }
  const int seconds = namedWait.value_or(kFirstWaitSeconds << (refusals_ - 1));
  emit waiting(seconds);
  if (!running_) return;
  transmitPending_ = true;
  pause_.start(std::max(waitTimeScale_ * seconds, spacing_));
}

void ServiceFetch::OnFinished() {
  if (!reply_) return;
  deadline_.stop();
  answered_.start();
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->deleteLater();
  body_ += reply->readAll();
  const QString where = HostText(reply->url());
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  const int code = status.isValid() ? status.toInt() : 0;
  if (code == 429 || code == 503) {
    OnRefused(code, NamedWait(*reply));
    return;
  }
  if (code != 0 && code != 200) {
    if (ask_ == Ask::Range) {
      // The range form is refused (not found, not allowed): the days are asked for one by one.
      LeaveRanges();
      Next();
      return;
    }
    Fail(QStringLiteral("Der Ergebnisdienst beantwortet die Frage nach %1 mit dem HTTP-Status %2 "
                        "(%3)")
             .arg(RequestText())
             .arg(code)
             .arg(where));
    return;
  }
  if (reply->error() != QNetworkReply::NoError) {
    if (!sslProblem_.isEmpty() || reply->error() == QNetworkReply::SslHandshakeFailedError) {
      Fail(QStringLiteral("Die sichere Verbindung zum Ergebnisdienst (%1) ist gescheitert: %2")
               .arg(where, sslProblem_.isEmpty() ? CertificateFailureReason({}) : sslProblem_));
    } else {
      Fail(QStringLiteral("Der Ergebnisdienst (%1) ist nicht erreichbar: %2")
               .arg(where, NetworkFailureReason(reply->error())));
    }
    return;
  }
  const std::size_t limit = ask_ == Ask::Range ? kMaxServiceRangeBytes : kMaxServiceAnswerBytes;
  if (static_cast<std::size_t>(body_.size()) > limit) {
    FailTooLarge(limit);
    return;
  }
  const QByteArray body = std::exchange(body_, {});
  Handle(body);
}

void ServiceFetch::Handle(const QByteArray& body) {
  try {
    switch (ask_) {
      case Ask::Range:
        HandleRange(body);
        break;
      case Ask::DayList:
        for (const Date day : ReadDayList(View(body), year_)) {
          if (day >= first_ && day <= last_) listed_.push_back(day);
        }
        break;
      case Ask::Day:
        StoreRead(ReadDayDrawing(View(body), day_), true);
        break;
    }
  } catch (const std::exception& e) {
    Fail(FromCp1252(e.what()));
    return;
  }
  Next();
}

void ServiceFetch::HandleRange(const QByteArray& body) {
  const std::optional<std::vector<ServiceDrawing>> drawings =
      ReadRangeDrawings(View(body), rangeFirst_, rangeLast_);
  if (!drawings) {
    LeaveRanges();
    return;
  }
  const bool carriesQuotas = std::any_of(drawings->begin(), drawings->end(),
                                         [](const ServiceDrawing& d) { return d.quotasPublished; });
  rangesCarryQuotas_ = rangesCarryQuotas_ || carriesQuotas;
  for (const ServiceDrawing& read : *drawings) {
    if (!std::binary_search(wanted_.begin(), wanted_.end(), read.drawing.date)) continue;
    // Without a quota row in the whole answer, its lack says nothing about the drawing.
    StoreRead(read, carriesQuotas);
    if (!running_) return;
  }
  while (rangeStart_ < wanted_.size() && wanted_[rangeStart_] <= rangeLast_) ++rangeStart_;
}

void ServiceFetch::StoreRead(const ServiceDrawing& read, bool sayQuotasMissing) {
  // One drawing per Store: a cancel or a later failure never undoes it, and nothing is ever
  // stored by half.
  archive_.Store({read.drawing}, "Ergebnisdienst " + base_.host(QUrl::FullyEncoded).toStdString());
  stored_.insert(read.drawing.date);
  std::string note = read.note.value_or("");
  if (!read.quotasPublished && sayQuotasMissing) {
    note = note.empty() ? kQuotasNotPublished : std::string(kQuotasNotPublished) + "; " + note;
  }
  emit drawingStored(read.drawing, FromCp1252(note));
  if (!running_) return;
  emit progress(StoredCount(), std::max(total_, StoredCount()));
}

}  // namespace kw
