#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_io.h"
#include "editor/document_text.h"
#include "platform/prompts.h"

namespace quillon {

struct RunSettings;

struct DocumentState {
  std::string path;                // DocumentPath
  bool readOnly = false;           // ReadOnlyPage: a help page, never saved
  std::optional<FileStamp> stamp;  // the file at `path` as last read or written by us
};

enum class CloseRequest { Other, SaveCommand };

// One open HTML document: its path and flags, and the close check and saving that every command replacing,
// closing or saving it goes through. Its bytes and whether it is modified come from `text`, the window's.
// Nothing else changes the state: it moves through the named operations below.
class DocumentSession {
 public:
  DocumentSession(std::string programDir, const RunSettings& settings, Prompts& prompts, FileDialogs& dialogs,
                  DocumentText& text);

  const DocumentState& state() const { return state_; }
  bool modified() const { return text_.modified(); }
  // Called with the path after the save command or the close check wrote the document (Save As does not
  // call it).
  void onSaved(std::function<void(const std::string& path)> saved) { onSaved_ = std::move(saved); }

  // QueryCloseHTML. Yes or No: the caller may replace the document. Cancel: the command stops. A save that
  // fails or is refused answers Cancel and leaves name and modified flag as they were.
  Answer queryClose(CloseRequest request);
  // Save As: asks for a name and writes even an unmodified document; false when cancelled or not written,
  // in which case the document keeps its name and modified flag.
  bool saveAs();
  // A fresh untitled document: program directory + "new." + Ext, not modified, not read-only.
  void resetToNew();
  // Another open page's state, when the window shows that page's text (each page keeps its own).
  void restore(DocumentState state) { state_ = std::move(state); }
  // After a file was loaded into the text: named, not modified; read-only for a help page.
  void opened(const std::string& path, bool readOnly = false);

  std::string untitledPath() const;
  std::string statusText() const { return "Open HTML File:  " + state_.path; }
  bool saveCommandsEnabled() const { return !state_.readOnly; }
  bool isUntitled() const;

  static std::string newFileTemplate();
  static const char* const kSaveQuestion;
  // The message for a file that cannot be opened: a page of the project points to "Change HTML Link" and
  // "Change File Path", any other file to "Change file link".
  enum class OpenedFrom { ProjectPage, OtherFile };
  static std::string cannotOpenMessage(OpenedFrom from, const std::string& path);
  static std::string changedOnDiskQuestion(const std::string& path);

 private:
  std::optional<std::string> askSaveName();
  // Writes the text to `path`; asks first when another program changed the file since we read or wrote it.
  bool writeTo(const std::string& path);

  std::string programDir_;
  const RunSettings& settings_;
  Prompts& prompts_;
  FileDialogs& dialogs_;
  DocumentText& text_;
  std::function<void(const std::string&)> onSaved_;
  DocumentState state_;
};

}  // namespace quillon
