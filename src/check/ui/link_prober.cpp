#include "check/ui/link_prober.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace quillon {

LinkProber::LinkProber(QObject* parent) : QObject(parent), network_(new QNetworkAccessManager(this)) {
  network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

LinkProber::~LinkProber() { stop(); }

void LinkProber::start(const std::vector<std::string>& urls) {
  std::set<std::string> unique;
  for (const std::string& url : urls)
    if (!answers_.count(url) && unique.insert(url).second) pending_.push_back(url);
  total_ = answers_.size() + pending_.size();
  next();
  if (!running()) emit finished();
}

void LinkProber::stop() {
  pending_.clear();
  const auto active = active_;
  for (const auto& [reply, what] : active) {
    stopped_.insert(reply);
    reply->abort();
  }
}

void LinkProber::next() {
  while (static_cast<int>(active_.size()) < kAtOnce && !pending_.empty()) {
    const std::string url = pending_.front();
    pending_.pop_front();
    send(url, false);
  }
}

void LinkProber::send(const std::string& url, bool get) {
  QNetworkRequest request(QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::TolerantMode));
  request.setTransferTimeout(kTimeoutMs);
  request.setMaximumRedirectsAllowed(10);
  request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("QuillonCheck/2.0"));
  QNetworkReply* reply = get ? network_->get(request) : network_->head(request);
  active_[reply] = {url, get};
  if (get)  // the status is all that is wanted: the body is never read
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
      const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
      if (!status.isValid() || reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid()) return;
      headersOnly_[reply] = status.toInt();
      reply->abort();
    });
  connect(reply, &QNetworkReply::finished, this, [this, reply] { answered(reply); });
}

void LinkProber::answered(QNetworkReply* reply) {
  const auto it = active_.find(reply);
  if (it == active_.end()) return;
  const auto [url, wasGet] = it->second;
  active_.erase(it);
  reply->deleteLater();
  const bool stopped = stopped_.erase(reply) > 0;
  if (stopped) {
    headersOnly_.erase(reply);
    if (!running()) emit finished();
    return;
  }
  ExternalAnswer a;
  a.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  QNetworkReply::NetworkError error = reply->error();
  if (const auto early = headersOnly_.find(reply); early != headersOnly_.end()) {
    a.status = early->second;
    error = QNetworkReply::NoError;
    headersOnly_.erase(early);
  }
  // A server that will not answer HEAD (405, 501, some 403 and 400) is asked with GET.
  if (!wasGet &&
      (a.status == 405 || a.status == 501 || a.status == 403 || a.status == 400 ||
       (a.status == 0 && error != QNetworkReply::OperationCanceledError && error != QNetworkReply::TimeoutError &&
        error != QNetworkReply::HostNotFoundError && error != QNetworkReply::ConnectionRefusedError))) {
    send(url, true);
    return;
  }
  const std::string finalUrl = reply->url().toString(QUrl::FullyEncoded).toStdString();
  if (finalUrl != url && reply->request().url() != reply->url()) a.finalUrl = finalUrl;
  if (a.status == 0 || (error != QNetworkReply::NoError && a.status < 400)) {
    if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
      a.error = "no answer within " + std::to_string(kTimeoutMs / 1000) + " s";
    else if (error == QNetworkReply::TooManyRedirectsError)
      a.error = "it redirects too many times";
    else
      a.error = reply->errorString().toStdString();
    if (a.error.empty()) a.error = "no answer";
  }
  answers_[url] = a;
  emit progressed();
  next();
  if (!running()) emit finished();
}

}  // namespace quillon
