#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/platform.h"
#include "project/project_model.h"
#include "publish/auto_ftp_list.h"
#include "publish/ftp_profiles.h"
#include "publish/publisher.h"
#include "publish/secret_store.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace quillon {

class QtEventLoop;
class TInputForm;
class TempNamePublisher;
class SftpPublisher;

// "FTP Module": host profiles, the list of files to send, the connection with its upload run and the
// remote folder's commands. Left only through its Close button.
class TFormFTP : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::string programDir;  // ends in '/'
    std::string startFolder;
    std::string siteFolder;  // the local folder Publish Site offers first
    bool publish = false;    // open Publish Site as soon as a connection is made
  };
  TFormFTP(Platform& platform, Start start, AutoFtpList& autoFtp, QWidget* parent = nullptr);
  ~TFormFTP() override;

 public slots:
  void reject() override;

 private:
  QWidget* buildHostPage();
  QWidget* buildFilesPage();
  QWidget* buildProjectsSource();
  QWidget* buildFilesSource();
  QWidget* buildTransferPage();
  std::string iniPath() const { return start_.programDir + "FTP.INI"; }
  std::string datPath() const { return start_.programDir + "FTP.DAT"; }
  void wireClient();
  void setBusy(bool on);
  void log(const std::string& line);
  void flushLog();
  void showLater(const QString& counter);
  void clearHostFields();
  void ListBoxHostsClick();
  void ButtonAddHostClick();
  void Button3Click();
  void ButtonDeleteHostClick();
  void addHostName(const std::string& name);
  bool addIfPresent(const std::string& path);
  void addFromAutoList(bool all);
  void changedListChanged();
  void ComboBox1Change(int index);
  void addFromProject(bool all);
  void goToFolder(const std::string& folder);
  void BitBtnAddFileClick();
  void Button1Click();
  void ButtonDisconnectClick();
  void BitBtnCloseClick();
  void ButtonTransferClick();
  void sendCurrent();
  void FTP1FileStored(const Publisher::Outcome& outcome);
  void NeedNewFTPListing();
  void FTP1ListingDone();
  void FTP1FtpError(const std::string& message);
  // The connection fields as typed, for a connection without a chosen profile.
  FtpProfile typedProfile() const;
  std::unique_ptr<TempNamePublisher> makePublisher(bool sftp);
  bool offerHostKey();
  bool offerCertificate();
  void reconnectLater();
  bool canAct() const;
  void MkDirFTPBtnClick();
  void RmDirFTPBtnClick();
  void ButtonRenameClick();
  void ButtonDeleteClick();
  void ButtonPublishClick();

  Platform& platform_;
  Start start_;
  AutoFtpList& autoFtp_;
  std::unique_ptr<QtEventLoop> loop_;
  std::unique_ptr<TempNamePublisher> FTP1;
  std::unique_ptr<SecretStore> secrets_;
  SftpPublisher* sftp_ = nullptr;      // FTP1's own protocol, when it is SFTP
  class FtpPublisher* ftp_ = nullptr;  // or FTP
  PublishLogin lastLogin_;
  std::string acceptedKey_;  // the SFTP host key the user trusted for this connection
  bool tempNames_ = true;
  TInputForm* InputForm = nullptr;
  FtpProfile connection_;  // captured when a host is selected
  std::vector<std::string> projectLinks_;
  class FolderBrowser* browser_ = nullptr;
  bool busy_ = false;
  bool cancelled_ = false;
  bool publishing_ = false;             // the Publish Site window is using the connection
  bool publishPending_ = false;         // opened to publish: Publish Site follows the first listing
  std::vector<std::string> hostNames_;  // FTP.DAT's names as stored, row by row
  size_t sending_ = 0;
  size_t count_ = 0;
  size_t failed_ = 0;
  long long sendingSize_ = 0;
  std::string lastError_;
  std::string sendingPath_;
  std::string startFolder_;  // the folder the connection asked to start in
  QStringList pendingLog_;
  QString pendingCounter_;
  QString pendingBytes_;  // "sent of size" of the file being sent, shown with the next batch
  QTimer logTimer_;
  QTabWidget* PageControl1 = nullptr;
  QListWidget* ListBoxHosts = nullptr;
  QLineEdit* EditProfile = nullptr;
  QLineEdit* EditHost = nullptr;
  QLineEdit* EditUser = nullptr;
  QLineEdit* EditPassword = nullptr;
  QLineEdit* EditAccount = nullptr;
  QLineEdit* EditDir = nullptr;
  QCheckBox* CheckPassword = nullptr;
  QLabel* LabelPasswordPlace = nullptr;
  QComboBox* ComboProtocol = nullptr;
  QComboBox* ComboDataMode = nullptr;
  QLineEdit* EditPort = nullptr;
  QCheckBox* CheckTempNames = nullptr;
  QListWidget* ListTransferFiles = nullptr;
  QTabWidget* PageControl2 = nullptr;
  QListWidget* ListBoxChanged = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QTreeWidget* Outline1 = nullptr;
  QComboBox* DriveComboBox1 = nullptr;
  QListWidget* DirectoryListBox1 = nullptr;
  QListWidget* FileListBox1 = nullptr;
  QPlainTextEdit* Log = nullptr;
  QLabel* Label15 = nullptr;
  QLabel* ByteCounter = nullptr;
  QProgressBar* Gauge1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QListWidget* ListBox2 = nullptr;
  QLabel* LabelDisconnect = nullptr;
  QPushButton* BitBtnClose = nullptr;
};

}  // namespace quillon
