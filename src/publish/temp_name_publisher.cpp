#include "publish/temp_name_publisher.h"

namespace quillon {

std::string temporaryUploadName(const std::string& remote) { return "." + remote + ".quillon-upload"; }

std::string readyUploadName(const std::string& remote) { return "." + remote + ".quillon-ready"; }

TempNamePublisher::TempNamePublisher(std::unique_ptr<Publisher> inner, bool tempNames)
    : inner_(std::move(inner)), tempNames_(tempNames) {
  Events& e = inner_->events;
  e.done = [this](const Outcome& o) { innerDone(o); };
  e.traffic = [this](const std::string& line) {
    if (events.traffic) events.traffic(line);
  };
  e.progress = [this](uint64_t sent) {
    if (events.progress) events.progress(sent);
  };
  e.failed = [this](const std::string& message) {
    if (events.failed) events.failed(message);
  };
  e.closed = [this] {
    if (events.closed) events.closed();
  };
}

void TempNamePublisher::store(const std::string& local, const std::string& remote) {
  if (!tempNames_ || step_ != Step::None) {
    inner_->store(local, remote);
    return;
  }
  remote_ = remote;
  temporary_ = current_ = temporaryUploadName(remote);
  cancelled_ = false;
  sent_ = 0;
  elapsed_ = 0;
  step_ = Step::Store;
  inner_->store(local, temporary_);
}

void TempNamePublisher::abort() {
  cancelled_ = true;
  inner_->abort();
}

void TempNamePublisher::innerDone(const Outcome& o) {
  switch (step_) {
    case Step::None:
      if (o.op == Op::Store) {
        sent_ = inner_->bytesSent();
        elapsed_ = inner_->elapsedMs();
      }
      if (events.done) events.done(o);
      return;
    case Step::Store:
      return afterStore(o);
    case Step::CheckSize:
      return afterSize(o);
    case Step::Rename:
    case Step::RenameAgain:
      return afterRename(o);
    case Step::ClearReady:
      // Whatever a killed run left under the second name goes; then a rename that replaces nothing shows
      // whether the server renames at all.
      step_ = Step::ProbeRename;
      inner_->rename(temporary_, readyUploadName(remote_));
      return;
    case Step::ProbeRename:
      if (!o.ok || !inner_->connected()) return fail(failure_);
      current_ = readyUploadName(remote_);
      step_ = Step::DeleteTarget;
      inner_->deleteFile(remote_);
      return;
    case Step::DeleteTarget:
      if (!o.ok) return fail(failure_);
      step_ = Step::RenameAgain;
      inner_->rename(current_, remote_);
      return;
    case Step::RemoveTemporary:
      // Whatever the server says of the temporary file, the upload has failed.
      return finish(failure_);
  }
}

void TempNamePublisher::afterStore(const Outcome& o) {
  sent_ = inner_->bytesSent();
  elapsed_ = inner_->elapsedMs();
  if (!o.ok || cancelled_) return fail({Op::Store, false, o.ok ? "The upload was cancelled" : o.why});
  step_ = Step::CheckSize;
  inner_->size(temporary_);
}

// A server without SIZE leaves the data connection's byte count, which was exact, as the check.
void TempNamePublisher::afterSize(const Outcome& o) {
  if (!inner_->connected()) return fail({Op::Store, false, o.why});
  const auto found = o.ok ? inner_->sizeFound() : std::nullopt;
  if (found && static_cast<uint64_t>(*found) != sent_)
    return fail({Op::Store, false,
                 "The server holds " + std::to_string(*found) + " bytes of the " + std::to_string(sent_) + " sent"});
  if (cancelled_) return fail({Op::Store, false, "The upload was cancelled"});
  step_ = Step::Rename;
  inner_->rename(temporary_, remote_);
}

// A rename over the target refused: only a server that renames when nothing is in the way (shown by a
// rename to a second hidden name) gets its old file deleted to make room. One that renames nothing keeps
// its old file, and the new one goes.
void TempNamePublisher::afterRename(const Outcome& o) {
  if (o.ok) return finish({Op::Store, true, {}});
  if (step_ == Step::Rename) {
    failure_ = {Op::Store, false, o.why};
    if (!inner_->connected()) return finish(failure_);
    step_ = Step::ClearReady;
    inner_->deleteFile(readyUploadName(remote_));
    return;
  }
  // The old file is gone and the new one is whole under its second name: it is kept there, and said.
  finish({Op::Store, false,
          "The old " + remote_ +
              " was removed to make room, but the server would not give the new file its name; "
              "it is whole on the server as " +
              current_});
}

// The temporary file goes, while the connection lasts; the failure is told once that is done.
void TempNamePublisher::fail(Outcome why) {
  why.op = Op::Store;
  failure_ = std::move(why);
  if (!inner_->connected()) return finish(failure_);
  step_ = Step::RemoveTemporary;
  inner_->deleteFile(current_);
}

void TempNamePublisher::finish(Outcome o) {
  step_ = Step::None;
  o.op = Op::Store;
  if (events.done) events.done(o);
}

}  // namespace quillon
