#include "project/ui/load_size_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/byte_items.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/text_printing.h"
#include "project/page_analysis.h"
#include "project/project_files.h"
#include "project/site_files.h"
#include "project/site_scans.h"
#include "project/summary_grid_print.h"

namespace quillon {

namespace {

// A folder box's bytes end in a slash, as every folder the dialog hands on does.
void endWithSlash(QLineEdit* box) {
  const std::string folder = lineBytes(box);
  if (!folder.empty() && folder.back() != '/') setLineBytes(box, folder + "/");
}

std::string siteLabel(const std::string& entry) {
  const std::string stem = entry.size() >= 4 ? entry.substr(0, entry.size() - 4) : entry;
  return "Site to search:  " + upperAscii(stem);
}

}  // namespace

TFormLoadSize::TFormLoadSize(Platform& platform, Start start, QWidget* parent)
    : QDialog(parent), platform_(platform), start_(std::move(start)), tree_(start_.tree), imageDir_(start_.imageDir) {
  setObjectName("TFormLoadSize");
  setWindowTitle("Web Page Analysis");
  auto* v = new QVBoxLayout(this);
  auto* tabs = named(new QTabWidget(this), "PageControl");
  tabs->addTab(buildSitePage(), "Site Analysis");
  tabs->addTab(buildListsPage(), "Link / Image Lists");
  tabs->addTab(buildWherePage(), "Show Me Where...");
  v->addWidget(tabs);
  StatusBar = named(new QStatusBar(this), "StatusBar");
  StatusBar->setSizeGripEnabled(false);
  v->addWidget(StatusBar);

  const std::vector<std::string> projects = listProjects(start_.projectsDir);
  for (QComboBox* combo : {ComboProject1, ComboProject2}) {
    combo->setPlaceholderText("Select a Project");
    for (const std::string& p : projects) combo->addItem(toQString(p));
  }
  ButtonFind->setEnabled(false);
  if (!start_.projectName.empty()) {
    const int at = projectListSelection(projects, start_.projectName);
    for (QComboBox* combo : {ComboProject1, ComboProject2}) {
      const QSignalBlocker quiet(combo);
      combo->setCurrentIndex(at);
    }
    projectEntry_ = at >= 0 ? projects[static_cast<size_t>(at)] : start_.projectName;
    ButtonFind->setEnabled(true);
    LabelSite->setText(toQString(siteLabel(start_.projectName)));
  }
  showPages(start_.selectedPage);
  if (start_.selectedPage >= 0) choosePage(start_.selectedPage);
  setLineBytes(EditImageDir, imageDir_);
  if (!start_.preselectedFile.empty()) {
    pageFile_ = start_.preselectedFile;
    greetPreselected_ = true;
  }
}

QWidget* TFormLoadSize::buildSitePage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  ComboProject1 = named(new QComboBox(page), "ComboProject1", "Project");
  Outline1 = named(new QTreeWidget(page), "Outline1", "Pages of the project");
  Outline1->setHeaderHidden(true);
  grid->addWidget(ComboProject1, 0, 0);
  grid->setColumnMinimumWidth(0, 170);
  grid->addWidget(Outline1, 1, 0, 3, 1);
  auto* dirRow = new QHBoxLayout;
  dirRow->addWidget(new QLabel("Image Directory:", page));
  EditImageDir = named(new QLineEdit(page), "EditImageDir");
  dirRow->addWidget(EditImageDir, 1);
  auto* pick = namedButton("...", "ButtonImageDir", page);
  dirRow->addWidget(pick);
  grid->addLayout(dirRow, 0, 1);
  auto* buttons = new QHBoxLayout;
  auto* analysePage = namedButton("Analyze Page", "ButtonAnalyzePage1", page);
  auto* analyseSite = namedButton("Analyze Site", "ButtonAnalyzeSite1", page);
  auto* stop = namedButton("Stop", "ButtonStop1", page);
  stop->setToolTip("Stop Site Analysis");
  auto* clear = namedButton("Clear Site Summary Grid", "ButtonClearGrid", page);
  auto* printSite = namedButton("Site Summary", "ButtonPrintSite", page);
  auto* printPage = namedButton("Page Summary", "ButtonPrintPage", page);
  auto* close = namedButton("&Close", "ButtonClose1", page);
  for (QPushButton* b : {analysePage, analyseSite, stop, clear, printSite, printPage, close}) buttons->addWidget(b);
  grid->addLayout(buttons, 1, 1);
  GridSummary = named(new QTableWidget(0, 6, page), "GridSummary", "Site summary");
  GridSummary->setHorizontalHeaderLabels(
      {"Page", "File Size", "Unique Images", "Total Image KB", "Est. Load Time @ 28.8", "Est. Load Time @ 14.4"});
  GridSummary->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The figures' columns are as wide as their headings; the page column takes the rest of the grid.
  GridSummary->resizeColumnsToContents();
  GridSummary->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  grid->addWidget(GridSummary, 2, 1);
  ListBoxPageSummary = named(new QListWidget(page), "ListBoxPageSummary", "Page summary");
  ListBoxPageSummary->hide();
  grid->addWidget(ListBoxPageSummary, 3, 1);
  LabelError = named(new QLabel("*  = see Page Summary for error details", page), "LabelError");
  LabelError->hide();
  grid->addWidget(LabelError, 4, 1);
  ProgressBar = named(new QProgressBar(page), "ProgressBar");
  ProgressBar->hide();
  grid->addWidget(ProgressBar, 5, 0, 1, 2);

  // The project and the page follow the current entry however it was chosen: mouse, keyboard or program.
  connect(ComboProject1, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0) chooseProject(i);
  });
  connect(Outline1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) choosePage(item->data(0, Qt::UserRole).toInt());
  });
  connect(Outline1, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { choosePage(item->data(0, Qt::UserRole).toInt()); });
  connect(EditImageDir, &QLineEdit::textChanged, this, [this] { imageDirEdited(); });
  connect(EditImageDir, &QLineEdit::editingFinished, this, [this] { endWithSlash(EditImageDir); });
  connect(pick, &QPushButton::clicked, this, [this] { ButtonImageDirClick(); });
  connect(analysePage, &QPushButton::clicked, this, [this] { ButtonAnalyzePage1Click(); });
  connect(analyseSite, &QPushButton::clicked, this, [this] { ButtonAnalyzeSite1Click(); });
  connect(stop, &QPushButton::clicked, this, [this] { stop_ = true; });
  connect(clear, &QPushButton::clicked, this, [this] { GridSummary->setRowCount(0); });
  connect(printSite, &QPushButton::clicked, this, [this] { ButtonPrintSiteClick(); });
  connect(printPage, &QPushButton::clicked, this,
          [this] { printLines(listLines(ListBoxPageSummary), "Page Summary"); });
  connect(close, &QPushButton::clicked, this, [this] { closeDialog(); });
  return page;
}

QWidget* TFormLoadSize::buildListsPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  ComboProject2 = named(new QComboBox(page), "ComboProject2", "Project");
  Outline2 = named(new QTreeWidget(page), "Outline2", "Pages of the project");
  Outline2->setHeaderHidden(true);
  grid->addWidget(ComboProject2, 0, 0);
  grid->addWidget(Outline2, 1, 0, 2, 1);
  auto* kinds = new QHBoxLayout;
  RadioLinks = named(new QRadioButton("All HREF Links", page), "RadioLinks");
  RadioImages = named(new QRadioButton("All Images", page), "RadioImages");
  RadioBoth = named(new QRadioButton("Both", page), "RadioBoth");
  RadioLinks->setChecked(true);
  for (QRadioButton* r : {RadioLinks, RadioImages, RadioBoth}) kinds->addWidget(r);
  grid->addLayout(kinds, 0, 1);
  auto* buttons = new QHBoxLayout;
  auto* analysePage = namedButton("Analyze Page", "ButtonAnalyzePage2", page);
  auto* analyseSite = namedButton("Analyze Site", "ButtonAnalyzeSite2", page);
  auto* stop = namedButton("Stop", "ButtonStop2", page);
  stop->setToolTip("Stop Site Analysis");
  auto* print = namedButton("Print Listing", "ButtonPrintListing", page);
  auto* close = namedButton("&Close", "ButtonClose2", page);
  for (QPushButton* b : {analysePage, analyseSite, stop, print, close}) buttons->addWidget(b);
  grid->addLayout(buttons, 1, 1);
  ListBoxListing = named(new QListWidget(page), "ListBoxListing", "Links and images");
  grid->addWidget(ListBoxListing, 2, 1);
  // The project and the page follow the current entry however it was chosen: mouse, keyboard or program.
  connect(ComboProject2, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0) chooseProject(i);
  });
  connect(Outline2, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) choosePage(item->data(0, Qt::UserRole).toInt());
  });
  connect(Outline2, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { choosePage(item->data(0, Qt::UserRole).toInt()); });
  connect(analysePage, &QPushButton::clicked, this, [this] { listingRun(false); });
  connect(analyseSite, &QPushButton::clicked, this, [this] { listingRun(true); });
  connect(stop, &QPushButton::clicked, this, [this] { stop_ = true; });
  connect(print, &QPushButton::clicked, this, [this] { printLines(listLines(ListBoxListing), "Listing"); });
  connect(close, &QPushButton::clicked, this, [this] { closeDialog(); });
  return page;
}

QWidget* TFormLoadSize::buildWherePage() {
  auto* page = new QWidget(this);
  auto* v = new QVBoxLayout(page);
  EditSearch = named(new QLineEdit("Enter text to search for here....", page), "EditSearch", "Text to search for");
  CheckFileNameOnly = named(new QCheckBox("Show HTML filename only, without full path", page), "CheckFileNameOnly");
  LabelSite = named(new QLabel("Site to search:  ", page), "LabelSite");
  ButtonFind = namedButton("&Find Pages with this text:", "ButtonFind", page);
  v->addWidget(EditSearch);
  v->addWidget(CheckFileNameOnly);
  v->addWidget(LabelSite);
  auto* buttons = new QHBoxLayout;
  auto* stop = namedButton("Stop", "ButtonStop3", page);
  stop->setToolTip("Stop Site Analysis");
  auto* print = namedButton("&Print Report", "ButtonPrintReport", page);
  auto* close = namedButton("&Close", "ButtonClose3", page);
  for (QPushButton* b : {ButtonFind, stop, print, close}) buttons->addWidget(b);
  v->addLayout(buttons);
  ListBoxFound = named(new QListWidget(page), "ListBoxFound", "Pages with the text");
  v->addWidget(ListBoxFound);
  connect(ButtonFind, &QPushButton::clicked, this, [this] { ButtonFindClick(); });
  connect(stop, &QPushButton::clicked, this, [this] { stop_ = true; });
  connect(print, &QPushButton::clicked, this, [this] { printLines(listLines(ListBoxFound), "Show Me Where"); });
  connect(close, &QPushButton::clicked, this, [this] { closeDialog(); });
  return page;
}

void TFormLoadSize::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!greetPreselected_) return;
  greetPreselected_ = false;
  QTimer::singleShot(0, this, [this] {
    platform_.prompts.info(
        "The page you selected has already been loaded and prepared for analysis. Just click the "
        "ANALYZE PAGE button on either screen to view the analysis data for the page.");
  });
}

void TFormLoadSize::showPages(int select) {
  for (QTreeWidget* outline : {Outline1, Outline2}) {
    outline->clear();
    std::vector<QTreeWidgetItem*> parents;
    for (size_t i = 0; i < tree_.size(); ++i) {
      const Page& p = tree_[i];
      const size_t depth = static_cast<size_t>(std::max(1, p.level)) - 1;
      parents.resize(std::min(parents.size(), depth));
      auto* item = parents.empty() ? new QTreeWidgetItem(outline) : new QTreeWidgetItem(parents.back());
      item->setText(0, toQString(p.title));
      item->setData(0, Qt::UserRole, static_cast<int>(i));
      parents.push_back(item);
      if (static_cast<int>(i) == select) outline->setCurrentItem(item);
    }
    outline->expandAll();
  }
}

void TFormLoadSize::choosePage(int index) {
  if (index < 0 || static_cast<size_t>(index) >= tree_.size()) return;
  pageFile_ = tree_[static_cast<size_t>(index)].link;
  pageTitle_ = tree_[static_cast<size_t>(index)].title;
}

void TFormLoadSize::chooseProject(int index) {
  QComboBox* other = sender() == ComboProject1 ? ComboProject2 : ComboProject1;
  const std::string entry = toBytes((sender() == ComboProject1 ? ComboProject1 : ComboProject2)->itemText(index));
  const ProjectLoad load = loadProject(projectOutlinePath(start_.projectsDir, entry));
  if (!load.tree) {
    platform_.prompts.info(load.error);
    return;
  }
  if (!load.warning.empty()) platform_.prompts.info(load.warning);
  tree_ = *load.tree;
  projectEntry_ = entry;
  {
    const QSignalBlocker quiet(other);
    other->setCurrentIndex(index);
  }
  showPages(0);
  choosePage(0);
  ButtonFind->setEnabled(true);
  LabelSite->setText(toQString(siteLabel(entry)));
}

void TFormLoadSize::imageDirEdited() {
  imageDir_ = lineBytes(EditImageDir);
  if (!imageDir_.empty() && imageDir_.back() != '/') imageDir_ += '/';
}

// The folder keeps its case: on this system a folder name in other letters is another folder.
void TFormLoadSize::ButtonImageDirClick() {
  platform_.prompts.info(
      "In the next dialog box, go to the directory where you store the images used in your HTML "
      "files and select any file in that directory. Then click the OPEN button. That will return "
      "the proper directory location.");
  FileDialogRequest request;
  request.title = "Open";
  request.filter = "All Files|*.*";
  request.initialDir = imageDir_;
  if (const auto chosen = platform_.fileDialogs.choose(request))
    setLineBytes(EditImageDir, std::string(folderPart(*chosen)));
}

bool TFormLoadSize::stopRequested() { return pass_.shouldStop(); }

void TFormLoadSize::analysePageNow() {
  const PageAnalysis a = analysePage(pageTitle_, pageFile_, imageDir_, [this] { return stopRequested(); });
  // A page stopped part-way has no true figures: nothing of it is shown.
  if (stop_) return;
  if (a.unreadable) platform_.prompts.info(a.message);
  QStringList lines;
  lines.reserve(static_cast<int>(a.summary.size()));
  for (const std::string& line : a.summary) lines << toQString(line);
  ListBoxPageSummary->addItems(lines);
  const int row = GridSummary->rowCount();
  GridSummary->insertRow(row);
  for (int c = 0; c < 6; ++c)
    GridSummary->setItem(row, c, new QTableWidgetItem(toQString(a.row[static_cast<size_t>(c)])));
  if (a.imageError) LabelError->show();
}

void TFormLoadSize::ButtonAnalyzePage1Click() {
  stop_ = false;
  ListBoxPageSummary->clear();
  analysePageNow();
}

void TFormLoadSize::ButtonAnalyzeSite1Click() {
  stop_ = false;
  Outline1->expandAll();
  BusyCursor busy;
  ProgressBar->setRange(0, static_cast<int>(tree_.size()));
  ProgressBar->setValue(0);
  ProgressBar->show();
  ListBoxPageSummary->clear();
  GridSummary->setRowCount(0);
  LabelError->hide();
  // The grid is drawn once the run ends, not after each of thousands of rows.
  GridSummary->setUpdatesEnabled(false);
  GridSummary->setSortingEnabled(false);
  const auto redraw = qScopeGuard([this] { GridSummary->setUpdatesEnabled(true); });
  for (size_t i = 0; i < tree_.size(); ++i) {
    if (stopRequested()) break;
    ProgressBar->setValue(static_cast<int>(i + 1));
    choosePage(static_cast<int>(i));
    analysePageNow();
  }
  ProgressBar->hide();
}

void TFormLoadSize::listingRun(bool site) {
  stop_ = false;
  const auto check = [this] { return stopRequested(); };
  const bool links = !RadioImages->isChecked();
  const bool images = !RadioLinks->isChecked();
  ListBoxListing->clear();
  std::vector<std::string> lines;
  if (links) {
    StatusBar->showMessage("Extracting Links...");
    std::optional<SiteScan> scan = SiteScan{{}, pageTitle_, pageFile_};
    if (!site) {
      if (const auto bytes = readWholeFile(pageFile_)) scan->found = scanLinks(*bytes, check);
    } else if (tree_.size() > 0) {  // an empty site's listing is headed by the chosen page
      scan = scanSiteLinks(tree_, check);
    }
    if (scan) StatusBar->showMessage("Sorting...");
    if (!scan || stopRequested()) {
      StatusBar->showMessage("Status: Aborted.");
      return;
    }
    lines = linkListing(std::move(scan->found), scan->lastTitle, scan->lastFile);
    StatusBar->showMessage("Status:");
  }
  if (links && images) {
    const auto separator = bothSeparator();
    lines.insert(lines.end(), separator.begin(), separator.end());
  }
  if (images) {
    StatusBar->showMessage("Scanning for Images...");
    std::optional<SiteScan> scan = SiteScan{};
    if (!site) {
      if (const auto bytes = readWholeFile(pageFile_)) scan->found = scanImages(*bytes, check);
    } else {
      scan = scanSiteImages(tree_, check);
    }
    if (!scan || stopRequested()) {
      StatusBar->showMessage("Status: Search Aborted.");
      return;
    }
    StatusBar->showMessage("Sorting:");
    const auto listing = imageListing(std::move(scan->found), {site, projectEntry_, pageTitle_, pageFile_}, imageDir_);
    lines.insert(lines.end(), listing.begin(), listing.end());
    StatusBar->showMessage("Status:");
  }
  for (const std::string& line : lines) ListBoxListing->addItem(toQString(line));
}

void TFormLoadSize::ButtonFindClick() {
  const std::string search = toBytes(EditSearch->text());
  if (search.empty()) {
    platform_.prompts.info("You must enter some text to search for. Please try again.");
    return;
  }
  stop_ = false;
  BusyCursor busy;
  ListBoxFound->clear();
  const std::string time = toBytes(QDateTime::currentDateTime().toString("h:mm:ss AP"));
  for (const std::string& line : foundListHeader(time, projectEntry_, toBytes(EditSearch->text())))
    ListBoxFound->addItem(toQString(line));
  StatusBar->showMessage("Finding text...");
  for (size_t i = 0; i < tree_.size(); ++i) {
    if (stopRequested()) {
      StatusBar->showMessage("Status: Search Aborted.");
      return;
    }
    const auto bytes = readWholeFile(tree_[i].link);
    if (!bytes) {
      // Said, so that a page that could not be searched is not taken for one without the text.
      ListBoxFound->addItem(toQString(foundLine(tree_[i].link, CheckFileNameOnly->isChecked(), "(could not be read)")));
      continue;
    }
    if (const auto numbers = foundLines(*bytes, search, [this] { return stopRequested(); }))
      ListBoxFound->addItem(toQString(foundLine(tree_[i].link, CheckFileNameOnly->isChecked(), *numbers)));
  }
  StatusBar->showMessage(stop_ ? "Status: Search Aborted." : "Status: Finished.");
}

std::vector<std::string> TFormLoadSize::listLines(const QListWidget* list) const {
  std::vector<std::string> lines;
  for (int i = 0; i < list->count(); ++i) lines.push_back(toBytes(list->item(i)->text()));
  return lines;
}

void TFormLoadSize::printLines(const std::vector<std::string>& lines, const std::string& title) {
  if (lines.empty()) {
    platform_.prompts.info("Nothing to print.");
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  if (!platform_.printDialogs.choose(printer, title)) return;
  printTextLines(printer, lines, ListBoxListing->font());
}

// The grid is drawn where a 300-dots-per-inch page would put it, scaled to the printer's resolution.
void TFormLoadSize::ButtonPrintSiteClick() {
  if (GridSummary->rowCount() == 0) {
    platform_.prompts.info("Nothing to print.");
    return;
  }
  std::vector<std::array<std::string, 6>> rows;
  for (int r = 0; r < GridSummary->rowCount(); ++r) {
    std::array<std::string, 6> row;
    for (int c = 0; c < 6; ++c)
      row[static_cast<size_t>(c)] = GridSummary->item(r, c) ? toBytes(GridSummary->item(r, c)->text()) : "";
    rows.push_back(row);
  }
  QPrinter printer(QPrinter::HighResolution);
  if (!platform_.printDialogs.choose(printer, "Site Summary")) return;
  const SummaryGridPrint layout = summaryGridPrint(rows);
  QPainter painter;
  if (!painter.begin(&printer)) return;
  const double scale = static_cast<double>(printer.resolution()) / kSummaryPrintDpi;
  painter.scale(scale, scale);
  QFont font = painter.font();
  font.setPixelSize(30);  // about 7 points: each heading fits its column
  painter.setFont(font);
  for (int page = 0; page < layout.pages; ++page) {
    if (page > 0) printer.newPage();
    if (page == layout.rule.page)
      painter.fillRect(layout.rule.x1, layout.rule.y, layout.rule.x2 - layout.rule.x1, layout.rule.height, Qt::black);
    // Each value keeps to its column: one too wide is cut short with an ellipsis.
    for (const PrintedText& t : layout.texts)
      if (t.page == page)
        painter.drawText(t.x, t.y, painter.fontMetrics().elidedText(toQString(t.text), Qt::ElideRight, t.width));
  }
  painter.end();
}

void TFormLoadSize::closeDialog() {
  endWithSlash(EditImageDir);
  accept();
}

}  // namespace quillon
