#pragma once

#include <QObject>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "check/site_check.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace quillon {

// Asks each external link's server whether the link works: HEAD first, GET when a server refuses HEAD,
// eight at a time, redirects followed, 10 s without an answer counted as none.
class LinkProber : public QObject {
  Q_OBJECT
 public:
  explicit LinkProber(QObject* parent = nullptr);
  ~LinkProber() override;
  void start(const std::vector<std::string>& urls);
  void stop();
  bool running() const { return !pending_.empty() || !active_.empty(); }
  const std::map<std::string, ExternalAnswer>& answers() const { return answers_; }
  size_t done() const { return answers_.size(); }
  size_t total() const { return total_; }

  static constexpr int kAtOnce = 8;
  static constexpr int kTimeoutMs = 10'000;

 signals:
  void progressed();
  void finished();

 private:
  void next();
  void send(const std::string& url, bool get);
  void answered(QNetworkReply* reply);

  QNetworkAccessManager* network_;
  std::deque<std::string> pending_;
  std::map<QNetworkReply*, std::pair<std::string, bool>> active_;  // the URL, and whether it is a GET
  std::map<std::string, ExternalAnswer> answers_;
  std::set<QNetworkReply*> stopped_;
  std::map<QNetworkReply*, int> headersOnly_;  // GETs stopped once their status came
  size_t total_ = 0;
};

}  // namespace quillon
