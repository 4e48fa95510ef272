#include "gui/frmMain.h"

#include "gui/Artwork.h"
#include "gui/Design.h"
#include "gui/LoadFailedMessages.h"
#include "gui/HelpCommands.h"
#include "gui/PickerCompletion.h"
#include "gui/ReportPrinting.h"
#include "gui/LongText.h"
#include "gui/ResultListTooltip.h"
#include "gui/ResultListWidth.h"
#include "gui/ScreenObject.h"
#include "gui/SharedTexts.h"

#include "core/data/Chapters.h"
#include "core/data/RemedyList.h"
#include "core/repertory/ReportLines.h"
#include "core/settings/CRegSettings.h"
#include "core/window/ScreenLayout.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

namespace orvex::gui {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

template <typename Lines>
QStringList qsList(const Lines& lines)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        list.append(qs(line));
    return list;
}

template <typename Widget>
Widget* make(QWidget* parent, const char* name)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* makePicker(QWidget* parent, const char* name)
{
    auto* picker = make<QComboBox>(parent, name);
    picker->setEditable(true);
    picker->setInsertPolicy(QComboBox::NoInsert); // Enter must not add entries
    picker->setCompleter(nullptr);                 // completion is our own
    picker->setMaxVisibleItems(20);
    return picker;
}

QLineEdit* makeCaptionBox(QWidget* parent, const char* name, const char* text)
{
    auto* box = make<QLineEdit>(parent, name);
    box->setText(QString::fromLatin1(text));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    setBackground(box, systemColour(SystemColour::Menu));
    return box;
}

QLabel* makeCaption(QWidget* parent, const char* name, const char* text)
{
    auto* label = make<QLabel>(parent, name);
    label->setTextFormat(Qt::PlainText); // remedy and chapter names from the data files
    label->setText(QString::fromLatin1(text));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(designFont(true));
    return label;
}

QListWidget* makeList(QWidget* parent, const char* name)
{
    auto* list = make<QListWidget>(parent, name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    list->setUniformItemSizes(true); // results can run to tens of thousands of lines
    return list;
}

QToolButton* makePictureButton(QWidget* parent, const char* name, const char* caption, const QPixmap& picture)
{
    auto* button = make<QToolButton>(parent, name);
    button->setText(QString::fromLatin1(caption));
    button->setToolTip(QString::fromLatin1(caption));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(QIcon(picture));
    button->setFont(designFont(true));
    button->setFocusPolicy(Qt::StrongFocus);
    setBackground(button, systemColour(SystemColour::CaptionText));
    return button;
}

} // namespace

frmMain::frmMain(WindowServices services, std::string screenWidth)
    : services_(services)
    , screenWidth_(std::move(screenWidth))
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(kMainWindowCaption));
    setWindowIcon(applicationIcon());
    setFont(designFont());
    createControls();
    createMenus();
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    // The client area is a plain panel: no child windows ever open in it.
    mdiClient = make<QWidget>(this, "mdiClient");
    setBackground(mdiClient, systemColour(SystemColour::InactiveBorder));
    setCentralWidget(mdiClient);
    mdiClient->installEventFilter(this);
    resize(twips(9480), twips(6510));

    Picture1 = make<QWidget>(mdiClient, "Picture1");
    Picture1->setGeometry(0, 0, mdiClient->width(), 0);
    picAddress = make<QWidget>(mdiClient, "picAddress");
    setBackground(picAddress, systemColour(SystemColour::InactiveBorder));
    placeInTwips(picAddress, 0, 0, 9480, 10755);

    SearchFrame = make<QGroupBox>(picAddress, "SearchFrame");
    SearchFrame->setFont(designFont(true));
    // Opaque, with the caption sitting on the top edge: what lies under the
    // frame on the panel stays hidden, as designed.
    setBackground(SearchFrame, systemColour(SystemColour::InactiveBorder));
    SearchFrame->setStyleSheet(QStringLiteral(
        "QGroupBox#SearchFrame { background-color: #f4f7fc; border: 1px solid #a9b0bb; border-radius: 2px; margin-top: 6px; }"
        "QGroupBox#SearchFrame::title { subcontrol-origin: margin; left: 8px; top: 0px; padding: 0 3px; }"));
    placeInTwips(SearchFrame, 120, 120, 9615, 1095);
    lblRemedy1 = makeCaptionBox(SearchFrame, "lblRemedy1", "1st Remedy");
    placeInTwips(lblRemedy1, 120, 240, 975, 285);
    lblRemedy2 = makeCaptionBox(SearchFrame, "lblRemedy2", "2nd Remedy");
    placeInTwips(lblRemedy2, 1320, 240, 1095, 285);
    lblRemedy3 = makeCaptionBox(SearchFrame, "lblRemedy3", "3rd Remedy");
    placeInTwips(lblRemedy3, 2520, 240, 975, 285);
    lblRubric = makeCaptionBox(SearchFrame, "lblRubric", "Look in:");
    placeInTwips(lblRubric, 3840, 240, 2415, 285);
    cboRubric = makePicker(SearchFrame, "cboRubric");
    placeInTwips(cboRubric, 3840, 480, 2655, 315);
    optSimilar = make<QRadioButton>(SearchFrame, "optSimilar");
    optSimilar->setText(QStringLiteral("Display similar symptoms"));
    placeInTwips(optSimilar, 7080, 360, 2415, 255);
    setTextColour(optSimilar, kSimilarColour);
    optDifferent = make<QRadioButton>(SearchFrame, "optDifferent");
    optDifferent->setText(QStringLiteral("Display different symptoms"));
    placeInTwips(optDifferent, 7080, 600, 2535, 375);
    setTextColour(optDifferent, kDifferentColour);
    optDifferent->setChecked(true);
    for (QWidget* child : {static_cast<QWidget*>(lblRemedy1), static_cast<QWidget*>(lblRemedy2),
                           static_cast<QWidget*>(lblRemedy3), static_cast<QWidget*>(lblRubric),
                           static_cast<QWidget*>(cboRubric), static_cast<QWidget*>(optSimilar),
                           static_cast<QWidget*>(optDifferent)})
        child->setFont(designFont());

    // The remedy pickers belong to the panel but lie over the frame, so they
    // are made after it and drawn above it.
    cboRemedy1 = makePicker(picAddress, "cboRemedy1");
    placeInTwips(cboRemedy1, 240, 600, 1035, 315);
    cboRemedy2 = makePicker(picAddress, "cboRemedy2");
    placeInTwips(cboRemedy2, 1440, 600, 1035, 315);
    cboRemedy3 = makePicker(picAddress, "cboRemedy3");
    placeInTwips(cboRemedy3, 2640, 600, 1035, 315);
    for (QComboBox* picker : remedyPickers()) {
        picker->raise();
        PickerCompletion::attachTo(picker);
    }

    const qreal ratio = devicePixelRatioF();
    cmdSearch = makePictureButton(picAddress, "cmdSearch", "Search", searchButtonPicture(ratio));
    placeInTwips(cmdSearch, 9960, 240, 855, 855);
    cmdSearch->setIconSize(QSize(39, 36));
    cmdPrint = makePictureButton(picAddress, "cmdPrint", "Print", printButtonPicture(ratio));
    cmdPrint->setToolTip(QStringLiteral("Print Result"));
    placeInTwips(cmdPrint, 11520, 240, 855, 855);
    cmdPrint->setIconSize(QSize(47, 36));

    lblResult1 = makeCaption(picAddress, "lblResult1", "1st remedy");
    placeInTwips(lblResult1, 120, 1440, 4000, 375);
    lblResult2 = makeCaption(picAddress, "lblResult2", "2nd Remedy");
    placeInTwips(lblResult2, 4320, 1440, 4005, 375);
    lblResult3 = makeCaption(picAddress, "lblResult3", "3rd Remedy");
    placeInTwips(lblResult3, 8520, 1440, 4005, 375);
    lResult1 = makeList(picAddress, "lResult1");
    placeInTwips(lResult1, 120, 1680, 4000, 5715);
    lResult2 = makeList(picAddress, "lResult2");
    placeInTwips(lResult2, 4320, 1680, 4000, 6885);
    lResult3 = makeList(picAddress, "lResult3");
    placeInTwips(lResult3, 8520, 1680, 4000, 5715);
    for (QListWidget* list : resultLists()) {
        ResultListTooltip::attachTo(list);
        list->setItemDelegate(new ShownTextDelegate(list));
    }
    lblChapter = makeCaption(picAddress, "lblChapter", "Chapter Name");
    lblChapter->setWordWrap(true);
    placeInTwips(lblChapter, 12600, 2400, 1200, 1575);
    lTemp = makeList(picAddress, "lTemp");
    placeInTwips(lTemp, 1920, 3240, 4000, 5715);
    lTemp->setVisible(false);
    lblAddress = make<QLabel>(picAddress, "lblAddress");
    lblAddress->setText(QStringLiteral("&Address:"));
    placeInTwips(lblAddress, 600, 720, 3075, 255);
    lblAddress->lower(); // under the frame and the pickers, as designed

    Timer1 = make<QTimer>(this, "Timer1");
    cboRemedy1->setFocus(Qt::OtherFocusReason); // the first in the tab order, once the window shows

    connect(cmdSearch, &QToolButton::clicked, this, &frmMain::cmdSearch_Click);
    connect(cmdPrint, &QToolButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(optSimilar, &QRadioButton::toggled, this, [this](bool on) { if (on) optSimilar_Click(); });
    connect(optDifferent, &QRadioButton::toggled, this, [this](bool on) { if (on) optDifferent_Click(); });
    // A click only: a new search or a drag with the button held leaves the tooltip alone.
    connect(lResult1, &QListWidget::itemClicked, this, &frmMain::lResult1_Click);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
}

void frmMain::createMenus()
{
    const auto action = [this](QMenu* menu, const char* name, const char* caption) {
        QAction* item = menu->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    const auto separator = [](QMenu* menu, const char* name) {
        QAction* item = menu->addSeparator();
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileFind = action(mnuFile, "mnuFileFind", "Search");
    mnuFileBar2 = separator(mnuFile, "mnuFileBar2");
    mnuFilePrint = action(mnuFile, "mnuFilePrint", "Print");
    mnuFileBar4 = separator(mnuFile, "mnuFileBar4");
    mnuFileExit = action(mnuFile, "mnuFileExit", "Exit");
    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpContents = action(mnuHelp, "mnuHelpContents", "&Contents");
    mnuHelpBar1 = separator(mnuHelp, "mnuHelpBar1");
    mnuHelpAbout = action(mnuHelp, "mnuHelpAbout", "&About us...");

    connect(mnuFileFind, &QAction::triggered, this, &frmMain::cmdSearch_Click);
    connect(mnuFilePrint, &QAction::triggered, this, &frmMain::cmdPrint_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::close);
    connect(mnuHelpContents, &QAction::triggered, this, [this] { services_.help.openTipWindow(texts_); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { services_.help.openAbout(); });
}

void frmMain::MDIForm_Load()
{
    LoadFailedMessages messages(services_.messages);

    LoadXmlDocument(currentDocument_, kRemedyListFileName, messages);
    const QStringList remedies = remedyNameTexts(remedyPickerEntries(currentDocument_), remedyNameStorage_);
    for (QComboBox* picker : remedyPickers())
        picker->addItems(remedies);

    LoadXmlDocument(currentDocument_, kStringsFileName, messages);
    texts_ = LoadTextTable(currentDocument_);
    const auto text = [this](std::string_view key) { return qs(texts_.text(key)); };

    settings_ = std::make_unique<CRegSettings>(services_.registry);
    settings_->Company("Tarnwell");
    settings_->AppName("OCS");
    settings_->SaveSetting("", "count", "1"); // nothing reads it; a failure goes unnoticed

    chapterEntries_ = chapterPickerEntries(texts_);
    cboRubric->addItems(qsList(chapterEntries_));
    cboRubric->setCurrentIndex(0);

    for (QComboBox* picker : remedyPickers()) {
        if (picker->count() > 0)
            picker->setCurrentIndex(0);
        else
            picker->setEditText(QString());
    }
    for (QLabel* caption : resultCaptions())
        caption->setText(QString());

    SearchFrame->setTitle(text("strRemedy"));
    lblRemedy1->setText(text("strRemedy1"));
    lblRemedy2->setText(text("strRemedy2"));
    lblRemedy3->setText(text("strRemedy3"));
    lblRubric->setText(text("strSelect"));
    lblChapter->setText(cboRubric->currentText());
    cmdSearch->setToolTip(plainTooltip(text("strTooltipReadBtn")));
    cmdPrint->setToolTip(plainTooltip(text("strTooltipPrintBtn")));
    showPrintCommands(false);

    mnuFile->setTitle(text("strFile"));
    mnuHelp->setTitle(text("strHelp"));
    mnuFileFind->setText(text("strStartSearch"));
    mnuFilePrint->setText(text("strTooltipPrintBtn"));
    mnuFileExit->setText(text("strClose"));
    mnuHelpContents->setText(text("strInfo"));
    mnuHelpAbout->setText(text("strAbout"));
    optSimilar->setText(text("strSimilar"));
    optDifferent->setText(text("strDifferent"));
    cmdSearch->setText(text("strSearch"));
    cmdPrint->setText(text("strPrint"));

    setListColour(kDifferentColour);
    Timer1->setInterval(kTimerInterval);
    Timer1->start();
    applyScreenLayout();
}

void frmMain::applyScreenLayout()
{
    const ScreenLayoutRow& row = screenLayoutRow(screenWidth_);
    outerSize_ = QSize(twips(row.windowWidth), twips(row.windowHeight));
    resize(outerSize_ - (frameGeometry().size() - geometry().size()));
    move(x(), 0);

    picAddress->resize(picAddress->width(), twips(row.windowHeight));
    SearchFrame->resize(twips(row.frameWidth), twips(row.frameHeight));
    for (QLabel* caption : resultCaptions())
        caption->move(caption->x(), twips(row.captionTop));
    const auto lists = resultLists();
    for (std::size_t k = 0; k < lists.size(); ++k) {
        lists[k]->setGeometry(twips(row.listLeft[k]), twips(row.listTop), twips(row.listWidth),
                              twips(row.windowHeight - row.listHeightMargin));
    }
    cmdSearch->move(twips(row.searchLeft), twips(kButtonTop));
    cmdPrint->move(twips(row.printLeft), twips(kButtonTop));
    optSimilar->move(twips(row.similarLeft), twips(row.similarTop));
    optDifferent->move(twips(row.differentLeft), twips(row.differentTop));

    const auto captions = resultCaptions();
    for (std::size_t k = 0; k < captions.size(); ++k)
        captions[k]->setGeometry(lists[k]->x(), captions[k]->y(), lists[k]->width(), captions[k]->height());
    lblChapter->move(twips(row.windowWidth - kChapterRightOffset), lblChapter->y());
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The frame is known only now; the layout's sizes include it.
    if (outerSize_.isValid()) {
        const QSize frame = frameGeometry().size() - geometry().size();
        if (size() != outerSize_ - frame)
            resize(outerSize_ - frame);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Panels aligned to the top span the client area's full width.
    if (watched == mdiClient && event->type() == QEvent::Resize) {
        Picture1->resize(mdiClient->width(), 0);
        picAddress->resize(mdiClient->width(), picAddress->height());
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Timer1_Timer()
{
    if (isVisible())
        return;
    delete splash_.data();
    show();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // MDIForm_Unload: nothing is saved, nothing refuses. The window's life
    // ends here; a tick before its deletion must not show it again.
    Timer1->stop();
    event->accept();
}

void frmMain::setListColour(const QColor& colour)
{
    for (QListWidget* list : resultLists())
        setTextColour(list, colour);
}

void frmMain::showPrintCommands(bool shown)
{
    cmdPrint->setVisible(shown);
    mnuFilePrint->setEnabled(shown);
}

SearchRequest frmMain::searchRequest() const
{
    SearchRequest request;
    request.chapterText = cboRubric->currentText().toStdString();
    request.chapterEntries = chapterEntries_;
    const auto pickers = remedyPickers();
    for (std::size_t k = 0; k < pickers.size(); ++k)
        request.remedyTexts[k] = pickers[k]->currentText().toStdString();
    request.mode = currentMode();
    return request;
}

CompareMode frmMain::currentMode() const
{
    return optSimilar->isChecked() ? CompareMode::Similar : CompareMode::Different;
}

bool frmMain::focusNextPrevChild(bool next)
{
    // The designed order, the same on every pass. The option group is
    // entered at its selected option, so tabbing through never changes the
    // mode (which would search again).
    QRadioButton* selectedOption = optSimilar->isChecked() ? optSimilar : optDifferent;
    QRadioButton* otherOption = selectedOption == optSimilar ? optDifferent : optSimilar;
    const std::array<QWidget*, 10> order = {cboRemedy1, cboRemedy2, cboRemedy3, cboRubric, selectedOption,
                                            cmdSearch,  lResult1,   lResult2,   lResult3,  cmdPrint};
    const QWidget* focused = focusWidget();
    if (focused == otherOption)
        focused = selectedOption;
    int at = next ? -1 : static_cast<int>(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (focused != nullptr && (order[i] == focused || order[i]->isAncestorOf(focused)))
            at = static_cast<int>(i);
    }
    const int count = static_cast<int>(order.size());
    for (int step = 1; step <= count; ++step) {
        QWidget* candidate = order[static_cast<std::size_t>(((at + (next ? step : -step)) % count + count) % count)];
        if (candidate->isVisible() && candidate->isEnabled()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return QMainWindow::focusNextPrevChild(next);
}

void frmMain::cmdSearch_Click()
{
    MatchCount_ = 0;
    services_.screen.setMousePointer(ScreenObject::kHourglass);
    for (QListWidget* list : resultLists())
        list->clear();
    for (QLabel* caption : resultCaptions())
        caption->setText(QString());
    lblChapter->setText(cboRubric->currentText());
    cmdPrint->setVisible(false);

    LoadFailedMessages messages(services_.messages);
    const SearchResult result = search_.run(searchRequest(), currentDocument_, messages);

    const auto lists = resultLists();
    const auto captions = resultCaptions();
    // Searches answered from one index share its pool, and so the lines
    // already converted for the lists.
    if (result.lines != convertedPool_) {
        convertedLines_.clear();
        convertedPool_ = result.lines;
    }
    for (std::size_t k = 0; k < lists.size(); ++k) {
        captions[k]->setText(qs(result.captions[k]));
        lists[k]->addItems(lineTexts(result.lists[k], *result.lines, convertedLines_));
    }
    for (QListWidget* list : lists)
        widenToLongestLine(list);
    lTemp->clear();
    lTemp->addItems(lineTexts(result.workList, *result.lines, convertedLines_));
    MatchCount_ = result.matchCount;
    showPrintCommands(result.printOffered);
    services_.screen.setMousePointer(ScreenObject::kDefaultPointer);
}

void frmMain::optSimilar_Click()
{
    setListColour(kSimilarColour);
    cmdSearch_Click();
}

void frmMain::optDifferent_Click()
{
    setListColour(kDifferentColour);
    cmdSearch_Click();
}

void frmMain::lResult1_Click()
{
    const QListWidgetItem* current = lResult1->currentItem();
    ResultListTooltip::setTooltip(lResult1, current ? current->text() : QString());
}

void frmMain::cmdPrint_Click()
{
    // What the controls hold now: the chapter may have been changed since the search.
    std::array<std::string, kRemedyPositions> captions;
    ResultLists lines;
    const auto lists = resultLists();
    const auto captionLabels = resultCaptions();
    for (std::size_t k = 0; k < lists.size(); ++k) {
        captions[k] = captionLabels[k]->text().toStdString();
        for (int i = 0; i < lists[k]->count(); ++i)
            lines[k].push_back(lists[k]->item(i)->text().toStdString());
    }
    services_.printing.print(buildReportLines(reportInput(texts_, cboRubric->currentText().toStdString(),
                                                          currentMode(), services_.printing.longDate(),
                                                          std::move(captions), std::move(lines))));
}

} // namespace orvex::gui
