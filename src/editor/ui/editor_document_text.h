#pragma once

#include <Qsci/qsciscintilla.h>

#include "editor/document_text.h"
#include "editor/ui/editor_bytes.h"

namespace quillon {

// A document's text as an editing window holds it: the window's bytes, and Scintilla's save point as the
// document's modified flag. Empty and unmodified until attached.
class EditorDocumentText : public DocumentText {
 public:
  void attach(QsciScintilla& editor) { editor_ = &editor; }
  std::string_view bytes() const override { return editor_ ? editor_bytes::text(*editor_) : std::string_view(); }
  bool modified() const override { return editor_ && editor_->isModified(); }
  void setSavePoint() override {
    if (editor_) editor_->setModified(false);
  }

 private:
  QsciScintilla* editor_ = nullptr;
};

}  // namespace quillon
