#include "app/ui/window_factory.h"

#include <functional>
#include <map>

#include "base/settings.h"
#include "app/ui/options_form.h"
#include "app/ui/tips_form.h"
#include "builders/ui/anchor_form.h"
#include "builders/ui/body_form.h"
#include "builders/ui/email_form.h"
#include "builders/ui/frame_tag_forms.h"
#include "builders/ui/frames_form.h"
#include "builders/ui/help_on_top_form.h"
#include "builders/ui/horiz_form.h"
#include "builders/ui/image_view_form.h"
#include "builders/ui/list_form.h"
#include "builders/ui/table_form.h"
#include "builders/ui/speed_bar_form.h"
#include "app/ui/splash_form.h"
#include "editor/ui/custom_form.h"
#include "editor/ui/edit_snip_form.h"
#include "editor/ui/find_dialog.h"
#include "project/project_session.h"
#include "app/ui/faq_form.h"
#include "project/ui/backup_form.h"
#include "publish/ui/ftp_form.h"
#include "publish/ui/ftp_image_loc_form.h"
#include "publish/ui/input_form.h"
#include "project/ui/big_replace_form.h"
#include "project/ui/load_size_form.h"
#include "project/ui/move_form.h"
#include "project/ui/print_options_form.h"
#include "project/ui/project_builder_form.h"
#include "project/ui/new_name_form.h"
#include "spell/spell_engine.h"
#include "spell/ui/spell_dialogs.h"

namespace quillon {

namespace {

// The state a dialog is made over when it is listed on its own: the program directory's settings, an
// untitled project and an empty text.
struct ListingState {
  ListingState(const ProgramFolders& folders, Platform& platform)
      : programDir(folders.data),
        settings(loadSettings(programDir)),
        writer(programDir),
        project(folders, settings, writer, platform.prompts, platform.fileDialogs),
        engine(SpellEngine::open(folders)) {}
  std::string programDir;
  RunSettings settings;
  SettingsWriter writer;
  ProjectSession project;
  SpellEngine engine;
};

class EmptyText : public SpellText {
 public:
  std::string_view bytes() override { return {}; }
  void replace(size_t, size_t, std::string_view) override {}
};

}  // namespace

std::unique_ptr<QWidget> createWindow(const std::string& className, const ProgramFolders& folders, Platform& platform) {
  static std::unique_ptr<ListingState> state;
  static EmptyText emptyText;
  const std::string& programDir = folders.data;
  const std::string projects = programDir + "projects/";
  auto shared = [&]() -> ListingState& {
    if (!state) state = std::make_unique<ListingState>(folders, platform);
    return *state;
  };
  const std::map<std::string, std::function<std::unique_ptr<QWidget>()>> makers = {
      {"TTipsForm", [] { return std::make_unique<TTipsForm>(true); }},
      {"TFormSplash", [] { return std::make_unique<TFormSplash>(TFormSplash::Mode::About); }},
      {"TFormEmail", [] { return std::make_unique<TFormEmail>("webmaster@example.invalid"); }},
      {"TFormSpeedBar", [] { return std::make_unique<TFormSpeedBar>([](std::string_view) {}, [](std::string_view) {}); }},
      {"TFormNewName", [&] { return std::make_unique<TFormNewName>(platform); }},
      {"TFormConfirm", [] { return std::make_unique<TFormConfirm>(true); }},
      {"TFormTable", [&] { return std::make_unique<TFormTable>(platform.clipboard); }},
      {"TFormBody", [&] { return std::make_unique<TFormBody>(platform, TFormBody::Start{programDir, {}, {}}); }},
      {"TFormCustom", [&] { return std::make_unique<TFormCustom>(TFormCustom::Mode::Add, platform.prompts); }},
      {"TFormEditSnip", [] { return std::make_unique<TFormEditSnip>(std::string()); }},
      {"TFormAnchor", [&] { return std::make_unique<TFormAnchor>(platform, TFormAnchor::Start{}); }},
      {"TFormList", [&] { return std::make_unique<TFormList>(platform.clipboard); }},
      {"TFormImageView", [&] { return std::make_unique<TFormImageView>(platform, TFormImageView::Start{}); }},
      {"Tformframes", [&] { return std::make_unique<Tformframes>(platform, std::string()); }},
      {"TFormFrameSet", [&] { return std::make_unique<TFormFrameSet>(platform.clipboard, std::string()); }},
      {"TFormFrameDialog", [&] { return std::make_unique<TFormFrameDialog>(platform.clipboard); }},
      {"TFormHoriz", [&] { return std::make_unique<TFormHoriz>(platform.clipboard); }},
      {"TFormHelpOnTop",
       [&] { return std::make_unique<TFormHelpOnTop>(platform.prompts, TFormHelpOnTop::Start{folders.shared + "help/", false, {}}); }},
      {"TFormBigReplace",
       [&] {
         return std::make_unique<TFormBigReplace>(platform, TFormBigReplace::Start{programDir, projects, {}, "1_1_2000"});
       }},
      {"TFormBackup",
       [&] { return std::make_unique<TFormBackup>(platform, TFormBackup::Start{programDir, projects, {}, "1_1_2000"}); }},
      {"TFormMove", [&] { return std::make_unique<TFormMove>(platform, programDir); }},
      {"TFormProjectBuilder",
       [&] { return std::make_unique<TFormProjectBuilder>(platform, TFormProjectBuilder::Start{projects, programDir}); }},
      {"TFormLoadSize",
       [&] { return std::make_unique<TFormLoadSize>(platform, TFormLoadSize::Start{projects, {}, {}, -1, {}, {}}); }},
      {"TFormPrintOptions", [] { return std::make_unique<TFormPrintOptions>(true, true); }},
      {"TFormFAQ", [] { return std::make_unique<TFormFAQ>(); }},
      {"TFormFTPImageLoc", [&] { return std::make_unique<TFormFTPImageLoc>(platform, std::string(), std::string()); }},
      {"TFormFTP",
       [&] {
         static AutoFtpList none;
         return std::make_unique<TFormFTP>(platform, TFormFTP::Start{programDir, programDir}, none);
       }},
      {"TInputForm", [] { return std::make_unique<TInputForm>(); }},
      {"FindDialog1", [] { return std::make_unique<FindDialog>(FindDialog::Kind::Find, nullptr); }},
      {"ReplaceDialog1", [] { return std::make_unique<FindDialog>(FindDialog::Kind::Replace, nullptr); }},
      {"TFormSpell", [] { return std::make_unique<TFormSpell>(); }},
      {"TSpellConfigDialog", [] { return std::make_unique<TSpellConfigDialog>(std::map<SpellOption, bool>{}); }},
      {"TSpellCheckDialog",
       [&] {
         return std::make_unique<TSpellCheckDialog>(shared().engine, emptyText, platform, [](size_t, size_t) {}, [] {});
       }},
      {"TFormOptions",
       [&] {
         ListingState& s = shared();
         return std::make_unique<TFormOptions>(0, platform, s.settings, s.programDir, std::vector<std::string>{"html", "htm"},
                                               s.project);
       }},
  };
  const auto it = makers.find(className);
  return it == makers.end() ? nullptr : it->second();
}

std::vector<std::string> windowClasses() {
  return {"TTipsForm",      "TFormSplash",    "TFormEmail", "TFormSpeedBar",      "TFormNewName",      "TFormConfirm",
          "FindDialog1",    "ReplaceDialog1", "TFormSpell", "TSpellConfigDialog", "TSpellCheckDialog", "TFormOptions",
          "TFormTable",     "TFormList",      "TFormAnchor",  "TFormBody",
          "TFormCustom",    "TFormEditSnip", "TFormImageView", "Tformframes", "TFormFrameSet", "TFormFrameDialog",
          "TFormHoriz",     "TFormHelpOnTop", "TFormBigReplace", "TFormBackup", "TFormMove", "TFormProjectBuilder", "TFormLoadSize", "TFormPrintOptions", "TFormFAQ", "TFormFTPImageLoc", "TFormFTP", "TInputForm"};
}

}  // namespace quillon
