#pragma once

#include <QString>
#include <string>
#include <vector>

class QWidget;

// Acting on named controls as a person would: clicks, typed keys, values set into boxes and lists.
namespace quillon::drive {

QWidget* findControl(QWidget* root, const QString& name);
// Each returns an empty string on success, else the reason it could not act.
std::string clickControl(QWidget* widget, bool doubleClick);
std::string setControl(QWidget* widget, const std::string& value);
std::string selectListItems(QWidget* widget, const std::vector<int>& rows);
std::string setGridCell(QWidget* widget, int col, int row, const std::string& text);
std::string pressChord(QWidget* target, const std::string& chord);
void typeText(QWidget* target, const std::string& bytes);
QString kindOf(const QWidget* widget);
QString captionOf(const QWidget* widget);
// Writes the DIALOGDUMP line of a dialog or window: each named control, its kind, state and contents.
void writeDialogDump(QWidget& window);

}  // namespace quillon::drive
