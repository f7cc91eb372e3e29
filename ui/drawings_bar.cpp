#include "ui/drawings_bar.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/drawings_session.h"
#include "ui/platform.h"

namespace kw {

QPushButton* TermButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& hint) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAccessibleName(QString(caption).remove(u'&'));
  button->setAutoDefault(true);
  return button;
}

DrawingsBar::DrawingsBar(DrawingsSession& session, Platform& platform, const QString& prefix,
                         const QString& fetchHint, StatusPlace place, QWidget* parent)
    : QWidget(parent), session_(session), platform_(platform) {
  setObjectName(prefix + QStringLiteral("DrawingsBar"));
  fetch_ = TermButton(this, prefix + QStringLiteral("Fetch"), QStringLiteral("Ziehungen &holen"),
                      fetchHint);
  cancel_ = TermButton(this, prefix + QStringLiteral("Cancel"), QStringLiteral("Abb&rechen"),
                       QStringLiteral("Das Holen der Ziehungen abbrechen"));
  import_ = TermButton(this, prefix + QStringLiteral("Import"),
                       QStringLiteral("Ziehungen i&mportieren \u2026"),
                       QStringLiteral("Ziehungen aus einer Datei (CSV oder JSON) ins Archiv "
                                      "\u00fcbernehmen"));
  status_ = new QLabel(this);
  status_->setObjectName(prefix + QStringLiteral("Status"));
  status_->setTextFormat(Qt::PlainText);
  status_->setAccessibleName(QStringLiteral("Stand"));

  auto* buttons = row_ = new QHBoxLayout;
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->setSpacing(4);
  buttons->addWidget(fetch_);
  buttons->addWidget(cancel_);
  buttons->addWidget(import_);
  if (place == StatusPlace::Above) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    status_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    column->addWidget(status_);
    buttons->addStretch(1);
    column->addLayout(buttons);
  } else {
    buttons->addSpacing(8);
    buttons->addWidget(status_, 1);
    setLayout(buttons);
  }

  connect(fetch_, &QPushButton::clicked, this, &DrawingsBar::fetchRequested);
  connect(cancel_, &QPushButton::clicked, this, [this] { session_.Cancel(); });
  connect(import_, &QPushButton::clicked, this,
          [this] { RunHandler(platform_, [this] { session_.Import(); }); });
  connect(&session_, &DrawingsSession::runningChanged, this, &DrawingsBar::FollowSession);
  connect(&session_, &DrawingsSession::statusChanged, this, [this](const QString& status) {
    status_->setText(status);
    status_->setToolTip({});
  });
  FollowSession();
  if (session_.IsRunning()) status_->setText(session_.Status());
}

DrawingsBar::~DrawingsBar() {
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
}

void DrawingsBar::AddToRow(QWidget* control) { row_->addWidget(control); }

void DrawingsBar::SetFetchable(bool fetchable) {
  fetchable_ = fetchable;
  FollowSession();
}

void DrawingsBar::SetNote(const QString& note, const QString& tip) {
  if (session_.IsRunning()) return;  // the fetch's progress stands there
  status_->setText(note);
  status_->setToolTip(tip);
}

void DrawingsBar::FollowSession() {
  const bool running = session_.IsRunning();
  // A click opens the archive where it is not open yet; one that cannot be opened says why then.
  fetch_->setEnabled(!running && fetchable_);
  import_->setEnabled(!running);
  cancel_->setEnabled(running);
}

}  // namespace kw
