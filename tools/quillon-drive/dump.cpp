// The DUMP line: the main window's state as one line of JSON.
#include <Qsci/qsciscintilla.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstdio>

#include "app/ui/mainwindow.h"
#include "base/settings.h"
#include "driver.h"
#include "editor/encoding_panel.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/qt_text.h"
#include "transcript.h"

namespace quillon::drive {

namespace {

class JsonObject {
 public:
  JsonObject& add(const std::string& key, const std::string& rawJson) {
    out_ += (out_.empty() ? "{" : ",") + jsonString(key) + ":" + rawJson;
    return *this;
  }
  std::string str() const { return out_.empty() ? "{}" : out_ + "}"; }

 private:
  std::string out_;
};

std::string str(const std::string& s) { return jsonString(s); }
std::string str(const QString& s) { return jsonString(toBytes(s)); }
std::string flag(bool b) { return b ? "true" : "false"; }

template <typename List>
std::string array(const List& items) {
  std::string out = "[";
  bool first = true;
  for (const auto& item : items) {
    if (!first) out += ",";
    out += str(item);
    first = false;
  }
  return out + "]";
}

std::string listItems(QWidget* root, const char* name) {
  std::vector<QString> items;
  if (auto* list = root->findChild<QListWidget*>(name))
    for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text());
  return array(items);
}

std::string hexColour(long bgr) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
  return buf;
}

// Maximal runs of text drawn in a colour other than the window's normal text colour.
std::string colourRuns(QsciScintilla& editor) {
  using S = QsciScintillaBase;
  const long normal = editor.SendScintilla(S::SCI_STYLEGETFORE, S::STYLE_DEFAULT);
  const long length = editor_bytes::length(editor);
  std::string out = "[";
  long runStart = -1, runColour = normal;
  auto close = [&](long end) {
    if (runStart >= 0) {
      if (out.size() > 1) out += ",";
      out +=
          "[" + std::to_string(runStart) + "," + std::to_string(end - runStart) + "," + str(hexColour(runColour)) + "]";
    }
    runStart = -1;
  };
  constexpr long kChunk = 1 << 16;
  std::vector<char> styled(2 * kChunk + 2);
  long foreOf[256];
  for (int i = 0; i < 256; ++i) foreOf[i] = editor.SendScintilla(S::SCI_STYLEGETFORE, static_cast<unsigned long>(i));
  for (long at = 0; at < length; at += kChunk) {
    const long end = std::min(length, at + kChunk);
    struct {
      long cpMin, cpMax;
      char* text;
    } range{at, end, styled.data()};
    editor.SendScintilla(S::SCI_GETSTYLEDTEXT, 0UL, &range);
    for (long p = at; p < end; ++p) {
      const long fore = foreOf[static_cast<unsigned char>(styled[2 * (p - at) + 1])];
      if (fore == normal)
        close(p);
      else if (runStart < 0 || fore != runColour) {
        close(p);
        runStart = p;
        runColour = fore;
      }
    }
  }
  close(length);
  return out + "]";
}

std::string projectJson(TForm1& window) {
  const ProjectSession& project = window.project();
  std::string pages = "[";
  for (const Page& page : project.tree().pages()) {
    if (pages.size() > 1) pages += ",";
    pages += JsonObject()
                 .add("title", str(page.title))
                 .add("level", std::to_string(page.level))
                 .add("link", str(page.link))
                 .add("expanded", flag(page.expanded))
                 .str();
  }
  pages += "]";
  return JsonObject()
      .add("name", str(project.name()))
      .add("modified", flag(project.modified()))
      .add("helpMode", flag(project.helpMode()))
      .add("selected", std::to_string(window.selectedPage() + 1))
      .add("pages", pages)
      .str();
}

}  // namespace

void Driver::dump() {
  TForm1& w = *main_;
  auto& editor = *w.findChild<QsciScintilla*>("RE1");
  std::vector<QString> status;
  for (int i = 1; i <= 3; ++i) status.push_back(w.findChild<QLabel*>(QString("StatusPanel%1").arg(i))->text());
  std::vector<QString> custom;
  auto* combo = w.findChild<QComboBox*>("ComboCustom");
  for (int i = 0; i < combo->count(); ++i) custom.push_back(combo->itemText(i));
  auto* left = w.findChild<QTabWidget*>("PageControl1");
  JsonObject settings;
  for (const auto& [key, value] : settingsAsText(w.settings())) settings.add(key, str(value));
  std::string pages = "[";
  for (const TForm1::PageSummary& page : w.openPages()) {
    if (pages.size() > 1) pages += ",";
    pages += JsonObject()
                 .add("path", str(page.path))
                 .add("modified", flag(page.modified))
                 .add("readOnly", flag(page.readOnly))
                 .add("encoding", str(page.reading))
                 .str();
  }
  pages += "]";

  const std::string json = JsonObject()
                               .add("caption", str(w.windowTitle()))
                               .add("documentPath", str(w.document().state().path))
                               .add("documentModified", flag(w.document().modified()))
                               .add("readOnlyPage", flag(w.document().state().readOnly))
                               .add("saveEnabled", flag(w.saveEnabled()))
                               .add("text", str(std::string(editor_bytes::text(editor))))
                               .add("selStart", std::to_string(editor_bytes::selectionStart(editor)))
                               .add("selLength", std::to_string(editor_bytes::selectionLength(editor)))
                               .add("wordWrap", flag(w.findChild<QCheckBox*>("CheckWrap")->isChecked()))
                               .add("colored", flag(w.findChild<QCheckBox*>("CheckBoxColoredTags")->isChecked()))
                               .add("colours", colourRuns(editor))
                               .add("status", array(status))
                               .add("encoding", str(w.findChild<QLabel*>("StatusEncoding")->text()))
                               .add("pages", pages)
                               .add("currentPage", std::to_string(w.currentPage()))
                               .add("project", projectJson(w))
                               .add("recent", array(w.settings().recent))
                               .add("autoFtp", array(w.autoFtp().entries()))
                               .add("clipboard", str(platform_.clipboard.text()))
                               .add("leftTab", str(left->tabText(left->currentIndex())))
                               .add("previewMode", str(w.findChild<QLabel*>("LabelBrowserMode")->text()))
                               .add("browserShown", flag(w.browserShown()))
                               .add("customTags", array(custom))
                               .add("urlSnips", listItems(&w, "ListBoxURL"))
                               .add("miscSnips", listItems(&w, "ListBoxMisc"))
                               .add("settings", settings.str())
                               .str();
  writeLine("DUMP " + json);
}

}  // namespace quillon::drive
