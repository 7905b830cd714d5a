#pragma once

namespace quillon {

// The Settings dialog's tabs, in the order the dialog shows them.
enum class OptionsTab { Files, TagOptions, ChangeFilePath, WebBrowsers, HelperApps, BackUp, Ftp, Editor };

}  // namespace quillon
