#pragma once

#include <string>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTreeWidgetItem;

// An entry that stands for a file, a folder or a remote name keeps its exact bytes beside the text it
// shows: a name that is not valid UTF-8 ("caf\xe9.html") is shown as Latin-1, and the text read back would
// be its UTF-8 spelling, another name. What the program opens, writes or sends is always the kept bytes.
namespace quillon {

QListWidgetItem* byteItem(const std::string& bytes);
void addByteItem(QListWidget* list, const std::string& bytes);
// The kept bytes; an entry made without them gives its text as typed (UTF-8).
std::string itemBytes(const QListWidgetItem* item);

void setItemBytes(QTreeWidgetItem* item, int column, const std::string& bytes);
std::string itemBytes(const QTreeWidgetItem* item, int column);

void addByteItem(QComboBox* combo, const std::string& bytes);
std::string comboBytes(const QComboBox* combo, int index);

// A line edit showing a path: the bytes set are what lineBytes gives back while the text is unchanged;
// typed over, the text keeps the bytes' encoding where it can (see toBytesKeeping).
void setLineBytes(QLineEdit* edit, const std::string& bytes);
std::string lineBytes(const QLineEdit* edit);

}  // namespace quillon
