#pragma once

#include <Qsci/qsciscintilla.h>

#include <string>

#include "editor/document_text.h"
#include "editor/page_reading.h"
#include "editor/ui/editor_bytes.h"

namespace quillon {

// A document's text as an editing window holds it: the page's bytes (the window's own, or, for a page held
// in UTF-8 for the 8-bit set it is in, the window's text written back through that set), and Scintilla's
// save point as the document's modified flag. Empty and unmodified until attached.
class EditorDocumentText : public DocumentText {
 public:
  void attach(QsciScintilla& editor) { editor_ = &editor; }
  std::string_view bytes() const override {
    if (!editor_) return {};
    if (!reading_.transcoded) return editor_bytes::text(*editor_);
    encoded_ = pageBytesOf(editor_bytes::text(*editor_), reading_);
    return encoded_;
  }
  // Scintilla's own flag: the widget's cached one follows only the document it was made with.
  bool modified() const override { return editor_ && editor_->SendScintilla(QsciScintillaBase::SCI_GETMODIFY) != 0; }
  void setSavePoint() override {
    if (editor_) editor_->setModified(false);
  }
  const PageReading& reading() const { return reading_; }
  void setReading(PageReading reading) { reading_ = std::move(reading); }

 private:
  QsciScintilla* editor_ = nullptr;
  PageReading reading_;
  mutable std::string encoded_;
};

}  // namespace quillon
