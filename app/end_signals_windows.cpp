#include <QGuiApplication>
#include <QSessionManager>

#include "app/end_signals.h"

namespace kw {

EndSignals::EndSignals(QObject* parent) : QObject(parent) {
  // Windows asks every program before a log-off or a shutdown; Qt passes the question on. The
  // program is not asked to refuse: it only ends the way its window's closing ends it.
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    connect(app, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { emit received(0); });
  }
}

EndSignals::~EndSignals() = default;

}  // namespace kw
