// Tag insertion commands: tags around the selection, texts at the caret, lists, grids, colours, dates.
#include <Qsci/qsciscintilla.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QListWidget>
#include <QLocale>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "base/text_bytes.h"
#include "builders/hand_back.h"
#include "builders/speed_bar.h"
#include "builders/ui/anchor_form.h"
#include "builders/ui/body_form.h"
#include "builders/ui/email_form.h"
#include "builders/ui/frame_tag_forms.h"
#include "builders/ui/frames_form.h"
#include "builders/ui/help_on_top_form.h"
#include "builders/ui/horiz_form.h"
#include "builders/ui/image_view_form.h"
#include "builders/ui/list_form.h"
#include "builders/ui/speed_bar_form.h"
#include "builders/ui/table_form.h"
#include "editor/insertion.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/qt_text.h"

namespace quillon {

EditView TForm1::editView() const {
  return {editor_bytes::text(*RE1), static_cast<size_t>(editor_bytes::selectionStart(*RE1)),
          static_cast<size_t>(editor_bytes::selectionLength(*RE1))};
}

void TForm1::applyInsertion(const Insertion& in) {
  RE1->setFocus();
  editor_bytes::replaceRange(*RE1, static_cast<long>(in.start), static_cast<long>(in.removeLength), in.text);
  editor_bytes::select(*RE1, static_cast<long>(in.selStart), static_cast<long>(in.selLength));
}

std::vector<CommandRecord> TForm1::tagCommands() {
  std::vector<CommandRecord> records = changingText(wrappingTagCommands());
  for (CommandRecord& r : changingText(insertedTagCommands())) records.push_back(std::move(r));
  for (CommandRecord& r : builderCommands()) records.push_back(std::move(r));
  return records;
}

// Tags put around the selection.
std::vector<CommandRecord> TForm1::wrappingTagCommands() {
  struct Wrap {
    CommandName command;
    const char *caption, *shortcut, *icon;
    const char *open, *close;
  };
  static const Wrap wraps[] = {
      {cmd::UnderlineClick, "Underline", "Ctrl+Shift+U", "format-text-underline", "<U>", "</U>"},
      {cmd::Center1Click, "Center", "Ctrl+Shift+C", "format-justify-center", "<CENTER>", "</CENTER>"},
      {cmd::H11Click, "H1", "", "", "<H1>", "</H1>"},
      {cmd::H21Click, "H2", "", "", "<H2>", "</H2>"},
      {cmd::H31Click, "H3", "", "", "<H3>", "</H3>"},
      {cmd::font2Click, "<FONT>", "", "", "<FONT>", "</FONT>"},
      {cmd::font11Click, "Font Size +1", "Alt+F1", "", "<FONT SIZE=\"+1\">", "</FONT>"},
      {cmd::font21Click, "Font Size +2", "Alt+F2", "", "<FONT SIZE=\"+2\">", "</FONT>"},
      {cmd::font12Click, "Font Size -1", "Ctrl+Alt+F1", "", "<FONT SIZE=\"-1\">", "</FONT>"},
      {cmd::font22Click, "Font Size -2", "Ctrl+Alt+F2", "", "<FONT SIZE=\"-2\">", "</FONT>"},
      {cmd::Superscript1Click, "Superscript", "", "go-up", "<SUP>", "</SUP>"},
      {cmd::Subscript1Click, "Subscript", "", "go-down", "<SUB>", "</SUB>"},
      {cmd::PRE1Click, "<PRE>", "", "format-justify-left", "<PRE>", "</PRE>"},
      {cmd::Blockquote1Click, "Blockquote", "", "", "<BLOCKQUOTE>", "</BLOCKQUOTE>"},
      {cmd::AHREF1Click, "<A HREF>", "", "", "<A HREF=\"\">", "</A>"},
      {cmd::table2Click, "<TABLE>", "", "", "<TABLE>", "</TABLE>"},
      {cmd::tr1Click, "<TR>", "", "", "<TR>", "</TR>"},
      {cmd::td1Click, "<TD>", "", "", "<TD>", "</TD>"},
      {cmd::th1Click, "<TH>", "", "", "<TH>", "</TH>"},
      {cmd::Caption1Click, "<Caption>", "", "", "<CAPTION>", "</CAPTION>"},
  };
  std::vector<CommandRecord> records;
  for (const Wrap& w : wraps)
    records.push_back({w.command, w.caption, w.shortcut, w.icon,
                       [this, &w] { applyInsertion(wrapSelection(editView(), w.open, w.close)); }});
  records.push_back({cmd::BoldTagClick, "Bold", "Ctrl+Shift+B", "format-text-bold", [this] {
                       applyInsertion(settings_.strong ? wrapSelection(editView(), "<STRONG>", "</STRONG>")
                                                       : wrapSelection(editView(), "<B>", "</B>"));
                     }});
  records.push_back({cmd::ItalicClick, "Italic", "Ctrl+Shift+I", "format-text-italic", [this] {
                       applyInsertion(settings_.em ? wrapSelection(editView(), "<EM>", "</EM>")
                                                   : wrapSelection(editView(), "<I>", "</I>"));
                     }});
  return records;
}

// Tags and characters put in at the caret, and blocks through the clipboard.
std::vector<CommandRecord> TForm1::insertedTagCommands() {
  std::vector<CommandRecord> records;
  struct Tag {
    CommandName command;
    const char *caption, *shortcut, *icon;
    const char* text;
  };
  static const Tag points[] = {{cmd::Paragraph1Click, "Paragraph <P>", "Alt+Return", "format-justify-fill", "<P>"},
                               {cmd::LineBreak1Click, "Line Break <BR>", "Shift+Return", "go-bottom", "<BR>"},
                               {cmd::NonbreakingSpace1Click, "Non-breaking Space", "Ctrl+Shift+N", "", "&nbsp;"},
                               {cmd::BitBtnLIClick, "List Item <LI>", "", "", "<LI>"},
                               {cmd::BitBtnDTClick, "Definition Term <DT>", "", "", "<DT>"},
                               {cmd::BitBtnDDClick, "Definition <DD>", "", "", "<DD>"},
                               {cmd::BitBtnFRAClick, "<FRAME>", "", "", "<FRAME>"},
                               {cmd::Copyright1Click, "Copyright", "", "", "&copy;"},
                               {cmd::TM1Click, "TM - Trademark", "", "", "&trade;"},
                               {cmd::RRegisteredTrademark1Click, "R - Registered Trademark", "", "", "&reg;"},
                               {cmd::N141Click, "1/4", "", "", "&#188;"},
                               {cmd::N121Click, "1/2", "", "", "&#189;"},
                               {cmd::N341Click, "3/4", "", "", "&#190;"},
                               {cmd::N17Click, "Ampersand", "", "", "&amp;"},
                               {cmd::N22Click, "<", "", "", "&lt;"},
                               {cmd::N23Click, ">", "", "", "&gt;"}};
  for (const Tag& t : points)
    records.push_back({t.command, t.caption, t.shortcut, t.icon,
                       [this, text = t.text] { applyInsertion(insertTag(editView(), text)); }});

  static const Tag lists[] = {{cmd::UnorderedListUL1Click, "Unordered List <UL>", "", "", "UL"},
                              {cmd::BitBtnOLClick, "Ordered List <OL>", "", "", "OL"},
                              {cmd::BitBtnDLClick, "Definition List <DL>", "", "", "DL"},
                              {cmd::BitBtnNOClick, "<NOFRAME>", "", "", "NOFRAMES"},
                              {cmd::BitBtnSETClick, "<FRAMESET>", "", "", "FRAMESET"}};
  for (const Tag& t : lists)
    records.push_back({t.command, t.caption, t.shortcut, t.icon, [this, name = t.text] {
                         insertThroughClipboard(wrapLinesInTag(editView(), name, DocumentSession::newFileTemplate()));
                       }});

  for (int r = 1; r <= 5; ++r)
    for (int c = 1; c <= 5; ++c)
      records.push_back({cmd::grid(r, c), std::to_string(c) + "C", "", "",
                         [this, r, c] { insertThroughClipboard(insertTableGrid(editView(), r, c)); }});
  return records;
}

// The tag panel, the builders and the other tools that put text in.
std::vector<CommandRecord> TForm1::builderCommands() {
  std::vector<CommandRecord> records;
  records.push_back({cmd::SpeedBar1Click, "Show Tag Panel", "", "insert-object", [this] {
                       if (!SpeedBar) {
                         SpeedBar = new TFormSpeedBar(
                             [this](std::string_view t) { applyInsertion(tagTemplateInsertion(editView(), t)); },
                             [this](std::string_view a) { applyInsertion(attributeInsertion(editView(), a)); }, this);
                       }
                       SpeedBar->show();
                       SpeedBar->raise();
                     }});
  records.push_back(
      {cmd::Comment1Click, "Comment", "", "", [this] { applyInsertion(comment(editView())); }, kChangesText});
  records.push_back(
      {cmd::MailTo1Click, "Mail To:", "Ctrl+Shift+M", "mail-message-new", [this] { MailTo1Click(); }, kChangesText});
  records.push_back({cmd::BitBtnPowerBodyClick, "Power <&BODY>", "Ctrl+B", "insert-object",
                     call(&TForm1::BitBtnPowerBodyClick), kChangesText});
  records.push_back({cmd::BitBtnPowerAnchorClick, "Power <&A HREF>", "Ctrl+H", "insert-link",
                     call(&TForm1::BitBtnPowerAnchorClick), kChangesText});
  records.push_back({cmd::BitBtnPowerTableClick, "Power <&TABLE>", "Ctrl+T", "view-restore",
                     call(&TForm1::BitBtnPowerTableClick), kChangesText});
  records.push_back({cmd::BitBtnPowerListClick, "Power &LIST", "Ctrl+L", "format-indent-more",
                     call(&TForm1::BitBtnPowerListClick), kChangesText});
  records.push_back({cmd::BitBtnPowerImageClick, "Power <&IMG>", "Ctrl+I", "insert-image",
                     call(&TForm1::BitBtnPowerImageClick), kChangesText});
  records.push_back({cmd::PowerFrameClick, "Power <&FRAME>", "Ctrl+Shift+F", "view-fullscreen",
                     call(&TForm1::PowerFrameClick), kChangesText});
  records.push_back(
      {cmd::HorizontalLine1Click, "Horizontal Rule <HR>", "", "", call(&TForm1::HorizontalLine1Click), kChangesText});
  records.push_back({cmd::BitBtnSetDialogClick, "FRAMESET Dialog", "", "view-fullscreen",
                     call(&TForm1::BitBtnSetDialogClick), kChangesText});
  records.push_back({cmd::BitBtnFrameDialogClick, "FRAME Dialog", "", "view-restore",
                     call(&TForm1::BitBtnFrameDialogClick), kChangesText});
  records.push_back({cmd::HelpOnTop1Click, "Show Help On &Top", "Ctrl+/", "", call(&TForm1::HelpOnTop1Click)});

  records.push_back({cmd::ColorPicker1Click, "Color Picker...", "", "",
                     [this] {
                       const auto colour = platform_.colourDialogs.choose(0);
                       if (!colour) return;
                       const EditView view = editView();
                       const std::string text = colourPickerText(*colour);
                       applyInsertion({view.selStart, view.selLength, text, view.selStart, text.size()});
                     },
                     kChangesText});
  records.push_back(
      {cmd::InsertLastModifiedDateTime1Click, "Insert Last Modified Date/Time", "", "",
       [this] {
         const QDateTime now = QDateTime::currentDateTime();
         const std::time_t seconds = static_cast<std::time_t>(now.toSecsSinceEpoch());
         std::tm local{};
         localtime_r(&seconds, &local);
         const QLocale locale;
         applyInsertion(insertTag(
             editView(),
             lastModifiedComment(
                 local, editor_bytes::bytesFor(*RE1, locale.dayName(now.date().dayOfWeek(), QLocale::LongFormat)),
                 editor_bytes::bytesFor(*RE1, locale.monthName(now.date().month(), QLocale::ShortFormat)))));
       },
       kChangesText});
  return records;
}

// After a builder dialog: its text from the clipboard, pasted and selected as the builder recorded it.
void TForm1::applyHandBack(const BuilderHandBack& handBack, HandBackSelection selection) {
  if (!handBack.insertRequested) return;
  // The builder's text comes from its dialog; the hand-back's recorded length is of that text, so the
  // length follows the conversion into the document's encoding.
  BuilderHandBack converted = handBack;
  const std::string text = platform_.clipboard.text();
  const std::string bytes = editor_bytes::fromUtf8(*RE1, text);
  if (bytes.size() != text.size() && handBack.length == text.size()) converted.length = bytes.size();
  applyInsertion(handBackInsertion(editView(), converted, bytes, selection));
}

// Multi-line blocks go through the clipboard, which then holds the inserted text.
void TForm1::insertThroughClipboard(const Insertion& in) {
  platform_.clipboard.clear();
  platform_.clipboard.setText(in.text);
  copiedAsUtf8_ = editor_bytes::isUtf8(*RE1);
  applyInsertion(in);
}

// The table and list builders insert at the start of the selection, which they leave in place.
void TForm1::BitBtnPowerTableClick() {
  TFormTable dialog(platform_.clipboard, this);
  platform_.modal.runModal(dialog);
  applyHandBack(dialog.handBack(), HandBackSelection::Dropped);
}

void TForm1::BitBtnPowerListClick() {
  TFormList dialog(platform_.clipboard, this);
  platform_.modal.runModal(dialog);
  applyHandBack(dialog.handBack(), HandBackSelection::Dropped);
}

// The body tag goes in at the start of the selection. The relative image path is written back whichever
// way the dialog closed.
void TForm1::BitBtnPowerBodyClick() {
  TFormBody dialog(platform_, {programDir_, settings_.relImage, settings_.startLocation}, this);
  platform_.modal.runModal(dialog);
  setSetting(&RunSettings::relImage, dialog.relativePath());
  applyHandBack(dialog.handBack(), HandBackSelection::Dropped);
}

// The anchor replaces the selection, which it starts from as its description. The relative path choice
// is remembered for the run, and written to the settings only when a tag is inserted.
void TForm1::BitBtnPowerAnchorClick() {
  TFormAnchor::Start start{editor_bytes::selectedText(*RE1), settings_.useAnchor, settings_.anchorPath,
                           "HTML Files|" + maskList_ + "|All Files|*.*", settings_.startLocation};
  TFormAnchor dialog(platform_, start, this);
  platform_.modal.runModal(dialog);
  if (dialog.handBack().insertRequested) {
    applyHandBack(dialog.handBack(), HandBackSelection::Replaced);
    setSetting(&RunSettings::useAnchor, dialog.useRelative());
    setSetting(&RunSettings::anchorPath, dialog.relativePath());
  } else {
    settings_.useAnchor = dialog.useRelative();
    settings_.anchorPath = dialog.relativePath();
  }
}

void TForm1::BitBtnPowerImageClick() { openImageBuilder(chosenFile()); }

// The image tag replaces the selection. The relative image path is written back whichever way the dialog
// closed.
void TForm1::openImageBuilder(const std::string& selectedFile) {
  TFormImageView dialog(platform_, {settings_.relImage, builderStartFolder(true), selectedFile}, this);
  platform_.modal.runModal(dialog);
  setSetting(&RunSettings::relImage, dialog.relativePath());
  applyHandBack(dialog.handBack(), HandBackSelection::Replaced);
}

void TForm1::PowerFrameClick() {
  Tformframes dialog(platform_, settings_.startLocation, this);
  platform_.modal.runModal(dialog);
  applyHandBack(dialog.handBack(), HandBackSelection::Dropped);
}

void TForm1::HorizontalLine1Click() {
  TFormHoriz dialog(platform_.clipboard, this);
  platform_.modal.runModal(dialog);
  applyHandBack(dialog.handBack(), HandBackSelection::Replaced);
}

// The selection is cut to become the frameset's content; without a frameset it goes back where it was.
void TForm1::BitBtnSetDialogClick() {
  platform_.clipboard.clear();
  RE1->setFocus();
  const long start = editor_bytes::selectionStart(*RE1);
  const std::string selected = editor_bytes::selectedText(*RE1);
  // The cut and the wrapped text are one undo step; a cancelled dialog undoes the cut, which leaves no
  // step and an unchanged page unmodified.
  RE1->SendScintilla(QsciScintilla::SCI_BEGINUNDOACTION);
  if (!selected.empty()) {
    platform_.clipboard.setText(selected);
    editor_bytes::replaceSelection(*RE1, {});
  }
  TFormFrameSet dialog(platform_.clipboard, editor_bytes::toUtf8(*RE1, selected), this);
  platform_.modal.runModal(dialog);
  if (dialog.handBack().insertRequested) {
    applyHandBack(dialog.handBack(), HandBackSelection::Dropped);
    RE1->SendScintilla(QsciScintilla::SCI_ENDUNDOACTION);
  } else {
    RE1->SendScintilla(QsciScintilla::SCI_ENDUNDOACTION);
    if (!selected.empty()) {
      RE1->SendScintilla(QsciScintilla::SCI_UNDO);
      editor_bytes::select(*RE1, start, static_cast<long>(selected.size()));
    }
  }
}

void TForm1::BitBtnFrameDialogClick() {
  platform_.clipboard.clear();
  TFormFrameDialog dialog(platform_.clipboard, this);
  platform_.modal.runModal(dialog);
  applyHandBack(dialog.handBack(), HandBackSelection::Dropped);
}

// One help window at a time: its menu item stays disabled while it is open.
void TForm1::HelpOnTop1Click() {
  commands_->setEnabled(cmd::HelpOnTop1Click, false);
  HelpOnTop = new TFormHelpOnTop(
      platform_.prompts, {project_->helpDir(), project_->helpMode(), std::string(fileNamePart(session_->state().path))},
      this);
  HelpOnTop->setAttribute(Qt::WA_DeleteOnClose);
  connect(HelpOnTop, &TFormHelpOnTop::closed, this, [this] {
    HelpOnTop = nullptr;
    commands_->setEnabled(cmd::HelpOnTop1Click, true);
  });
  if (HelpOnTop->opened()) HelpOnTop->show();
}

void TForm1::MailTo1Click() {
  TFormEmail dialog(settings_.email, this);
  platform_.modal.runModal(dialog);
  if (dialog.cancelled()) return;
  setSetting(&RunSettings::email, dialog.address());
  applyInsertion(wrapSelection(editView(), "<A HREF=\"mailto:" + editor_bytes::fromUtf8(*RE1, settings_.email) + "\">",
                               "</A>", CaretRule::BeforeLastFour));
}

}  // namespace quillon
