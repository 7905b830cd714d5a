#include "publish/sftp_publisher.h"

#include <chrono>

namespace quillon {

SftpPublisher::SftpPublisher(EventLoop& loop, HostTrust trust)
    : loop_(loop), trust_(std::move(trust)), worker_([this] { work(); }) {}

SftpPublisher::~SftpPublisher() {
  *alive_ = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    jobs_.clear();
  }
  cancel_ = true;
  session_.interrupt();
  wake_.notify_all();
  worker_.join();
}

void SftpPublisher::work() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) break;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job();
  }
  session_.close();
}

// A line for the log, from the worker.
void SftpPublisher::say(std::string line) {
  loop_.post([this, alive = alive_, line = std::move(line)] {
    if (*alive && events.traffic) events.traffic(line);
  });
}

void SftpPublisher::run(Op op, std::function<void(Found&)> job) {
  if (const char* why = refusalOf(op, connected_, busy_)) {
    Outcome o{op, false, why};
    loop_.post([this, alive = alive_, o] {
      if (*alive && events.done) events.done(o);
    });
    return;
  }
  busy_ = true;
  cancel_ = false;
  std::lock_guard<std::mutex> lock(mutex_);
  jobs_.push_back([this, op, job = std::move(job)] {
    Found found;
    job(found);
    found.folder = session_.folder();
    loop_.post([this, alive = alive_, op, found = std::move(found)]() mutable {
      if (*alive) finished(op, std::move(found));
    });
  });
  wake_.notify_one();
}

void SftpPublisher::finished(Op op, Found found) {
  busy_ = false;
  folder_ = found.folder;
  if (found.listing) {
    entries_ = std::move(found.entries);
    lines_ = std::move(found.lines);
  }
  if (op == Op::Size) size_ = found.size;
  if (op == Op::Store) {
    sent_ = found.sent;
    elapsed_ = found.elapsed;
  }
  if (op == Op::Connect) {
    refusedKey_ = found.refusedKey;
    refusedKeyChanged_ = found.refusedKeyChanged;
    // Logged in, even when the starting folder was refused.
    connected_ = found.result.ok || !found.result.lost;
  }
  const bool lost = found.result.lost || op == Op::Quit;
  // A key never seen is for the caller to offer the user; everything else that ends the session is told.
  const bool askAboutKey = op == Op::Connect && refusedKey_ && !refusedKeyChanged_;
  if (lost && op != Op::Quit && !askAboutKey && !found.result.why.empty() && events.failed)
    events.failed(found.result.why);
  const bool wasConnected = connected_;
  if (lost) connected_ = false;
  if (events.done) events.done({op, found.result.ok || op == Op::Quit, found.result.why});
  if (lost && (wasConnected || op == Op::Connect) && events.closed) events.closed();
}

void SftpPublisher::connect(const PublishLogin& login) {
  const HostTrust trust = trust_;
  run(Op::Connect, [this, login, trust](Found& f) {
    f.result = session_.connect(login, trust, [this](std::string line) { say(std::move(line)); });
    f.refusedKey = session_.refusedKey;
    f.refusedKeyChanged = session_.refusedKeyChanged;
    if (f.result.lost) session_.close();
  });
}

void SftpPublisher::list() {
  run(Op::List, [this](Found& f) {
    f.listing = true;
    f.result = session_.list(f.entries, f.lines);
  });
}

void SftpPublisher::changeFolder(const std::string& name) {
  run(Op::ChangeFolder, [this, name](Found& f) { f.result = session_.changeFolder(name); });
}

void SftpPublisher::makeFolder(const std::string& name) {
  run(Op::MakeFolder, [this, name](Found& f) { f.result = session_.makeFolder(name); });
}

void SftpPublisher::removeFolder(const std::string& name) {
  run(Op::RemoveFolder, [this, name](Found& f) { f.result = session_.removeFolder(name); });
}

void SftpPublisher::deleteFile(const std::string& name) {
  run(Op::Delete, [this, name](Found& f) { f.result = session_.deleteFile(name); });
}

void SftpPublisher::rename(const std::string& from, const std::string& to) {
  run(Op::Rename, [this, from, to](Found& f) { f.result = session_.rename(from, to); });
}

void SftpPublisher::size(const std::string& name) {
  run(Op::Size, [this, name](Found& f) {
    int64_t bytes = 0;
    f.result = session_.size(name, bytes);
    if (f.result.ok) f.size = bytes;
  });
}

void SftpPublisher::store(const std::string& local, const std::string& remote) {
  run(Op::Store, [this, local, remote](Found& f) {
    const auto start = std::chrono::steady_clock::now();
    auto last = start;
    f.result = session_.store(
        local, remote, cancel_,
        [&](uint64_t sent) {
          const auto now = std::chrono::steady_clock::now();
          if (now - last < std::chrono::milliseconds(100)) return;
          last = now;
          loop_.post([this, alive = alive_, sent] {
            if (*alive && events.progress) events.progress(sent);
          });
        },
        f.sent);
    f.elapsed = static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
  });
}

void SftpPublisher::quit() {
  run(Op::Quit, [this](Found& f) {
    session_.close();
    f.result = {true, {}, false};
  });
}

}  // namespace quillon
