#include "service/service_fetch.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QStringList>
#include <algorithm>
#include <string_view>

#include "core/cp1252.h"
#include "core/version.h"
#include "service/results_service.h"

namespace kw {

namespace {

// Class IX in the same answer tells the unit of the quotas from this day on; a drawing stored
// without quotas since then is asked for again, the service may have them by now.
const Date kQuotasReadableFrom = Date::FromYmd(2013, 5, 4);

QString FromCp1252(const char* text) { return QString::fromStdString(Cp1252ToUtf8(text)); }

QString DurationText(std::chrono::milliseconds duration) {
  const auto ms = duration.count();
  return ms % 1000 == 0 ? QStringLiteral("%1 s").arg(ms / 1000) : QStringLiteral("%1 ms").arg(ms);
}

bool HasLottoQuotas(const Drawing& drawing) {
  return std::any_of(drawing.quotas.begin(), drawing.quotas.end(),
                     [](const Quota& q) { return q.game == PrizeGame::Lotto; });
}

std::string_view View(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

ServiceFetch::ServiceFetch(DrawingArchive& archive, QObject* parent)
    : QObject(parent), archive_(archive), base_(QString::fromLatin1(kResultsServiceBase)) {
  deadline_.setSingleShot(true);
  pause_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    Fail(QStringLiteral("Der Ergebnisdienst hat auf die Frage nach %1 nicht innerhalb von %2 "
                        "geantwortet (%3)")
             .arg(RequestText(), DurationText(timeout_), requestUrl_.toDisplayString()));
  });
  connect(&pause_, &QTimer::timeout, this, &ServiceFetch::Next);
}

ServiceFetch::~ServiceFetch() { DropReply(); }

void ServiceFetch::SetBase(const QUrl& base) { base_ = base; }
void ServiceFetch::SetSpacing(std::chrono::milliseconds spacing) { spacing_ = spacing; }
void ServiceFetch::SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

QString ServiceFetch::ProgressText(int done, int total) {
  if (total == 0) return QStringLiteral("Die Ziehungstage werden abgefragt");
  return total == 1 ? QStringLiteral("%1 von 1 Ziehung").arg(done)
                    : QStringLiteral("%1 von %2 Ziehungen").arg(done).arg(total);
}

void ServiceFetch::Start(Date first, Date last) {
  if (running_) return;
  running_ = true;
  stage_ = Stage::Planning;
  first_ = first;
  last_ = last;
  years_.clear();
  wanted_.clear();
  missing_ = 0;
  listed_.clear();
  days_.clear();
  unlisted_.clear();
  total_ = 0;
  stored_ = 0;
  // The first step runs from the event loop, so that no signal comes from inside Start.
  pause_.start(0);
}

void ServiceFetch::Cancel() {
  if (!running_) return;
  DropReply();
  deadline_.stop();
  pause_.stop();
  running_ = false;
  emit cancelled(stored_);
}

void ServiceFetch::Fail(const QString& message) {
  if (!running_) return;
  DropReply();
  deadline_.stop();
  pause_.stop();
  running_ = false;
  emit failed(message);
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
  return stage_ != Stage::Drawings
             ? QStringLiteral("den Ziehungstagen %1").arg(year_)
             : QStringLiteral("der Ziehung vom %1").arg(FromCp1252(FormatShortDate(day_).c_str()));
}

void ServiceFetch::Next() {
  if (!running_) return;
  const QString scheme = base_.scheme();
  if (!base_.isValid() || base_.host().isEmpty() ||
      (scheme != QLatin1StringView("https") && scheme != QLatin1StringView("http"))) {
    Fail(QStringLiteral("Die Adresse des Ergebnisdienstes \u201E%1\u201C ist keine http- oder "
                        "https-Adresse")
             .arg(base_.toDisplayString()));
    return;
  }
  try {
    if (stage_ == Stage::Planning) {
      PlanDays();
      stage_ = Stage::DayLists;
    }
    if (stage_ == Stage::DayLists) {
      if (!years_.empty()) {
        year_ = years_.front();
        years_.pop_front();
        emit progress(0, 0);
        if (running_) Send(QString::fromStdString(HistoryPath(year_)));
        return;
      }
      ChooseListedDays();
      stage_ = Stage::Drawings;
      emit progress(0, total_);
      if (!running_) return;
    }
    if (days_.empty()) {
      running_ = false;
      emit finished(stored_);
      return;
    }
    day_ = days_.front();
    days_.pop_front();
    Send(QString::fromStdString(DrawsPath(day_)));
  } catch (const std::exception& e) {
    Fail(FromCp1252(e.what()));
  }
}

// The days worth asking for: drawing days the archive lacks, then stored ones without quotas.
// Only their years' lists are asked for; a range with nothing to fetch sends no request at all.
void ServiceFetch::PlanDays() {
  if (first_ > last_) return;
  wanted_ = archive_.MissingDays(first_, last_, DrawDays::Both);
  missing_ = wanted_.size();
  for (const Drawing& drawing : archive_.ReadRange(first_, last_)) {
    if (drawing.date >= kQuotasReadableFrom && !HasLottoQuotas(drawing)) {
      wanted_.push_back(drawing.date);
    }
  }
  for (const Date day : wanted_) {
    if (std::find(years_.begin(), years_.end(), day.year()) == years_.end()) {
      years_.push_back(day.year());
    }
  }
  std::sort(years_.begin(), years_.end());
}

void ServiceFetch::ChooseListedDays() {
  std::sort(listed_.begin(), listed_.end());
  for (std::size_t i = 0; i < wanted_.size(); ++i) {
    if (std::binary_search(listed_.begin(), listed_.end(), wanted_[i])) {
      days_.push_back(wanted_[i]);
    } else if (i < missing_) {
      unlisted_.push_back(wanted_[i]);
    }
  }
  std::sort(days_.begin(), days_.end());
  total_ = static_cast<int>(days_.size());
}

void ServiceFetch::Send(const QString& path) {
  QUrl url = base_;
  QString basePath = base_.path();
  while (basePath.endsWith(QLatin1Char('/'))) basePath.chop(1);
  url.setPath(basePath + path);
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
  reply_ = network_.get(request);
  QNetworkReply* reply = reply_;

  connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
    body_ += reply->readAll();
    if (static_cast<std::size_t>(body_.size()) > kMaxServiceAnswerBytes) {
      Fail(QStringLiteral("Die Antwort auf die Frage nach %1 ist gr\u00F6\u00DFer als 1 MB (%2)")
               .arg(RequestText(), requestUrl_.toDisplayString()));
    }
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
    QStringList texts;
    for (const QSslError& error : errors) texts << error.errorString();
    sslProblem_ = texts.join(QStringLiteral("; "));
  });
  connect(reply, &QNetworkReply::finished, this, &ServiceFetch::OnFinished);
  deadline_.start(timeout_);
}

void ServiceFetch::OnFinished() {
  if (!reply_) return;
  deadline_.stop();
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->deleteLater();
  body_ += reply->readAll();
  const QString where = reply->url().toDisplayString();
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (status.isValid() && status.toInt() != 200) {
    Fail(QStringLiteral("Der Ergebnisdienst beantwortet die Frage nach %1 mit dem HTTP-Status %2 "
                        "(%3)")
             .arg(RequestText())
             .arg(status.toInt())
             .arg(where));
    return;
  }
  if (reply->error() != QNetworkReply::NoError) {
    if (!sslProblem_.isEmpty() || reply->error() == QNetworkReply::SslHandshakeFailedError) {
      Fail(QStringLiteral("Die sichere Verbindung zum Ergebnisdienst (%1) ist gescheitert: %2")
               .arg(where, sslProblem_.isEmpty() ? reply->errorString() : sslProblem_));
    } else {
      Fail(QStringLiteral("Der Ergebnisdienst ist nicht erreichbar (%1): %2")
               .arg(where, reply->errorString()));
    }
    return;
  }
  if (static_cast<std::size_t>(body_.size()) > kMaxServiceAnswerBytes) {
    Fail(QStringLiteral("Die Antwort auf die Frage nach %1 ist gr\u00F6\u00DFer als 1 MB (%2)")
             .arg(RequestText(), where));
    return;
  }
  const QByteArray body = std::exchange(body_, {});
  Handle(body);
}

void ServiceFetch::Handle(const QByteArray& body) {
  try {
    if (stage_ == Stage::DayLists) {
      for (const Date day : ReadDayList(View(body), year_)) {
        if (day >= first_ && day <= last_) listed_.push_back(day);
      }
    } else {
      const ServiceDrawing read = ReadDayDrawing(View(body), day_);
      // One drawing per Store: a cancel or a later failure never undoes it, and nothing is
      // ever stored by half.
      archive_.Store({read.drawing},
                     "Ergebnisdienst " + base_.host(QUrl::FullyEncoded).toStdString());
      ++stored_;
      emit drawingStored(read.drawing, read.note ? FromCp1252(read.note->c_str()) : QString());
      if (!running_) return;
      emit progress(total_ - static_cast<int>(days_.size()), total_);
      if (!running_) return;
    }
  } catch (const std::exception& e) {
    Fail(FromCp1252(e.what()));
    return;
  }
  // The pause keeps the requests apart; after the last one there is nothing to wait for.
  if (stage_ == Stage::Drawings && days_.empty()) {
    Next();
  } else {
    pause_.start(spacing_);
  }
}

}  // namespace kw
