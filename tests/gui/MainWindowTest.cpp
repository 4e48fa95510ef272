#include "GuiDoubles.h"
#include "MainWindowControls.h"
#include "gui/LoadFailedMessages.h"
#include "gui/LongText.h"
#include "gui/ResultListTooltip.h"
#include "gui/frmMain.h"
#include "gui/frmTip.h"

#include "core/data/StringTable.h"
#include "core/xml/CurrentDocument.h"

#include "support/TempDir.h"

#include <QMessageBox>
#include <QScrollBar>
#include <QTextDocument>
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

void moveOver(QWidget* widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QPoint centreOf(const QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

// What the user sees of a text that a widget may take for rich text.
QString seen(const QString& text, Qt::TextFormat format = Qt::AutoText)
{
    if (format == Qt::PlainText || !Qt::mightBeRichText(text))
        return text;
    QTextDocument html;
    html.setHtml(text);
    return html.toPlainText();
}

QString seen(const QLabel* label)
{
    return seen(label->text(), label->textFormat());
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void search_showsTheLinesOfTheDemoData();
    void optionClick_recoloursAndSearchesAgain();
    void fileSearch_isTheSearchButton();
    void noRemedyChosen_withdrawsPrinting();
    void missingRepertory_reportsAndLeavesListsEmpty();
    void typing_completesRemedyNames();
    void editingKeysThatTypeACharacter_areRefused();
    void tabOrder_isTheDesignedOneOnEveryPass();
    void tooltip_followsTheItemUnderThePointer();
    void tooltip_changesOnlyOnAClickInTheFirstList();
    void longestLine_canBeScrolledIntoViewWhole();
    void repeatedListing_sharesOneLineAcrossItems();
    void veryLongLine_tooltipShowsItsBeginningAndTheItemStaysWhole();
    void print_sendsTheReportOfWhatIsShown();
    void helpMenu_goesToTheHelpCommands();
    void dataTexts_showAsWritten();

private:
    void choose(const QString& first, const QString& second, const QString& third);
    void showAndActivate();

    std::unique_ptr<test::Doubles> doubles_;
    std::unique_ptr<orvex::test::CurrentDirectory> directory_;
    std::unique_ptr<frmMain> window_;
    std::unique_ptr<test::MainWindowControls> c_;
};

void MainWindowTest::init()
{
    QLocale::setDefault(QLocale::c());
    doubles_ = std::make_unique<test::Doubles>();
    directory_ = std::make_unique<orvex::test::CurrentDirectory>(orvex::test::demoData(""));
    window_ = std::make_unique<frmMain>(doubles_->services(), "1024");
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    window_->MDIForm_Load();
    c_ = std::make_unique<test::MainWindowControls>(window_.get());
}

void MainWindowTest::cleanup()
{
    c_.reset();
    window_.reset();
    directory_.reset();
}

void MainWindowTest::choose(const QString& first, const QString& second, const QString& third)
{
    c_->cboRemedy1->setEditText(first);
    c_->cboRemedy2->setEditText(second);
    c_->cboRemedy3->setEditText(third);
}

void MainWindowTest::showAndActivate()
{
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

// The lines themselves are the search's; here they must reach the lists.
void MainWindowTest::search_showsTheLinesOfTheDemoData()
{
    choose(QStringLiteral("Bell."), QStringLiteral("Nux-v."), QStringLiteral("Puls."));
    c_->cboRubric->setEditText(QStringLiteral("Skin"));
    c_->cmdSearch->click();
    QCOMPARE(itemsOf(c_->lResult1),
             (QStringList{"Eruptions, scaly, in spring", "Burning, spots, in spring", "Ulcers, bleeding"}));
    QCOMPARE(c_->lResult2->count(), 7);
    QCOMPARE(c_->lResult3->item(7)->text(), QStringLiteral("Warts, painful"));
    QCOMPARE(c_->lblResult1->text(), QStringLiteral("Bell."));
    QCOMPARE(c_->lblResult2->text(), QStringLiteral("Nux-v."));
    QCOMPARE(c_->lblResult3->text(), QStringLiteral("Puls."));
    QCOMPARE(c_->lblChapter->text(), QStringLiteral("Skin"));
    QVERIFY(c_->lTemp->isHidden());
    QVERIFY(!c_->cmdPrint->isHidden());
    QVERIFY(c_->mnuFilePrint->isEnabled());
    QCOMPARE(window_->matchCount(), std::uint64_t{20});
    QCOMPARE(doubles_->screen.pointerShapes, (std::vector<int>{ScreenObject::kHourglass, ScreenObject::kDefaultPointer}));
}

void MainWindowTest::optionClick_recoloursAndSearchesAgain()
{
    choose(QStringLiteral("Bell."), QStringLiteral("Bell."), QStringLiteral("...."));
    QTest::mouseClick(c_->optSimilar, Qt::LeftButton);
    QVERIFY(c_->optSimilar->isChecked());
    for (QListWidget* list : c_->lists())
        QCOMPARE(list->palette().color(QPalette::Text), QColor(0, 0, 255));
    // The same remedy twice: in the similar mode both lists hold all its lines.
    const QStringList bell = itemsOf(c_->lResult1);
    QVERIFY(!bell.isEmpty());
    QCOMPARE(itemsOf(c_->lResult2), bell);
    QCOMPARE(c_->lResult3->count(), 0);

    QTest::mouseClick(c_->optDifferent, Qt::LeftButton);
    for (QListWidget* list : c_->lists())
        QCOMPARE(list->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(c_->lResult1->count(), 0);
    QCOMPARE(c_->lResult2->count(), 0);
    QCOMPARE(doubles_->screen.pointerShapes.size(), std::size_t{4});
}

void MainWindowTest::fileSearch_isTheSearchButton()
{
    choose(QStringLiteral("Nux-v."), QStringLiteral("...."), QStringLiteral("...."));
    c_->cmdSearch->click();
    const QStringList byButton = itemsOf(c_->lResult1);
    QVERIFY(!byButton.isEmpty());
    for (QListWidget* list : c_->lists())
        list->clear();
    c_->mnuFileFind->trigger();
    QCOMPARE(itemsOf(c_->lResult1), byButton);
    QCOMPARE(c_->lblResult1->text(), QStringLiteral("Nux-v."));
    QVERIFY(c_->lblResult2->text().isEmpty());
}

void MainWindowTest::noRemedyChosen_withdrawsPrinting()
{
    choose(QStringLiteral("Bell."), QStringLiteral("...."), QStringLiteral("...."));
    c_->cmdSearch->click();
    QVERIFY(!c_->cmdPrint->isHidden());
    choose(QStringLiteral("...."), QStringLiteral("...."), QStringLiteral("...."));
    c_->cmdSearch->click();
    QVERIFY(c_->cmdPrint->isHidden());
    QVERIFY(!c_->mnuFilePrint->isEnabled());
    for (QLabel* caption : c_->captions())
        QVERIFY(caption->text().isEmpty());
    QVERIFY(doubles_->messages.texts.isEmpty());
}

void MainWindowTest::missingRepertory_reportsAndLeavesListsEmpty()
{
    const orvex::test::TempDir empty;
    const orvex::test::CurrentDirectory inside(empty.path());
    choose(QStringLiteral("Bell."), QStringLiteral("Sulph. d'Arc"), QStringLiteral("...."));
    c_->cmdSearch->click();
    QCOMPARE(doubles_->messages.texts, QStringList{QStringLiteral("Load Failed")});
    QVERIFY(doubles_->messages.details.first().contains(QStringLiteral("garepertory.xml")));
    QCOMPARE(c_->lblResult2->text(), QStringLiteral("Sulph. d'Arc"));
    for (QListWidget* list : c_->lists())
        QCOMPARE(list->count(), 0);
    QVERIFY(c_->cmdPrint->isHidden());
    QCOMPARE(doubles_->screen.mousePointer(), ScreenObject::kDefaultPointer);
}

void MainWindowTest::typing_completesRemedyNames()
{
    // Keys go where the window system sends them: to the combo box.
    QComboBox* picker = c_->cboRemedy1;
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
    QCOMPARE(c_->cboRemedy1->currentIndex(), c_->cboRemedy1->findText(QStringLiteral("Nux-v.")));
}

void MainWindowTest::editingKeysThatTypeACharacter_areRefused()
{
    // Ctrl+Backspace types character 127 and Ctrl+Space a blank: both go
    // through the completion, which continues no name with them. Ctrl with
    // a letter types a control code and keeps its editing meaning.
    QComboBox* picker = c_->cboRemedy1;
    QLineEdit* edit = picker->lineEdit();
    edit->setText(QStringLiteral("Nux-v. sylv"));
    edit->end(false);
    QTest::keyClick(picker, Qt::Key_Backspace, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("Nux-v. sylv"));
    QTest::keyClick(picker, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("Nux-v. sylv"));
    QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier); // select all
    QCOMPARE(edit->selectedText(), QStringLiteral("Nux-v. sylv"));
    QTest::keyClick(picker, Qt::Key_Backspace); // the control's own
    QVERIFY(edit->text().isEmpty());
}

void MainWindowTest::tabOrder_isTheDesignedOneOnEveryPass()
{
    showAndActivate();
    const QList<QWidget*> order{c_->cboRemedy1, c_->cboRemedy2, c_->cboRemedy3, c_->cboRubric,
                                c_->optDifferent, c_->cmdSearch, c_->lResult1, c_->lResult2, c_->lResult3};
    const auto focusedControl = [&]() -> QWidget* {
        for (QWidget* control : order)
            if (control == QApplication::focusWidget() || control->isAncestorOf(QApplication::focusWidget()))
                return control;
        return QApplication::focusWidget();
    };
    QCOMPARE(focusedControl(), c_->cboRemedy1);
    for (int pass = 0; pass < 2; ++pass) {
        for (int step = 1; step <= order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusedControl(), order[step % order.size()]);
        }
        for (int step = 1; step <= order.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(focusedControl(), order[(order.size() - step) % order.size()]);
        }
    }
    // Entering the option group and pressing Space keeps the mode: the
    // selected option has the focus.
    c_->cboRubric->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(c_->optDifferent->isChecked());
    QVERIFY(doubles_->screen.pointerShapes.empty());
}

// Which item a point shows is the hit test's own test; here the pointer's
// moves reach it.
void MainWindowTest::tooltip_followsTheItemUnderThePointer()
{
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    // The middle list: the first one also takes its tooltip from clicks,
    // which a drag over it makes.
    QListWidget* list = c_->lResult2;
    choose(QStringLiteral("...."), QStringLiteral("Bell."), QStringLiteral("...."));
    c_->cmdSearch->click();
    QVERIFY(list->count() >= 2);
    const int rowHeight = list->visualItemRect(list->item(0)).height();
    moveOver(list->viewport(), QPoint(5, rowHeight + 1));
    QCOMPARE(list->toolTip(), plainTooltip(list->item(1)->text()));
    moveOver(list->viewport(), QPoint(5, 2), Qt::LeftButton); // dragging keeps it
    QCOMPARE(list->toolTip(), plainTooltip(list->item(1)->text()));
    moveOver(list, QPoint(0, 0)); // the frame, outside the client area
    QVERIFY(list->toolTip().isEmpty());
}

void MainWindowTest::tooltip_changesOnlyOnAClickInTheFirstList()
{
    showAndActivate();
    choose(QStringLiteral("Bell."), QStringLiteral("Bell."), QStringLiteral("...."));
    c_->optSimilar->setChecked(true);
    QListWidget* first = c_->lResult1;
    QVERIFY(first->count() >= 2);
    QTest::mouseClick(first->viewport(), Qt::LeftButton, {}, centreOf(first, 0));
    QCOMPARE(first->toolTip(), plainTooltip(first->item(0)->text()));

    // A drag with the button held moves the selection, not the tooltip.
    QTest::mousePress(first->viewport(), Qt::LeftButton, {}, centreOf(first, 0));
    moveOver(first->viewport(), centreOf(first, 1), Qt::LeftButton);
    QTest::mouseRelease(first->viewport(), Qt::LeftButton, {}, centreOf(first, 1));
    QCOMPARE(first->currentRow(), 1);
    QCOMPARE(first->toolTip(), plainTooltip(first->item(0)->text()));

    // A new search replaces the items and leaves the tooltip alone.
    c_->cmdSearch->click();
    QCOMPARE(first->toolTip(), plainTooltip(QStringLiteral("Anxiety")));

    QListWidget* second = c_->lResult2;
    QTest::mouseClick(second->viewport(), Qt::LeftButton, {}, centreOf(second, 0));
    QVERIFY(second->toolTip().isEmpty());
}

void MainWindowTest::longestLine_canBeScrolledIntoViewWhole()
{
    // The longest line is not the first: rows must still be as wide as it.
    const orvex::test::TempDir dir;
    const QString longest = QStringLiteral("Anxiety, ") + QString(QStringLiteral("with fear of the future, ")).repeated(12)
        + QStringLiteral("worse at night");
    dir.write("garepertory.xml", "<list><symptom><category name=\"mi\"><rubric>Fear<remedy>Bell.</remedy></rubric>"
                                 "<rubric>" + longest.toStdString() + "<remedy>Bell.</remedy></rubric>"
                                 "<rubric>Sadness<remedy>Bell.</remedy></rubric></category></symptom></list>");
    const orvex::test::CurrentDirectory inside(dir.path());
    showAndActivate();
    choose(QStringLiteral("Bell."), QStringLiteral("...."), QStringLiteral("...."));
    c_->cmdSearch->click();
    QListWidget* list = c_->lResult1;
    QCOMPARE(list->item(1)->text(), longest);
    const int width = list->fontMetrics().horizontalAdvance(longest);
    QVERIFY2(list->visualItemRect(list->item(1)).width() >= width, "the longest line is cut short");
    QApplication::processEvents();
    QScrollBar* bar = list->horizontalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    QVERIFY(list->visualItemRect(list->item(1)).right() <= list->viewport()->width());
}

// A rubric of a long line listing one remedy many times: the window keeps
// that line once, whatever the number of items showing it.
void MainWindowTest::repeatedListing_sharesOneLineAcrossItems()
{
    constexpr int kListings = 500;
    std::string rubric = "<list><symptom><category name=\"mi\"><rubric>";
    for (int i = 0; i < 4096; ++i)
        rubric += "Fear of the dark, ";
    for (int i = 0; i < kListings; ++i)
        rubric += "<remedy>Bell.</remedy>";
    const orvex::test::TempDir dir;
    dir.write("garepertory.xml", rubric + "</rubric></category></symptom></list>");
    const orvex::test::CurrentDirectory inside(dir.path());
    choose(QStringLiteral("Bell."), QStringLiteral("...."), QStringLiteral("...."));
    c_->cmdSearch->click();
    QCOMPARE(c_->lResult1->count(), kListings);
    const QString first = c_->lResult1->item(0)->text();
    QVERIFY(first.startsWith(QStringLiteral("Fear of the dark")));
    for (int i = 1; i < kListings; ++i)
        QVERIFY2(c_->lResult1->item(i)->text().constData() == first.constData(), "an item holds its own copy of the line");
}

// A line of megabytes: its tooltip and its drawing show the beginning only.
void MainWindowTest::veryLongLine_tooltipShowsItsBeginningAndTheItemStaysWhole()
{
    const QString line = QStringLiteral("Fear ") + QString(4 * kShownCharacters, QLatin1Char('x'));
    QListWidget list;
    list.addItem(line);
    list.addItem(QStringLiteral("short"));
    ResultListTooltip::attachTo(&list);
    list.resize(200, 100);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const int rowHeight = list.visualItemRect(list.item(0)).height();
    for (const int row : {0, 1, 0}) {
        moveOver(list.viewport(), QPoint(5, row * rowHeight + 1));
        const QString expected
            = plainTooltip(row == 1 ? QStringLiteral("short") : line.left(kShownCharacters) + QChar(0x2026));
        QCOMPARE(list.toolTip(), expected);
        QCOMPARE(list.viewport()->toolTip(), expected);
    }
    QCOMPARE(list.item(0)->text(), line);
    const ShownTextDelegate delegate;
    QCOMPARE(delegate.displayText(line, QLocale::c()), line.left(kShownCharacters) + QChar(0x2026));
    QCOMPARE(delegate.displayText(QStringLiteral("two\nlines"), QLocale::c()), QStringLiteral("two\u2028lines"));
}

void MainWindowTest::print_sendsTheReportOfWhatIsShown()
{
    choose(QStringLiteral("Bell."), QStringLiteral("Nux-v."), QStringLiteral("Puls."));
    c_->cmdSearch->click();
    c_->mnuFilePrint->trigger();
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
    c_->mnuHelpContents->trigger();
    c_->mnuHelpContents->trigger();
    c_->mnuHelpAbout->trigger();
    QCOMPARE(doubles_->help.tipWindows, 2);
    QCOMPARE(doubles_->help.abouts, 1);
}

QTEST_MAIN(MainWindowTest)
// Texts of the data files show as they are written, never as rich text: an
// <img> in one would have the window read any file it names.
void MainWindowTest::dataTexts_showAsWritten()
{
    const QString markup = QStringLiteral("<b>B</b><img src=\"nowhere.png\">");
    const std::string xml = "&lt;b&gt;B&lt;/b&gt;&lt;img src=&quot;nowhere.png&quot;&gt;";
    const orvex::test::TempDir dir;
    dir.write("remedy.xml", "<list><remedy>" + xml + "</remedy></list>");
    std::string strings = "<strings>";
    for (const char* key : {"strRubricList4", "strTooltipReadBtn", "appTitle"})
        strings += std::string("<string><name>") + key + "</name><text>" + xml + "</text></string>";
    dir.write("list.xml", strings + "</strings>");
    dir.write("garepertory.xml", "<list><symptom><category name='mi'><rubric>" + xml + "<remedy>" + xml
                                     + "</remedy></rubric></category></symptom></list>");
    const orvex::test::CurrentDirectory inside(dir.path());
    frmMain window(doubles_->services(), "1024");
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.MDIForm_Load();
    const test::MainWindowControls c(&window);
    c.cboRemedy2->setEditText(QStringLiteral("...."));
    c.cboRemedy3->setEditText(QStringLiteral("...."));
    c.cmdSearch->click();
    QCOMPARE(c.lResult1->count(), 1);
    moveOver(c.lResult1->viewport(), centreOf(c.lResult1, 0));
    orvex::CurrentDocument document;
    LoadFailedMessages messages(doubles_->messages);
    orvex::LoadXmlDocument(document, "list.xml", messages);
    const orvex::StringTable texts = orvex::LoadTextTable(document);
    const frmTip tip(texts, {});
    const auto box = messageBox(markup, markup);

    const std::vector<std::pair<const char*, QString>> places = {
        {"lblResult1", seen(c.lblResult1)},
        {"lblChapter", seen(c.lblChapter)},
        {"cboRemedy1", c.cboRemedy1->itemText(0)},
        {"cboRubric", c.cboRubric->itemText(0)},
        {"lResult1", c.lResult1->item(0)->text()},
        {"cmdSearch tooltip", seen(c.cmdSearch->toolTip())},
        {"lResult1 tooltip", seen(c.lResult1->viewport()->toolTip())},
        {"lblTitle", seen(tip.findChild<QLabel*>(QStringLiteral("lblTitle")))},
        {"message", seen(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))},
        {"message detail", seen(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))},
    };
    QStringList wrong;
    for (const auto& [place, text] : places) {
        if (text != markup)
            wrong.append(QString::fromLatin1(place));
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
}

#include "MainWindowTest.moc"
