#include "GuiDoubles.h"
#include "frmMain.h"

#include "ComparisonSearch.h"
#include "TempDir.h"
#include "xml/CurrentDocument.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace orvex::gui;

namespace {

QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

QStringList linesOf(const std::vector<std::string>& lines)
{
    QStringList items;
    for (const std::string& line : lines)
        items.append(QString::fromStdString(line));
    return items;
}

void moveOver(QWidget* widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void search_showsTheCoreResultInBothModes_data();
    void search_showsTheCoreResultInBothModes();
    void optionClick_recoloursAndSearchesAgain();
    void fileSearch_isTheSearchButton();
    void noRemedyChosen_withdrawsPrinting();
    void missingRepertory_reportsAndLeavesListsEmpty();
    void typing_completesRemedyNames();
    void tooltip_followsTheItemUnderThePointer();
    void clickInFirstList_setsItsTooltip();
    void print_sendsTheReportOfWhatIsShown();
    void helpMenu_goesToTheHelpCommands();

private:
    void choose(const QString& first, const QString& second, const QString& third);
    orvex::SearchResult expected(orvex::CompareMode mode) const;

    std::unique_ptr<test::Doubles> doubles_;
    std::unique_ptr<orvex::test::CurrentDirectory> directory_;
    std::unique_ptr<frmMain> window_;
};

void MainWindowTest::init()
{
    QLocale::setDefault(QLocale::c());
    doubles_ = std::make_unique<test::Doubles>();
    directory_ = std::make_unique<orvex::test::CurrentDirectory>(orvex::test::demoData(""));
    window_ = std::make_unique<frmMain>(doubles_->services(), "1024");
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    window_->MDIForm_Load();
}

void MainWindowTest::cleanup()
{
    window_.reset();
    directory_.reset();
}

void MainWindowTest::choose(const QString& first, const QString& second, const QString& third)
{
    window_->cboRemedy1->setEditText(first);
    window_->cboRemedy2->setEditText(second);
    window_->cboRemedy3->setEditText(third);
}

orvex::SearchResult MainWindowTest::expected(orvex::CompareMode mode) const
{
    orvex::SearchRequest request;
    request.chapterText = window_->cboRubric->currentText().toStdString();
    for (int i = 0; i < 5; ++i)
        request.chapterEntries[static_cast<std::size_t>(i)] = window_->cboRubric->itemText(i).toStdString();
    const auto pickers = window_->remedyPickers();
    for (std::size_t k = 0; k < 3; ++k)
        request.remedyTexts[k] = pickers[k]->currentText().toStdString();
    request.mode = mode;
    orvex::CurrentDocument document;
    orvex::SilentMessageSink sink;
    return orvex::ComparisonSearch().run(request, document, sink);
}

void MainWindowTest::search_showsTheCoreResultInBothModes_data()
{
    QTest::addColumn<bool>("similar");
    QTest::addColumn<QString>("chapter");
    QTest::newRow("different, Mind") << false << QStringLiteral("Mind");
    QTest::newRow("similar, Mind") << true << QStringLiteral("Mind");
    QTest::newRow("different, Skin") << false << QStringLiteral("Skin");
    QTest::newRow("similar, Skin") << true << QStringLiteral("Skin");
}

void MainWindowTest::search_showsTheCoreResultInBothModes()
{
    QFETCH(bool, similar);
    QFETCH(QString, chapter);
    choose(QStringLiteral("Bell."), QStringLiteral("Nux-v."), QStringLiteral("Puls."));
    window_->cboRubric->setEditText(chapter);
    if (similar) {
        window_->optSimilar->setChecked(true); // runs the search itself
        doubles_->screen.pointerShapes.clear();
        window_->cmdSearch->click();
    } else {
        window_->cmdSearch->click();
    }
    const orvex::SearchResult want = expected(similar ? orvex::CompareMode::Similar : orvex::CompareMode::Different);
    QVERIFY(want.matchCount > 0);
    for (std::size_t k = 0; k < 3; ++k) {
        QCOMPARE(itemsOf(window_->resultLists()[k]), linesOf(want.textLists()[k]));
        QCOMPARE(window_->resultCaptions()[k]->text(), QString::fromStdString(want.captions[k]));
    }
    std::vector<std::string> work;
    for (const orvex::LineId line : want.workList)
        work.emplace_back(want.lines->text(line));
    QCOMPARE(itemsOf(window_->lTemp), linesOf(work));
    QCOMPARE(window_->lblChapter->text(), chapter);
    QVERIFY(!window_->cmdPrint->isHidden());
    QVERIFY(window_->mnuFilePrint->isEnabled());
    QCOMPARE(window_->matchCount(), want.matchCount);
    QCOMPARE(doubles_->screen.pointerShapes, (std::vector<int>{ScreenObject::kHourglass, ScreenObject::kDefaultPointer}));
}

void MainWindowTest::optionClick_recoloursAndSearchesAgain()
{
    choose(QStringLiteral("Bell."), QStringLiteral("Bell."), QStringLiteral("...."));
    QTest::mouseClick(window_->optSimilar, Qt::LeftButton);
    QVERIFY(window_->optSimilar->isChecked());
    for (QListWidget* list : window_->resultLists())
        QCOMPARE(list->palette().color(QPalette::Text), QColor(0, 0, 255));
    // The same remedy twice: in the similar mode both lists hold all its lines.
    const QStringList bell = itemsOf(window_->lResult1);
    QVERIFY(!bell.isEmpty());
    QCOMPARE(itemsOf(window_->lResult2), bell);
    QCOMPARE(window_->lResult3->count(), 0);

    QTest::mouseClick(window_->optDifferent, Qt::LeftButton);
    for (QListWidget* list : window_->resultLists())
        QCOMPARE(list->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(window_->lResult1->count(), 0);
    QCOMPARE(window_->lResult2->count(), 0);
    QCOMPARE(doubles_->screen.pointerShapes.size(), std::size_t{4});
}

void MainWindowTest::fileSearch_isTheSearchButton()
{
    choose(QStringLiteral("Nux-v."), QStringLiteral("...."), QStringLiteral("...."));
    window_->mnuFileFind->trigger();
    QCOMPARE(itemsOf(window_->lResult1), linesOf(expected(orvex::CompareMode::Different).textLists()[0]));
    QCOMPARE(window_->lblResult1->text(), QStringLiteral("Nux-v."));
    QVERIFY(window_->lblResult2->text().isEmpty());
}

void MainWindowTest::noRemedyChosen_withdrawsPrinting()
{
    choose(QStringLiteral("Bell."), QStringLiteral("...."), QStringLiteral("...."));
    window_->cmdSearch->click();
    QVERIFY(!window_->cmdPrint->isHidden());
    choose(QStringLiteral("...."), QStringLiteral("...."), QStringLiteral("...."));
    window_->cmdSearch->click();
    QVERIFY(window_->cmdPrint->isHidden());
    QVERIFY(!window_->mnuFilePrint->isEnabled());
    for (QLabel* caption : window_->resultCaptions())
        QVERIFY(caption->text().isEmpty());
    QVERIFY(doubles_->messages.texts.isEmpty());
}

void MainWindowTest::missingRepertory_reportsAndLeavesListsEmpty()
{
    const orvex::test::TempDir empty;
    const orvex::test::CurrentDirectory inside(empty.path());
    choose(QStringLiteral("Bell."), QStringLiteral("Sulph. d'Arc"), QStringLiteral("...."));
    window_->cmdSearch->click();
    QCOMPARE(doubles_->messages.texts, QStringList{QStringLiteral("Load Failed")});
    QVERIFY(doubles_->messages.details.first().contains(QStringLiteral("garepertory.xml")));
    QCOMPARE(window_->lblResult2->text(), QStringLiteral("Sulph. d'Arc"));
    for (QListWidget* list : window_->resultLists())
        QCOMPARE(list->count(), 0);
    QVERIFY(window_->cmdPrint->isHidden());
    QCOMPARE(doubles_->screen.mousePointer(), ScreenObject::kDefaultPointer);
}

void MainWindowTest::typing_completesRemedyNames()
{
    // Keys go where the window system sends them: to the combo box.
    QComboBox* picker = window_->cboRemedy1;
    QLineEdit* edit = picker->lineEdit();
    edit->clear();
    QTest::keyClicks(picker, QStringLiteral("n"));
    QCOMPARE(edit->text(), QStringLiteral("Nux-v."));
    QCOMPARE(edit->selectedText(), QStringLiteral("ux-v."));
    QTest::keyClicks(picker, QStringLiteral("q")); // continues no name
    QCOMPARE(edit->text(), QStringLiteral("Nux-v."));
    QCOMPARE(edit->selectedText(), QStringLiteral("ux-v."));
    QTest::keyClick(picker, Qt::Key_Backspace); // the control's own: removes the completion
    QCOMPARE(edit->text(), QStringLiteral("N"));
    QTest::keyClicks(edit, QStringLiteral("UX-V.")); // straight to the line edit works too
    QCOMPARE(edit->text(), QStringLiteral("Nux-v."));
    QVERIFY(!edit->hasSelectedText());
    QCOMPARE(window_->cboRemedy1->currentIndex(), window_->cboRemedy1->findText(QStringLiteral("Nux-v.")));
}

void MainWindowTest::tooltip_followsTheItemUnderThePointer()
{
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    // The middle list: the first one also takes its tooltip from clicks,
    // which a drag over it makes.
    QListWidget* list = window_->lResult2;
    QWidget* viewport = list->viewport();
    moveOver(viewport, QPoint(5, 5));
    QVERIFY(list->toolTip().isEmpty());

    choose(QStringLiteral("...."), QStringLiteral("Bell."), QStringLiteral("...."));
    window_->cmdSearch->click();
    QVERIFY(list->count() >= 2);
    const int rowHeight = list->visualItemRect(list->item(0)).height();
    moveOver(viewport, QPoint(5, rowHeight + 1));
    QCOMPARE(list->toolTip(), list->item(1)->text());
    moveOver(viewport, QPoint(5, 2), Qt::LeftButton); // dragging keeps it
    QCOMPARE(list->toolTip(), list->item(1)->text());
    if (list->count() * rowHeight < viewport->height() - 2) {
        moveOver(viewport, QPoint(5, viewport->height() - 2)); // below the last item
        QCOMPARE(list->toolTip(), list->item(list->count() - 1)->text());
    }
    moveOver(list, QPoint(0, 0)); // the frame, outside the client area
    QVERIFY(list->toolTip().isEmpty());
}

void MainWindowTest::clickInFirstList_setsItsTooltip()
{
    choose(QStringLiteral("Bell."), QStringLiteral("Bell."), QStringLiteral("...."));
    window_->optSimilar->setChecked(true);
    QVERIFY(window_->lResult1->count() > 0);
    window_->lResult1->setCurrentRow(0);
    QCOMPARE(window_->lResult1->toolTip(), window_->lResult1->item(0)->text());
    window_->lResult2->setCurrentRow(0);
    QVERIFY(window_->lResult2->toolTip().isEmpty());
}

void MainWindowTest::print_sendsTheReportOfWhatIsShown()
{
    choose(QStringLiteral("Bell."), QStringLiteral("Nux-v."), QStringLiteral("Puls."));
    window_->cmdSearch->click();
    window_->mnuFilePrint->trigger();
    QCOMPARE(doubles_->printing.reports.size(), std::size_t{1});
    const auto& lines = doubles_->printing.reports.front();
    QVERIFY(!lines.empty());
    QVERIFY(QString::fromStdString(lines.front().text).startsWith(QStringLiteral("Chapter: Mind")));
    QVERIFY(QString::fromStdString(lines.front().text).endsWith(QStringLiteral("Sunday, 6 December 2026")));
    bool sawCaption = false;
    for (const auto& line : lines)
        sawCaption = sawCaption || line.text == "Nux-v.";
    QVERIFY(sawCaption);
}

void MainWindowTest::helpMenu_goesToTheHelpCommands()
{
    window_->mnuHelpContents->trigger();
    window_->mnuHelpContents->trigger();
    window_->mnuHelpAbout->trigger();
    QCOMPARE(doubles_->help.tipWindows, 2);
    QCOMPARE(doubles_->help.abouts, 1);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
