#include "publish/ui/ftp_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "platform/ui/background_work.h"
#include "platform/ui/byte_items.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"
#include "project/files_pane.h"
#include "project/project_files.h"
#include "project/site_files.h"
#include "project/ui/folder_browser.h"
#include "publish/ftp_publisher.h"
#include "publish/saved_password.h"
#include "publish/sftp_publisher.h"
#include "publish/temp_name_publisher.h"
#include "publish/ui/input_form.h"
#include "publish/ui/publish_form.h"
#include "publish/ui/qt_event_loop.h"
#include "publish/upload_names.h"

namespace quillon {

TFormFTP::TFormFTP(Platform& platform, Start start, AutoFtpList& autoFtp, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      platform_(platform),
      start_(std::move(start)),
      autoFtp_(autoFtp),
      loop_(std::make_unique<QtEventLoop>()),
      FTP1(makePublisher(false)) {
  publishPending_ = start_.publish;
  setObjectName("TFormFTP");
  setWindowTitle("Quillon Pro:    FTP Module");
  auto* v = new QVBoxLayout(this);
  PageControl1 = named(new QTabWidget(this), "PageControl1");
  PageControl1->addTab(buildHostPage(), "1. Select FTP Host  ");
  PageControl1->addTab(buildFilesPage(), "2. Select Files to Transfer   ");
  PageControl1->addTab(buildTransferPage(), "3. Transfer Files  ");
  v->addWidget(PageControl1);
  auto* row = new QHBoxLayout;
  row->addStretch();
  BitBtnClose = namedButton("Close", "BitBtnClose", this);
  row->addWidget(BitBtnClose);
  v->addLayout(row);
  connect(BitBtnClose, &QPushButton::clicked, this, [this] { BitBtnCloseClick(); });

  InputForm = new TInputForm(this);
  logTimer_.setSingleShot(true);
  logTimer_.setInterval(100);
  connect(&logTimer_, &QTimer::timeout, this, [this] { flushLog(); });
  wireClient();
  for (const std::string& name : readHostList(datPath())) addHostName(name);
  for (const std::string& path : autoFtp_.entries()) addByteItem(ListBoxChanged, path);
  for (const std::string& p : listProjects(start_.programDir + "projects/")) addByteItem(ComboBox1, p);
  ComboBox1->setCurrentIndex(-1);
  goToFolder(isDirectory(start_.startFolder) ? start_.startFolder : std::string("/"));
  Label15->clear();
  PageControl1->setCurrentIndex(0);
  PageControl2->setCurrentIndex(0);
}

TFormFTP::~TFormFTP() {
  setBusy(false);
  FTP1.reset();
}

QWidget* TFormFTP::buildHostPage() {
  auto* page = new QWidget(this);
  auto* h = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  ListBoxHosts = named(new QListWidget(page), "ListBoxHosts", "Saved hosts");
  left->addWidget(ListBoxHosts);
  auto* del = namedButton("Delete", "ButtonDeleteHost", page);
  left->addWidget(del);
  h->addLayout(left);
  auto* form = new QFormLayout;
  EditProfile = named(new QLineEdit(page), "EditProfile");
  EditHost = named(new QLineEdit(page), "EditHost");
  EditHost->setToolTip("The server's name or address; add \":port\" for a port other than 21");
  EditUser = named(new QLineEdit(page), "EditUser");
  EditPassword = named(new QLineEdit(page), "EditPassword");
  EditPassword->setEchoMode(QLineEdit::Password);
  EditAccount = named(new QLineEdit(page), "EditAccount");
  EditDir = named(new QLineEdit(page), "EditDir");
  CheckPassword = named(new QCheckBox("Save Password", page), "CheckPassword");
  secrets_ = desktopSecretStore();
  LabelPasswordPlace =
      named(new QLabel(toQString(passwordPlaceText(secrets_->available())), page), "LabelPasswordPlace");
  LabelPasswordPlace->setWordWrap(true);
  ComboProtocol = named(new QComboBox(page), "ComboProtocol");
  for (const PublishProtocol p :
       {PublishProtocol::Ftp, PublishProtocol::Ftps, PublishProtocol::FtpsImplicit, PublishProtocol::Sftp})
    ComboProtocol->addItem(protocolName(p), static_cast<int>(p));
  ComboProtocol->setToolTip(
      "FTPS and SFTP send pages and passwords encrypted: FTPS is FTP over TLS (implicit: port 990), SFTP works "
      "over SSH (port 22)");
  EditPort = named(new QLineEdit(page), "EditPort");
  EditPort->setPlaceholderText("21");
  connect(ComboProtocol, &QComboBox::currentIndexChanged, this, [this](int index) {
    const auto protocol = static_cast<PublishProtocol>(ComboProtocol->itemData(index).toInt());
    EditPort->setPlaceholderText(QString::number(defaultPort(protocol)));
    ComboDataMode->setEnabled(protocol != PublishProtocol::Sftp);
  });
  EditPort->setMaxLength(5);
  EditPort->setToolTip("The server's port; empty for the one in the host name, else 21");
  ComboDataMode = named(new QComboBox(page), "ComboDataMode");
  for (const DataConnection mode : {DataConnection::Auto, DataConnection::Passive, DataConnection::Active})
    ComboDataMode->addItem(dataModeName(mode), static_cast<int>(mode));
  ComboDataMode->setToolTip(
      "Auto tries passive connections first, then active ones. Choose Passive behind a router or firewall, "
      "Active for a server that needs it.");
  CheckTempNames = named(new QCheckBox("Upload under a temporary name, then rename", page), "CheckTempNames");
  CheckTempNames->setChecked(true);
  CheckTempNames->setToolTip(
      "Visitors never see a half-sent page. Turn it off only for a server that does not allow renaming.");
  form->addRow("Profile Name:", EditProfile);
  form->addRow("Host Name:", EditHost);
  form->addRow("User Name:", EditUser);
  form->addRow("Password:", EditPassword);
  form->addRow("Account:", EditAccount);
  form->addRow("Initial Dir:", EditDir);
  form->addRow(CheckPassword);
  form->addRow(LabelPasswordPlace);
  form->addRow("Protocol:", ComboProtocol);
  form->addRow("Port:", EditPort);
  form->addRow("Data Connection:", ComboDataMode);
  form->addRow(CheckTempNames);
  auto* buttons = new QHBoxLayout;
  auto* clear = namedButton("Clear", "ButtonClearHosts", page);
  auto* add = namedButton("Add to List", "ButtonAddHost", page);
  auto* modify = namedButton("Modiy", "Button3", page);
  buttons->addWidget(clear);
  buttons->addWidget(add);
  buttons->addWidget(modify);
  form->addRow(buttons);
  h->addLayout(form, 1);
  // The profile follows the current row however it was chosen: mouse, keyboard or program.
  connect(ListBoxHosts, &QListWidget::currentRowChanged, this, [this] { ListBoxHostsClick(); });
  connect(ListBoxHosts, &QListWidget::itemClicked, this, [this] { ListBoxHostsClick(); });
  connect(del, &QPushButton::clicked, this, [this] { ButtonDeleteHostClick(); });
  connect(clear, &QPushButton::clicked, this, [this] { clearHostFields(); });
  connect(add, &QPushButton::clicked, this, [this] { ButtonAddHostClick(); });
  connect(modify, &QPushButton::clicked, this, [this] { Button3Click(); });
  return page;
}

QWidget* TFormFTP::buildFilesPage() {
  auto* page = new QWidget(this);
  auto* h = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  ListTransferFiles = named(new QListWidget(page), "ListTransferFiles", "Files to transfer");
  ListTransferFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
  left->addWidget(ListTransferFiles);
  auto* leftButtons = new QHBoxLayout;
  auto* remove = namedButton("Remove From List", "Button10", page);
  auto* clear = namedButton("Clear", "Button11", page);
  leftButtons->addWidget(remove);
  leftButtons->addWidget(clear);
  left->addLayout(leftButtons);
  h->addLayout(left, 1);

  PageControl2 = named(new QTabWidget(page), "PageControl2");
  auto* autoPage = new QWidget(PageControl2);
  auto* a = new QVBoxLayout(autoPage);
  ListBoxChanged = named(new QListWidget(autoPage), "ListBoxChanged", "Changed files");
  ListBoxChanged->setSelectionMode(QAbstractItemView::ExtendedSelection);
  a->addWidget(ListBoxChanged);
  auto* aButtons = new QHBoxLayout;
  auto* addAuto = namedButton("Add", "BitBtn5", autoPage);
  auto* addAllAuto = namedButton("Add All", "BitBtn2", autoPage);
  auto* clearAuto = namedButton("Clear", "ButtonClearChangedList", autoPage);
  auto* removeAuto = namedButton("Remove from List", "ButtonRemoveChanged", autoPage);
  for (QPushButton* b : {addAuto, addAllAuto, clearAuto, removeAuto}) aButtons->addWidget(b);
  a->addLayout(aButtons);
  PageControl2->addTab(autoPage, "Auto-FTP List");

  PageControl2->addTab(buildProjectsSource(), "Projects");

  PageControl2->addTab(buildFilesSource(), "Files");
  h->addWidget(PageControl2, 1);

  connect(remove, &QPushButton::clicked, this, [this] {
    const auto rows = markedRows(ListTransferFiles);
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) delete ListTransferFiles->takeItem(*it);
  });
  connect(clear, &QPushButton::clicked, ListTransferFiles, &QListWidget::clear);
  connect(addAuto, &QPushButton::clicked, this, [this] { addFromAutoList(false); });
  connect(addAllAuto, &QPushButton::clicked, this, [this] { addFromAutoList(true); });
  connect(clearAuto, &QPushButton::clicked, this, [this] {
    ListBoxChanged->clear();
    changedListChanged();
  });
  connect(removeAuto, &QPushButton::clicked, this, [this] {
    const auto rows = markedRows(ListBoxChanged);
    if (rows.empty()) return;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) delete ListBoxChanged->takeItem(*it);
    changedListChanged();
  });
  return page;
}

// The pages of a project, to add to the transfer list.
QWidget* TFormFTP::buildProjectsSource() {
  auto* projectPage = new QWidget(PageControl2);
  auto* p = new QVBoxLayout(projectPage);
  ComboBox1 = named(new QComboBox(projectPage), "ComboBox1", "Project");
  ComboBox1->setPlaceholderText("Select a Project");
  Outline1 = named(new QTreeWidget(projectPage), "Outline1", "Pages of the project");
  Outline1->setHeaderHidden(true);
  p->addWidget(ComboBox1);
  p->addWidget(Outline1);
  auto* pButtons = new QHBoxLayout;
  auto* addPage = namedButton("&Add", "BitBtnAddOutline", projectPage);
  auto* addAllPages = namedButton("Add All", "BitBtn4", projectPage);
  pButtons->addWidget(addPage);
  pButtons->addWidget(addAllPages);
  p->addLayout(pButtons);
  connect(ComboBox1, &QComboBox::activated, this, [this](int i) { ComboBox1Change(i); });
  connect(addPage, &QPushButton::clicked, this, [this] { addFromProject(false); });
  connect(addAllPages, &QPushButton::clicked, this, [this] { addFromProject(true); });
  return projectPage;
}

// Files of any folder, to add to the transfer list.
QWidget* TFormFTP::buildFilesSource() {
  auto* filesPage = new QWidget(PageControl2);
  auto* f = new QVBoxLayout(filesPage);
  DriveComboBox1 = named(new QComboBox(filesPage), "DriveComboBox1", "Drive");
  DirectoryListBox1 = named(new QListWidget(filesPage), "DirectoryListBox1", "Folders");
  FileListBox1 = named(new QListWidget(filesPage), "FileListBox1", "Files");
  FileListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* addFile = namedButton("Add", "BitBtnAddFile", filesPage);
  for (QWidget* w : std::initializer_list<QWidget*>{DriveComboBox1, DirectoryListBox1, FileListBox1, addFile})
    f->addWidget(w);
  browser_ = new FolderBrowser(DriveComboBox1, DirectoryListBox1, FileListBox1, {}, this);
  connect(addFile, &QPushButton::clicked, this, [this] { BitBtnAddFileClick(); });
  connect(FileListBox1, &QListWidget::itemDoubleClicked, this, [this] { BitBtnAddFileClick(); });
  return filesPage;
}

QWidget* TFormFTP::buildTransferPage() {
  auto* page = new QWidget(this);
  auto* g = new QGridLayout(page);
  Log = named(new QPlainTextEdit("Log", page), "Log", "Session log");
  Log->setReadOnly(true);
  g->addWidget(Log, 0, 0, 1, 2);
  Label15 = named(new QLabel(page), "Label15");
  ByteCounter = named(new QLabel(page), "ByteCounter");
  Gauge1 = named(new QProgressBar(page), "Gauge1");
  Gauge1->hide();
  g->addWidget(Label15, 1, 0);
  g->addWidget(ByteCounter, 1, 1);
  g->addWidget(Gauge1, 2, 0, 1, 2);
  ListBox1 = named(new QListWidget(page), "ListBox1", "Server folders");
  ListBox2 = named(new QListWidget(page), "ListBox2", "Server files");
  g->addWidget(ListBox1, 3, 0);
  g->addWidget(ListBox2, 3, 1);
  auto* remote = new QHBoxLayout;
  auto* mkdir = namedButton("Make Dir", "MkDirFTPBtn", page);
  auto* rmdir = namedButton("Remove Dir", "RmDirFTPBtn", page);
  auto* rename = namedButton("Rename", "ButtonRename", page);
  auto* del = namedButton("Delete", "ButtonDelete", page);
  auto* refresh = namedButton("Refresh", "ButtonRefresh", page);
  for (QPushButton* b : {mkdir, rmdir, rename, del, refresh}) remote->addWidget(b);
  g->addLayout(remote, 4, 0, 1, 2);
  auto* session = new QHBoxLayout;
  auto* connectButton = namedButton("Connect", "Button1", page);
  auto* disconnect = namedButton("Disconnect", "ButtonDisconnect", page);
  auto* cancel = namedButton("Cancel Transfer", "BitBtn1", page);
  auto* transfer = namedButton("Transfer Files", "ButtonTransfer", page);
  auto* publish = namedButton("Publish Site...", "ButtonPublish", page);
  publish->setToolTip("Compare a local site folder with the server's and send what changed");
  for (QPushButton* b : {connectButton, disconnect, cancel, transfer, publish}) session->addWidget(b);
  g->addLayout(session, 5, 0, 1, 2);
  LabelDisconnect =
      named(new QLabel("Connected to FTP Server:    You must press the DISCONNECT button before closing", page),
            "LabelDisconnect");
  // Its room is kept while it is hidden, so that the buttons above stay where they are when it appears.
  QSizePolicy keepRoom = LabelDisconnect->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  LabelDisconnect->setSizePolicy(keepRoom);
  LabelDisconnect->hide();
  g->addWidget(LabelDisconnect, 6, 0, 1, 2);

  connect(connectButton, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(disconnect, &QPushButton::clicked, this, [this] { ButtonDisconnectClick(); });
  connect(cancel, &QPushButton::clicked, this, [this] {
    if (sending_ >= count_ || !busy_) return;  // nothing is being sent
    cancelled_ = true;
    FTP1->abort();
  });
  connect(transfer, &QPushButton::clicked, this, [this] { ButtonTransferClick(); });
  connect(publish, &QPushButton::clicked, this, [this] { ButtonPublishClick(); });
  connect(mkdir, &QPushButton::clicked, this, [this] { MkDirFTPBtnClick(); });
  connect(rmdir, &QPushButton::clicked, this, [this] { RmDirFTPBtnClick(); });
  connect(rename, &QPushButton::clicked, this, [this] { ButtonRenameClick(); });
  connect(del, &QPushButton::clicked, this, [this] { ButtonDeleteClick(); });
  connect(refresh, &QPushButton::clicked, this, [this] {
    if (!canAct()) return;
    setBusy(true);
    FTP1->list();
  });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (!canAct()) return;
    setBusy(true);
    FTP1->changeFolder(itemBytes(item));
  });
  return page;
}

void TFormFTP::wireClient() {
  Publisher::Events& e = FTP1->events;
  e.done = [this](const Publisher::Outcome& o) {
    using Op = Publisher::Op;
    switch (o.op) {
      case Op::Connect:
        if (!FTP1->connected()) {
          if (!offerHostKey() && !offerCertificate()) {
            if (!o.why.empty()) log(o.why);
            setBusy(false);
          }
          return;
        }
        // A refused starting folder is said, so that nothing is sent into the login folder unawares.
        if (!o.ok && !startFolder_.empty())
          platform_.prompts.info("The server refused the folder \"" + startFolder_ +
                                 "\". The files shown are those of the folder you logged in to.");
        return NeedNewFTPListing();
      case Op::List:
        return FTP1ListingDone();
      case Op::Store:
        return FTP1FileStored(o);
      case Op::ChangeFolder:
      case Op::MakeFolder:
      case Op::RemoveFolder:
      case Op::Delete:
      case Op::Rename:
        if (FTP1->connected()) NeedNewFTPListing();
        return;
      case Op::Size:
      case Op::Quit:
        return;
    }
  };
  e.traffic = [this](const std::string& line) { log(line); };
  e.progress = [this](uint64_t sent) {
    pendingBytes_ = QString::number(sent) + " of " + QString::number(sendingSize_);
    if (!logTimer_.isActive()) logTimer_.start();
  };
  e.failed = [this](const std::string& message) { FTP1FtpError(message); };
  e.closed = [this] {
    if (FTP1->busy()) return;  // connecting again, with a host key the user trusted
    setBusy(false);
    // The connection is over, whichever way it ended: the dialog can be left again.
    BitBtnClose->setEnabled(true);
    LabelDisconnect->hide();
  };
}

// The waiting cursor marks a running operation; the automation driver waits for it as for other work.
void TFormFTP::setBusy(bool on) {
  if (on == busy_) return;
  if (!on) flushLog();
  busy_ = on;
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    BackgroundWork::started();
  } else {
    QApplication::restoreOverrideCursor();
    BackgroundWork::finished();
  }
}

// Lines reach the log in batches, a few times a second: a run of a thousand small files would otherwise
// spend its time laying out and drawing the log line by line.
void TFormFTP::log(const std::string& line) {
  pendingLog_ << toQString(line);
  if (!logTimer_.isActive()) logTimer_.start();
}

// The counter label and gauge of a run are shown with the log's batches.
void TFormFTP::showLater(const QString& counter) {
  pendingCounter_ = counter;
  if (!logTimer_.isActive()) logTimer_.start();
}

void TFormFTP::flushLog() {
  logTimer_.stop();
  if (!pendingCounter_.isEmpty()) {
    Label15->setText(pendingCounter_);
    Gauge1->setValue(static_cast<int>(sending_));
    pendingCounter_.clear();
  }
  if (!pendingBytes_.isEmpty()) {
    ByteCounter->setText(pendingBytes_);
    pendingBytes_.clear();
  }
  if (pendingLog_.isEmpty()) return;
  Log->appendPlainText(pendingLog_.join('\n'));
  pendingLog_.clear();
}

void TFormFTP::clearHostFields() {
  for (QLineEdit* e : {EditProfile, EditHost, EditUser, EditPassword, EditAccount, EditDir, EditPort}) e->clear();
  ComboDataMode->setCurrentIndex(0);
  ComboProtocol->setCurrentIndex(0);
  CheckTempNames->setChecked(true);
}

FtpProfile TFormFTP::typedProfile() const {
  FtpProfile p;
  p.profile = toBytes(EditProfile->text());
  p.host = toBytes(EditHost->text());
  p.user = toBytes(EditUser->text());
  if (CheckPassword->isChecked()) p.password = toBytes(EditPassword->text());
  p.account = toBytes(EditAccount->text());
  p.directory = toBytes(EditDir->text());
  p.mode = static_cast<DataConnection>(ComboDataMode->currentData().toInt());
  p.tempNames = CheckTempNames->isChecked();
  p.port = portNumber(toBytes(EditPort->text())).value_or(0);
  p.protocol = static_cast<PublishProtocol>(ComboProtocol->currentData().toInt());
  return p;
}

// A publisher for each connection: one that said goodbye is not used again.
std::unique_ptr<TempNamePublisher> TFormFTP::makePublisher(bool sftp) {
  sftp_ = nullptr;
  ftp_ = nullptr;
  if (!sftp) {
    auto inner = std::make_unique<FtpPublisher>(*loop_);
    ftp_ = inner.get();
    return std::make_unique<TempNamePublisher>(std::move(inner), true);
  }
  const char* home = std::getenv("HOME");
  auto inner = std::make_unique<SftpPublisher>(
      *loop_, HostTrust{home ? std::string(home) + "/.ssh/known_hosts" : std::string(), {}});
  sftp_ = inner.get();
  return std::make_unique<TempNamePublisher>(std::move(inner), true);
}

// A server whose host key is not known yet: the user sees the key and may trust it; the connection is then
// made again, and the key added to known_hosts.
// An FTPS server whose certificate no authority vouches for: the user sees it and may trust it for this
// profile, whose settings keep its fingerprint; a later, different certificate is refused.
bool TFormFTP::offerCertificate() {
  if (!ftp_ || !lastLogin_.trust.empty()) return false;
  const auto certificate = ftp_->refusedCertificate();
  if (!certificate) return false;
  const std::string question =
      "The server's certificate is not vouched for by an authority this computer "
      "trusts:\r\n\r\n" +
      certificate->subject + ", issued by " + certificate->issuer + "\r\nvalid from " + certificate->validFrom +
      " until " + certificate->validUntil + "\r\n" + certificate->fingerprint +
      "\r\n\r\nCompare it with the one your host gave you. Trust this certificate for "
      "this profile and connect?";
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle, question, Buttons::YesNo) != Answer::Yes) return false;
  lastLogin_.trust = certificate->fingerprint;
  const int row = ListBoxHosts->currentRow();
  if (connection_.host != "none" && row >= 0) {
    connection_.certificate = certificate->fingerprint;
    const WriteResult written = writeFtpProfile(iniPath(), datPath(), connection_, hostNames_);
    if (!written.ok) platform_.prompts.error(cannotWriteText(written, "FTP settings file"));
  }
  reconnectLater();
  return true;
}

// The client that refused is still ending its session: the new connection starts once it has.
void TFormFTP::reconnectLater() {
  QTimer::singleShot(0, this, [this] {
    setBusy(true);
    FTP1 = makePublisher(lastLogin_.protocol == PublishProtocol::Sftp);
    if (sftp_) sftp_->acceptHostKey(acceptedKey_);
    wireClient();
    FTP1->setTempNames(tempNames_);
    FTP1->connect(lastLogin_);
  });
}

bool TFormFTP::offerHostKey() {
  if (!sftp_ || !sftp_->refusedKey() || sftp_->refusedKeyChanged()) return false;
  const HostKey key = *sftp_->refusedKey();
  const std::string question = "The server is not known yet. Its host key is:\r\n\r\n" + key.type + "  " +
                               key.fingerprint +
                               "\r\n\r\nCompare it with the one your host gave you. Trust this key and connect?";
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle, question, Buttons::YesNo) != Answer::Yes) return false;
  acceptedKey_ = key.fingerprint;
  reconnectLater();
  return true;
}

// The list shows each name; the bytes of FTP.DAT are kept beside it, so a name in another encoding
// finds its section and is written back as it was.
void TFormFTP::addHostName(const std::string& name) {
  hostNames_.push_back(name);
  ListBoxHosts->addItem(toQString(name));
}

void TFormFTP::ListBoxHostsClick() {
  const int row = ListBoxHosts->currentRow();
  if (row < 0) return;
  FtpProfile p = readFtpProfile(iniPath(), hostNames_[static_cast<size_t>(row)]);
  if (!fetchSavedPassword(*secrets_, p))
    LabelPasswordPlace->setText(
        "The saved password is in the desktop's keyring, which does not give it now: type the password to "
        "connect.");
  EditProfile->setText(toQString(p.profile));
  EditHost->setText(toQString(p.host));
  EditUser->setText(toQString(p.user));
  EditPassword->setText(toQString(p.password));
  EditAccount->setText(toQString(p.account));
  EditDir->setText(toQString(p.directory));
  EditPort->setText(p.port ? QString::number(p.port) : QString());
  ComboProtocol->setCurrentIndex(ComboProtocol->findData(static_cast<int>(p.protocol)));
  ComboDataMode->setCurrentIndex(ComboDataMode->findData(static_cast<int>(p.mode)));
  CheckTempNames->setChecked(p.tempNames);
  // A stored password stays stored when the profile is changed.
  CheckPassword->setChecked(!p.password.empty() || p.passwordInKeyring);
  connection_ = p;
}

void TFormFTP::ButtonAddHostClick() {
  const std::string name = toBytes(EditProfile->text());
  if (name.empty()) {
    platform_.prompts.info("You must enter a Profile Name before adding to the Host List");
    EditProfile->setFocus();
    return;
  }
  if (const std::string problem = profileNameProblem(name); !problem.empty()) {
    platform_.prompts.info(problem);
    EditProfile->setFocus();
    return;
  }
  // Profiles share FTP.INI sections by name, letters in either case: a second one would take over the first.
  for (const std::string& existing : hostNames_)
    if (equalsIgnoringAsciiCase(existing, name)) {
      platform_.prompts.info("A profile named \"" + existing +
                             "\" is already in the Host List. Select it and use "
                             "Modiy to change it, or choose another Profile Name.");
      EditProfile->setFocus();
      return;
    }
  if (!EditPort->text().isEmpty() && !portNumber(toBytes(EditPort->text()))) {
    platform_.prompts.info("The Port must be a number from 1 to 65535, or empty for the usual one.");
    EditPort->setFocus();
    return;
  }
  const FtpProfile p = typedProfile();
  if (const std::string problem = storedValueProblem(p); !problem.empty()) {
    platform_.prompts.info(problem);
    return;
  }
  std::vector<std::string> names = hostNames_;
  names.push_back(name);
  const SavedProfile saved = saveFtpProfile(*secrets_, iniPath(), datPath(), p, names);
  if (!saved.written.ok) {
    platform_.prompts.error(cannotWriteText(saved.written, "FTP settings file"));
    return;
  }
  if (!saved.keyringRefusal.empty())
    platform_.prompts.info("The desktop's keyring did not take the password (" + saved.keyringRefusal +
                           "). It is saved in FTP.INI, which only you can read.");
  addHostName(name);
  clearHostFields();
}

void TFormFTP::Button3Click() {
  const std::string name = toBytes(EditProfile->text());
  if (name.empty()) {
    platform_.prompts.info("You must include the Profile Name that you wish to have modified.");
    EditProfile->setFocus();
    return;
  }
  const int row = ListBoxHosts->currentRow();
  const bool changingSelected = row >= 0 && hostNames_[static_cast<size_t>(row)] == name;
  for (size_t i = 0; i < hostNames_.size(); ++i)
    if ((changingSelected && static_cast<int>(i) == row) || hostNames_[i] == name) {
      hostNames_.erase(hostNames_.begin() + static_cast<long>(i));
      const QSignalBlocker keepFields(ListBoxHosts);  // the fields hold the changes about to be stored
      delete ListBoxHosts->takeItem(static_cast<int>(i));
      break;
    }
  ButtonAddHostClick();
}

void TFormFTP::ButtonDeleteHostClick() {
  const int row = ListBoxHosts->currentRow();
  if (row < 0 || !ListBoxHosts->item(row)->isSelected()) return;
  std::vector<std::string> names = hostNames_;
  names.erase(names.begin() + row);
  const WriteResult written =
      removeFtpProfile(*secrets_, iniPath(), datPath(), hostNames_[static_cast<size_t>(row)], names);
  if (!written.ok) {
    platform_.prompts.error(cannotWriteText(written, "FTP settings file"));
    return;
  }
  hostNames_ = std::move(names);
  const QSignalBlocker keepFields(ListBoxHosts);
  delete ListBoxHosts->takeItem(row);
}

bool TFormFTP::addIfPresent(const std::string& path) {
  if (!fileExists(path)) {
    platform_.prompts.info(
        "The file: " + path +
        "  does not exist. Please be sure the location is correct and the file has not been deleted.");
    return false;
  }
  addByteItem(ListTransferFiles, path);
  return true;
}

void TFormFTP::addFromAutoList(bool all) {
  const auto rows = markedRows(ListBoxChanged);
  if (rows.empty()) return;
  for (int i = 0; i < ListBoxChanged->count(); ++i)
    if (all || ListBoxChanged->item(i)->isSelected()) addIfPresent(itemBytes(ListBoxChanged->item(i)));
}

void TFormFTP::changedListChanged() {
  autoFtp_.clear();
  for (int i = 0; i < ListBoxChanged->count(); ++i) autoFtp_.add(itemBytes(ListBoxChanged->item(i)));
}

void TFormFTP::ComboBox1Change(int index) {
  Outline1->clear();
  projectLinks_.clear();
  const std::string entry = comboBytes(ComboBox1, index);
  const std::string projects = start_.programDir + "projects/";
  const ProjectLoad load = loadProject(projectOutlinePath(projects, entry));
  if (!load.tree) {
    platform_.prompts.info("You cannot type in a project name. You must select it from the list.");
    return;
  }
  if (!load.warning.empty()) platform_.prompts.info(load.warning);
  std::vector<QTreeWidgetItem*> parents;
  for (const Page& page : load.tree->pages()) {
    projectLinks_.push_back(page.link);
    const size_t depth = static_cast<size_t>(std::max(1, page.level)) - 1;
    parents.resize(std::min(parents.size(), depth));
    auto* item = parents.empty() ? new QTreeWidgetItem(Outline1) : new QTreeWidgetItem(parents.back());
    item->setText(0, toQString(page.title));
    item->setData(0, Qt::UserRole, static_cast<int>(projectLinks_.size() - 1));
    parents.push_back(item);
  }
  Outline1->expandAll();
}

void TFormFTP::addFromProject(bool all) {
  if (all) {
    for (const std::string& link : projectLinks_) addIfPresent(link);
    return;
  }
  const QTreeWidgetItem* item = Outline1->currentItem();
  if (!item) return;
  const int index = item->data(0, Qt::UserRole).toInt();
  if (index >= 0 && static_cast<size_t>(index) < projectLinks_.size())
    addIfPresent(projectLinks_[static_cast<size_t>(index)]);
}

void TFormFTP::goToFolder(const std::string& folder) { browser_->goTo(folder); }

void TFormFTP::BitBtnAddFileClick() {
  for (int row : markedRows(FileListBox1)) addByteItem(ListTransferFiles, browser_->pathOf(FileListBox1->item(row)));
}

void TFormFTP::Button1Click() {
  if (FTP1->connected() || busy_) return;
  if (EditProfile->text().isEmpty() || EditHost->text().isEmpty() || EditUser->text().isEmpty() ||
      EditPassword->text().isEmpty()) {
    platform_.prompts.info(
        "Please verify that the host you have selected has a Profile Name, Host Name, User Name, and "
        "Password. These fields are all required to connect to an FTP host.");
    PageControl1->setCurrentIndex(0);
    return;
  }
  log("Connecting..");
  PublishLogin login;
  // Without a chosen host the typed fields are the connection, the account and starting folder too.
  const bool typed = connection_.host == "none";
  const FtpProfile& how = typed ? typedProfile() : connection_;
  const HostAndPort hp = parseHostAndPort(typed ? toBytes(EditHost->text()) : connection_.host);
  login.host = hp.host;
  login.port = how.port ? how.port : hp.portGiven ? hp.port : defaultPort(how.protocol);
  login.protocol = how.protocol;
  login.trust = how.certificate;
  const bool sftp = how.protocol == PublishProtocol::Sftp;
  login.user = connection_.user.empty() ? toBytes(EditUser->text()) : connection_.user;
  // A profile saved without its password connects with the one typed for this session.
  login.password = connection_.password.empty() ? toBytes(EditPassword->text()) : connection_.password;
  login.account = typed ? toBytes(EditAccount->text()) : connection_.account;
  login.folder = typed ? toBytes(EditDir->text()) : connection_.directory;
  login.mode = how.mode;
  startFolder_ = login.folder;
  // Each connection gets a publisher of its own: one that said goodbye is not used again.
  FTP1 = makePublisher(sftp);
  wireClient();
  FTP1->setTempNames(how.tempNames);
  tempNames_ = how.tempNames;
  acceptedKey_.clear();
  lastLogin_ = login;
  setBusy(true);
  FTP1->connect(login);
}

void TFormFTP::ButtonDisconnectClick() {
  if (!FTP1->connected() || busy_) return;
  setBusy(true);  // until the server's goodbye: the quit event ends the wait
  FTP1->quit();
  BitBtnClose->setEnabled(true);
  LabelDisconnect->hide();
}

void TFormFTP::BitBtnCloseClick() {
  if (!FTP1->connected() && !busy_) {
    setBusy(false);
    accept();
    return;
  }
  FTP1->quit();
  setBusy(false);
}

// Escape acts as the Close button: a connection is ended first.
void TFormFTP::reject() { BitBtnCloseClick(); }

void TFormFTP::ButtonTransferClick() {
  if (!FTP1->connected()) {
    platform_.prompts.info(
        "You must press the CONNECT button to connect to the FTP server before beginning to transfer "
        "files.");
    return;
  }
  if (ListTransferFiles->count() == 0) {
    platform_.prompts.info(
        "You haven't selected any files to transfer. Select the files you wish to transfer from Tab #2.");
    return;
  }
  if (busy_) return;
  std::vector<std::string> paths;
  for (int i = 0; i < ListTransferFiles->count(); ++i) paths.push_back(itemBytes(ListTransferFiles->item(i)));
  if (const auto clashes = uploadNameClashes(paths)) {
    platform_.prompts.info(*clashes);
    return;
  }
  sending_ = 0;
  failed_ = 0;
  cancelled_ = false;
  count_ = static_cast<size_t>(ListTransferFiles->count());
  Gauge1->setRange(0, static_cast<int>(count_));
  Gauge1->setValue(0);
  Gauge1->show();
  sendCurrent();
}

void TFormFTP::sendCurrent() {
  const std::string path = itemBytes(ListTransferFiles->item(static_cast<int>(sending_)));
  showLater(QString("Sending file #%1 of %2").arg(sending_ + 1).arg(count_));
  sendingPath_ = path;
  if (const auto size = regularFileSize(path)) sendingSize_ = *size;
  lastError_.clear();
  PageControl1->setCurrentIndex(2);
  setBusy(true);
  FTP1->store(path, std::string(uploadName(path)));
}

void TFormFTP::FTP1FileStored(const Publisher::Outcome& outcome) {
  if (const auto line = transferLogLine(FTP1->bytesSent(), FTP1->elapsedMs())) log(*line);
  if (!outcome.ok) {
    ++failed_;
    // The reason: the client's error, else the server's refusal in its own words.
    const std::string reason = !lastError_.empty() ? lastError_ : outcome.why;
    log("Could not send " + sendingPath_ + (reason.empty() ? std::string(".") : ": " + reason));
  }
  showLater(QString("File # %1 completed.").arg(sending_ + 1));
  ++sending_;
  if (sending_ >= count_ || !FTP1->connected() || cancelled_) {
    const size_t sent = sending_ - failed_;
    QString done;
    if (cancelled_)
      done = QString("Transfer cancelled: %1 of %2 files sent.").arg(sent).arg(count_);
    else if (sending_ < count_)
      done = QString("Stopped: %1 of %2 files sent.").arg(sent).arg(count_);
    else
      done = QString("Completed sending %1 files.").arg(count_);
    if (!cancelled_ && sending_ >= count_ && failed_ > 0) done += QString(" %1 could not be sent.").arg(failed_);
    sending_ = count_;
    pendingCounter_.clear();
    pendingBytes_.clear();
    Label15->setText(done);
    Gauge1->hide();
    ByteCounter->clear();
    setBusy(false);
    if (FTP1->connected()) NeedNewFTPListing();
    return;
  }
  sendCurrent();
}

void TFormFTP::NeedNewFTPListing() {
  setBusy(true);
  FTP1->list();
  BitBtnClose->setEnabled(false);
  LabelDisconnect->show();
}

void TFormFTP::FTP1ListingDone() {
  ListBox1->clear();
  std::vector<std::string> folders;
  for (const RemoteEntry& entry : FTP1->entries())
    if (entry.folder) folders.push_back(entry.name);
  if (std::find(folders.begin(), folders.end(), "..") == folders.end()) folders.insert(folders.begin(), "..");
  for (const std::string& name : folders) addByteItem(ListBox1, name);
  ListBox2->clear();
  for (const RemoteEntry& entry : FTP1->entries())
    if (!entry.folder) addByteItem(ListBox2, entry.name);
  setBusy(false);
  ByteCounter->clear();
  if (publishPending_ && FTP1->connected()) {
    publishPending_ = false;
    QTimer::singleShot(0, this, [this] { ButtonPublishClick(); });
  }
}

// Publish Site works over this screen's connection, starting in the folder it shows.
void TFormFTP::ButtonPublishClick() {
  if (!FTP1->connected() || busy_) {
    platform_.prompts.info("Connect to the server first: Publish Site compares and sends over the open connection.");
    PageControl1->setCurrentIndex(2);
    return;
  }
  const std::string here = FTP1->folder();
  const int row = ListBoxHosts->currentRow();
  const bool profile = connection_.host != "none" && row >= 0;
  TFormPublish::Start start{start_.programDir, start_.siteFolder.empty() ? start_.startFolder : start_.siteFolder,
                            !here.empty() && here[0] == '/' ? here : std::string(),
                            profile ? connection_.exclusions : std::string(kDefaultPublishExclusions)};
  TFormPublish dialog(platform_, *loop_, *FTP1, lastLogin_, start, this);
  publishing_ = true;
  platform_.modal.runModal(dialog);
  publishing_ = false;
  if (profile && dialog.exclusions() != connection_.exclusions) {
    connection_.exclusions = dialog.exclusions();
    const WriteResult written = writeFtpProfile(iniPath(), datPath(), connection_, hostNames_);
    if (!written.ok) platform_.prompts.error(cannotWriteText(written, "FTP settings file"));
  }
  if (FTP1->connected()) NeedNewFTPListing();
}

void TFormFTP::FTP1FtpError(const std::string& message) {
  lastError_ = message;
  const bool running = sending_ < count_ && count_ > 0;
  // During an upload run a file's failure goes to the log and the run goes on; the next file follows.
  // While Publish Site runs, it reports each file's failure itself.
  if (publishing_) {
    log(message);
    return;
  }
  if (!running || !FTP1->connected()) platform_.prompts.info(message);
  // The client may still be finishing (a refused login says goodbye first): its completion or quit event
  // ends the wait.
  if (!running && !FTP1->busy() && !FTP1->connected()) setBusy(false);
  if (!FTP1->connected()) {
    BitBtnClose->setEnabled(true);
    LabelDisconnect->hide();
  }
}

bool TFormFTP::canAct() const { return FTP1->connected() && !busy_; }

void TFormFTP::MkDirFTPBtnClick() {
  if (!canAct()) return;
  InputForm->prepare("Create Directory", "Enter new directory name:");
  if (platform_.modal.runModal(*InputForm) != QDialog::Accepted) return;
  setBusy(true);
  FTP1->makeFolder(InputForm->text());
}

void TFormFTP::RmDirFTPBtnClick() {
  if (!canAct()) return;
  const QListWidgetItem* item = ListBox1->currentItem();
  if (!item || item->text() == "..") return;
  const std::string name = itemBytes(item);
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle, "Are you sure you want to remove " + name + " ?",
                                Buttons::YesNo) != Answer::Yes)
    return;
  setBusy(true);
  FTP1->removeFolder(name);
}

void TFormFTP::ButtonRenameClick() {
  if (!canAct()) return;
  const QListWidgetItem* item = ListBox2->currentItem();
  if (!item) return;
  const std::string from = itemBytes(item);
  InputForm->prepare("Rename File", "Enter new File name:");
  if (platform_.modal.runModal(*InputForm) != QDialog::Accepted) return;
  setBusy(true);
  FTP1->rename(from, InputForm->text());
}

void TFormFTP::ButtonDeleteClick() {
  if (!canAct()) return;
  const QListWidgetItem* item = ListBox2->currentItem();
  if (!item) return;
  const std::string name = itemBytes(item);
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle, "Are you sure you want to delete " + name + " ?",
                                Buttons::YesNo) != Answer::Yes)
    return;
  setBusy(true);
  FTP1->deleteFile(name);
}

}  // namespace quillon
