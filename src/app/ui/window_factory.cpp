#include "app/ui/window_factory.h"

#include <functional>
#include <map>

#include "app/ui/tips_form.h"
#include "builders/ui/email_form.h"
#include "builders/ui/speed_bar_form.h"
#include "builders/ui/splash_form.h"

namespace quillon {

std::unique_ptr<QWidget> createWindow(const std::string& className) {
  static const std::map<std::string, std::function<std::unique_ptr<QWidget>()>> makers = {
      {"TTipsForm", [] { return std::make_unique<TTipsForm>(true); }},
      {"TFormSplash", [] { return std::make_unique<TFormSplash>(TFormSplash::Mode::About); }},
      {"TFormEmail", [] { return std::make_unique<TFormEmail>("webmaster@example.invalid"); }},
      {"TFormSpeedBar", [] { return std::make_unique<TFormSpeedBar>([](std::string_view) {}, [](std::string_view) {}); }},
  };
  const auto it = makers.find(className);
  return it == makers.end() ? nullptr : it->second();
}

}  // namespace quillon
