#pragma once

// The results service as a test's local server offers it: its answers under "/api", the
// address the tests give as the service's base.

#include <QByteArray>
#include <string>

#include "core/date.h"
#include "tests/support/local_http_server.h"
#include "service/results_service.h"

namespace kw::test {

inline LocalHttpServer::Response Json(const std::string& body) {
  return {200, QByteArray::fromStdString(body), {}, "application/json"};
}

inline QByteArray ApiPath(const std::string& path) {
  return "/api" + QByteArray::fromStdString(path);
}
inline QByteArray DrawsAt(Date day) { return ApiPath(DrawsPath(day)); }
inline QByteArray HistoryOf(int year) { return ApiPath(HistoryPath(year)); }
inline QByteArray RangeAt(Date first, Date last) { return ApiPath(RangePath(first, last)); }

}  // namespace kw::test
