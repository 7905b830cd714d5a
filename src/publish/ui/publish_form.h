#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "platform/ui/platform.h"
#include "publish/publish_plan.h"
#include "publish/publisher.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillon {

class EventLoop;
class SitePublisher;

// "Publish Site": compares a local site folder with a server folder over the FTP screen's connection,
// shows what would change as a checklist, and sends exactly what is ticked.
class TFormPublish : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::string dataFolder;  // where publish records are kept; ends in '/'
    std::string localFolder;
    std::string remoteFolder;
    std::string exclusions;
  };
  TFormPublish(Platform& platform, EventLoop& loop, Publisher& publisher, const PublishLogin& login, Start start,
               QWidget* parent = nullptr);
  ~TFormPublish() override;

  // The exclusions as the user left them, to be kept with the profile.
  std::string exclusions() const;

 public slots:
  void reject() override;

 private:
  void ButtonCompareClick();
  void ButtonSendClick();
  void showPlan(const PublishPlan& plan);
  void setRunning(bool on);

  Platform& platform_;
  Publisher& publisher_;
  std::unique_ptr<SitePublisher> site_;
  PublishPlan plan_;
  std::vector<QTreeWidgetItem*> rows_;  // one per planned file, in the plan's order
  bool running_ = false;
  size_t sent_ = 0, deleted_ = 0, failedFiles_ = 0;
  QLineEdit* EditLocalFolder = nullptr;
  QLineEdit* EditRemoteFolder = nullptr;
  QLineEdit* EditExclude = nullptr;
  QPushButton* ButtonCompare = nullptr;
  QTreeWidget* TreeChanges = nullptr;
  QLabel* LabelCount = nullptr;
  QPushButton* ButtonSend = nullptr;
  QPushButton* ButtonCancel = nullptr;
  QPushButton* ButtonClose = nullptr;
  QProgressBar* ProgressBar = nullptr;
};

}  // namespace quillon
