#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompts.h"

namespace quillon::testing {

// The desktop's dialogs as a test scripts them: message boxes take queued answers (else `fallback`, or the
// box's only button), file and colour dialogs take queued results (else they are cancelled), and every
// prompt is recorded. The clipboard is a string.
class ScriptedPlatform : public Prompts, public FileDialogs, public ColourDialogs, public Clipboard {
 public:
  struct Said {
    MessageKind kind;
    std::string text;
  };

  std::deque<Answer> answers;
  Answer fallback = Answer::Cancel;
  std::vector<Said> said;
  std::deque<std::optional<std::string>> files;
  std::vector<FileDialogRequest> requests;
  std::deque<std::optional<ColourValue>> colours;
  std::string clipboard;

  Answer message(MessageKind kind, const std::string&, const std::string& text, Buttons buttons) override {
    said.push_back({kind, text});
    if (!answers.empty()) {
      const Answer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == Buttons::Ok ? Answer::Ok : fallback;
  }
  std::optional<std::string> choose(const FileDialogRequest& request) override {
    requests.push_back(request);
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
  }
  std::optional<ColourValue> choose(ColourValue) override {
    if (colours.empty()) return std::nullopt;
    auto c = colours.front();
    colours.pop_front();
    return c;
  }
  std::string text() const override { return clipboard; }
  void setText(const std::string& bytes) override { clipboard = bytes; }
  void clear() override { clipboard.clear(); }

  const std::string& lastSaid() const {
    static const std::string none;
    return said.empty() ? none : said.back().text;
  }
  bool saidError() const { return !said.empty() && said.back().kind == MessageKind::Error; }
};

}  // namespace quillon::testing
