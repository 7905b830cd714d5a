#include "app/ui/window_factory.h"

#include <map>

#include "app/ui/faq_form.h"
#include "app/ui/options_form.h"
#include "app/ui/splash_form.h"
#include "app/ui/tips_form.h"
#include "base/settings.h"
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
#include "editor/ui/custom_form.h"
#include "editor/ui/edit_snip_form.h"
#include "editor/ui/find_dialog.h"
#include "project/project_session.h"
#include "project/ui/backup_form.h"
#include "project/ui/big_replace_form.h"
#include "project/ui/load_size_form.h"
#include "project/ui/move_form.h"
#include "project/ui/new_name_form.h"
#include "project/ui/print_options_form.h"
#include "project/ui/project_builder_form.h"
#include "project/ui/site_find_form.h"
#include "publish/ui/ftp_form.h"
#include "publish/ui/ftp_image_loc_form.h"
#include "publish/ui/input_form.h"
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

// What a maker needs: the program's folders and platform, and the listing state made on first use.
struct Made {
  const ProgramFolders& folders;
  Platform& platform;
  std::string programDir, projects;
  ListingState& shared() const {
    static std::unique_ptr<ListingState> state;
    if (!state) state = std::make_unique<ListingState>(folders, platform);
    return *state;
  }
};

using Window = std::unique_ptr<QWidget>;
using Maker = Window (*)(const Made&);

// The builders' dialogs.
std::map<std::string, Maker> builderMakers() {
  return {
      {"TFormTable", [](const Made& c) -> Window { return std::make_unique<TFormTable>(c.platform.clipboard); }},
      {"TFormBody",
       [](const Made& c) -> Window {
         return std::make_unique<TFormBody>(c.platform, TFormBody::Start{c.programDir, {}, {}});
       }},
      {"TFormCustom",
       [](const Made& c) -> Window {
         return std::make_unique<TFormCustom>(TFormCustom::Mode::Add, c.platform.prompts);
       }},
      {"TFormEditSnip", [](const Made&) -> Window { return std::make_unique<TFormEditSnip>(std::string()); }},
      {"TFormAnchor",
       [](const Made& c) -> Window { return std::make_unique<TFormAnchor>(c.platform, TFormAnchor::Start{}); }},
      {"TFormList", [](const Made& c) -> Window { return std::make_unique<TFormList>(c.platform.clipboard); }},
      {"TFormImageView",
       [](const Made& c) -> Window { return std::make_unique<TFormImageView>(c.platform, TFormImageView::Start{}); }},
      {"Tformframes", [](const Made& c) -> Window { return std::make_unique<Tformframes>(c.platform, std::string()); }},
      {"TFormFrameSet",
       [](const Made& c) -> Window { return std::make_unique<TFormFrameSet>(c.platform.clipboard, std::string()); }},
      {"TFormFrameDialog",
       [](const Made& c) -> Window { return std::make_unique<TFormFrameDialog>(c.platform.clipboard); }},
      {"TFormHoriz", [](const Made& c) -> Window { return std::make_unique<TFormHoriz>(c.platform.clipboard); }},
      {"TFormHelpOnTop",
       [](const Made& c) -> Window {
         return std::make_unique<TFormHelpOnTop>(c.platform.prompts,
                                                 TFormHelpOnTop::Start{c.folders.shared + "help/", false, {}});
       }},
  };
}

// Every window that can be made on its own, by class name: the one list both functions below read.
const std::map<std::string, Maker>& makers() {
  static EmptyText emptyText;
  static const std::map<std::string, Maker> table = [] {
    std::map<std::string, Maker> all = builderMakers();
    all.merge(std::map<std::string, Maker>{
        {"TTipsForm", [](const Made&) -> Window { return std::make_unique<TTipsForm>(true); }},
        {"TFormSplash", [](const Made&) -> Window { return std::make_unique<TFormSplash>(TFormSplash::Mode::About); }},
        {"TFormEmail", [](const Made&) -> Window { return std::make_unique<TFormEmail>("webmaster@example.invalid"); }},
        {"TFormSpeedBar",
         [](const Made&) -> Window {
           return std::make_unique<TFormSpeedBar>([](std::string_view) {}, [](std::string_view) {});
         }},
        {"TFormNewName", [](const Made& c) -> Window { return std::make_unique<TFormNewName>(c.platform); }},
        {"TFormConfirm", [](const Made&) -> Window { return std::make_unique<TFormConfirm>(true); }},
        {"TFormBigReplace",
         [](const Made& c) -> Window {
           return std::make_unique<TFormBigReplace>(
               c.platform, TFormBigReplace::Start{c.programDir, c.projects, {}, "1_1_2000", 10});
         }},
        {"TFormSiteFind",
         [](const Made& c) -> Window {
           return std::make_unique<TFormSiteFind>(c.platform, TFormSiteFind::Start{{}, c.programDir, {}});
         }},
        {"TFormBackup",
         [](const Made& c) -> Window {
           return std::make_unique<TFormBackup>(c.platform,
                                                TFormBackup::Start{c.programDir, c.projects, {}, "1_1_2000"});
         }},
        {"TFormMove", [](const Made& c) -> Window { return std::make_unique<TFormMove>(c.platform, c.programDir); }},
        {"TFormProjectBuilder",
         [](const Made& c) -> Window {
           return std::make_unique<TFormProjectBuilder>(c.platform,
                                                        TFormProjectBuilder::Start{c.projects, c.programDir});
         }},
        {"TFormLoadSize",
         [](const Made& c) -> Window {
           return std::make_unique<TFormLoadSize>(c.platform, TFormLoadSize::Start{c.projects, {}, {}, -1, {}, {}});
         }},
        {"TFormPrintOptions", [](const Made&) -> Window { return std::make_unique<TFormPrintOptions>(true, true); }},
        {"TFormFAQ", [](const Made&) -> Window { return std::make_unique<TFormFAQ>(); }},
        {"TFormFTPImageLoc",
         [](const Made& c) -> Window {
           return std::make_unique<TFormFTPImageLoc>(c.platform, std::string(), std::string());
         }},
        {"TFormFTP",
         [](const Made& c) -> Window {
           static AutoFtpList none;
           return std::make_unique<TFormFTP>(c.platform, TFormFTP::Start{c.programDir, c.programDir, {}, false}, none);
         }},
        {"TInputForm", [](const Made&) -> Window { return std::make_unique<TInputForm>(); }},
        {"FindDialog1",
         [](const Made&) -> Window { return std::make_unique<FindDialog>(FindDialog::Kind::Find, nullptr); }},
        {"ReplaceDialog1",
         [](const Made&) -> Window { return std::make_unique<FindDialog>(FindDialog::Kind::Replace, nullptr); }},
        {"TFormSpell", [](const Made&) -> Window { return std::make_unique<TFormSpell>(); }},
        {"TSpellConfigDialog",
         [](const Made&) -> Window { return std::make_unique<TSpellConfigDialog>(std::map<SpellOption, bool>{}); }},
        {"TSpellCheckDialog",
         [](const Made& c) -> Window {
           return std::make_unique<TSpellCheckDialog>(
               c.shared().engine, emptyText, c.platform, [](size_t, size_t) {}, [] {});
         }},
        {"TFormOptions",
         [](const Made& c) -> Window {
           ListingState& s = c.shared();
           return std::make_unique<TFormOptions>(OptionsTab::Files, c.platform, s.settings, s.programDir,
                                                 std::vector<std::string>{"html", "htm"}, s.project);
         }},
    });
    return all;
  }();
  return table;
}

}  // namespace

std::unique_ptr<QWidget> createWindow(const std::string& className, const ProgramFolders& folders, Platform& platform) {
  const auto it = makers().find(className);
  if (it == makers().end()) return nullptr;
  return it->second(Made{folders, platform, folders.data, folders.data + "projects/"});
}

std::vector<std::string> windowClasses() {
  std::vector<std::string> names;
  for (const auto& [name, make] : makers()) names.push_back(name);
  return names;
}

}  // namespace quillon
