#include "GuiDoubles.h"
#include "Module1.h"
#include "frmMain.h"
#include "frmSplash.h"

#include "TempDir.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace orvex::gui;

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void splashShowsUntilTheFirstTick_thenTheMainWindow();
    void stateAfterStart_matchesTheLoadSequence();
    void startUpWritesTheCountSetting();
    void failedStringsDocument_stillOpensWithEmptyTexts();
    void emptyRemedyList_givesEmptyPickersAfterOneMessage();
    void layoutRow_data();
    void layoutRow();

private:
    std::unique_ptr<frmMain> loadedWindow(int screenWidth);
    std::unique_ptr<test::Doubles> doubles_;
    std::unique_ptr<orvex::test::CurrentDirectory> directory_;
};

void StartUpTest::init()
{
    QLocale::setDefault(QLocale::c());
    doubles_ = std::make_unique<test::Doubles>();
    directory_ = std::make_unique<orvex::test::CurrentDirectory>(orvex::test::demoData(""));
}

void StartUpTest::cleanup()
{
    directory_.reset();
}

std::unique_ptr<frmMain> StartUpTest::loadedWindow(int screenWidth)
{
    doubles_->screen.width = screenWidth;
    auto window = std::make_unique<frmMain>(doubles_->services(), std::to_string(screenWidth));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->MDIForm_Load();
    return window;
}

void StartUpTest::splashShowsUntilTheFirstTick_thenTheMainWindow()
{
    Module1 program(doubles_->services());
    program.Main();
    QVERIFY(program.splashWindow() != nullptr);
    QVERIFY(program.splashWindow()->isVisible());
    QVERIFY(!program.mainWindow()->isVisible());
    QCOMPARE(program.ScreenWidth(), std::string("1024"));

    QSignalSpy ticks(program.mainWindow()->Timer1, &QTimer::timeout);
    QVERIFY(ticks.wait(5000));
    QVERIFY(program.splashWindow() == nullptr);
    QVERIFY(program.mainWindow()->isVisible());

    // Later ticks change nothing.
    QVERIFY(ticks.wait(5000));
    QVERIFY(program.mainWindow()->isVisible());
    delete program.mainWindow();
}

void StartUpTest::stateAfterStart_matchesTheLoadSequence()
{
    const auto window = loadedWindow(1024);
    QCOMPARE(window->windowTitle(), QStringLiteral("Orvex Comparative Software 2.0"));
    QCOMPARE(window->cboRubric->count(), 5);
    QCOMPARE(window->cboRubric->itemText(0), QStringLiteral("Mind"));
    QCOMPARE(window->cboRubric->itemText(4), QStringLiteral("Skin"));
    QCOMPARE(window->cboRubric->currentText(), QStringLiteral("Mind"));
    QCOMPARE(window->lblChapter->text(), QStringLiteral("Mind"));
    for (QComboBox* picker : window->remedyPickers()) {
        QCOMPARE(picker->currentText(), QStringLiteral("...."));
        QCOMPARE(picker->count(), window->cboRemedy1->count());
    }
    QVERIFY(window->cboRemedy1->count() > 10);
    for (QLabel* caption : window->resultCaptions())
        QVERIFY(caption->text().isEmpty());
    for (QListWidget* list : window->resultLists()) {
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->palette().color(QPalette::Text), QColor(255, 0, 0));
    }
    QCOMPARE(window->SearchFrame->title(), QStringLiteral("Remedies"));
    QCOMPARE(window->lblRemedy2->text(), QStringLiteral("2nd Remedy"));
    QCOMPARE(window->lblRubric->text(), QStringLiteral("Look in:"));
    QCOMPARE(window->cmdSearch->toolTip(), QStringLiteral("Search the repertory"));
    QCOMPARE(window->cmdPrint->toolTip(), QStringLiteral("Print Result"));
    QCOMPARE(window->mnuFilePrint->text(), QStringLiteral("Print Result"));
    QVERIFY(window->cmdPrint->isHidden());
    QVERIFY(!window->mnuFilePrint->isEnabled());
    QVERIFY(window->optDifferent->isChecked());
    QVERIFY(window->lTemp->isHidden());
    QCOMPARE(window->Timer1->interval(), 1500);
    QVERIFY(window->Timer1->isActive());
    QVERIFY(!window->isVisible());
    QVERIFY(doubles_->messages.texts.isEmpty());
}

void StartUpTest::startUpWritesTheCountSetting()
{
    const auto window = loadedWindow(1024);
    const auto value = doubles_->registry.value("Software\\Tarnwell\\OCS", "count");
    QVERIFY(value.has_value());
    QCOMPARE(value->data.substr(0, 1), std::string("1"));
    QCOMPARE(doubles_->registry.openHandles(), std::size_t{0});
}

void StartUpTest::failedStringsDocument_stillOpensWithEmptyTexts()
{
    const orvex::test::TempDir dir;
    std::filesystem::copy_file(orvex::test::demoData("remedy.xml"), dir.path() / "remedy.xml");
    dir.write("list.xml", "<strings><string><name>strSearch");
    const orvex::test::CurrentDirectory inside(dir.path());
    const auto window = loadedWindow(1024);
    QCOMPARE(doubles_->messages.texts, QStringList{QStringLiteral("Load Failed")});
    QVERIFY(doubles_->messages.details.first().contains(QStringLiteral("list.xml")));
    QCOMPARE(window->cboRubric->count(), 5);
    QVERIFY(window->cboRubric->currentText().isEmpty());
    QVERIFY(window->cmdSearch->text().isEmpty());
    QCOMPARE(window->cboRemedy1->currentText(), QStringLiteral("...."));
}

void StartUpTest::emptyRemedyList_givesEmptyPickersAfterOneMessage()
{
    const orvex::test::TempDir dir;
    dir.write("remedy.xml", "");
    std::filesystem::copy_file(orvex::test::demoData("list.xml"), dir.path() / "list.xml");
    const orvex::test::CurrentDirectory inside(dir.path());
    const auto window = loadedWindow(1024);
    QCOMPARE(doubles_->messages.texts.size(), 1);
    for (QComboBox* picker : window->remedyPickers()) {
        QCOMPARE(picker->count(), 0);
        QVERIFY(picker->currentText().isEmpty());
    }
    QCOMPARE(window->cboRubric->currentText(), QStringLiteral("Mind"));
}

void StartUpTest::layoutRow_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QPoint>("similar");
    QTest::addColumn<QPoint>("different");
    QTest::addColumn<QRect>("list3");
    QTest::addColumn<int>("printLeft");
    QTest::addColumn<int>("chapterLeft");
    // All in pixels: the tables' twips divided by 15, rounded.
    QTest::newRow("640") << 640 << QSize(640, 480) << QRect(8, 8, 449, 121) << QPoint(256, 67) << QPoint(256, 83)
                         << QRect(376, 160, 157, 447) << 552 << 553;
    QTest::newRow("800") << 800 << QSize(800, 600) << QRect(8, 8, 625, 65) << QPoint(448, 16) << QPoint(448, 32)
                         << QRect(488, 112, 225, 567) << 728 << 713;
    QTest::newRow("1024") << 1024 << QSize(1024, 768) << QRect(8, 8, 625, 65) << QPoint(448, 16) << QPoint(448, 32)
                          << QRect(624, 112, 267, 601) << 832 << 937;
    QTest::newRow("1920 takes 1024") << 1920 << QSize(1024, 768) << QRect(8, 8, 625, 65) << QPoint(448, 16)
                                     << QPoint(448, 32) << QRect(624, 112, 267, 601) << 832 << 937;
    QTest::newRow("1600") << 1600 << QSize(1600, 1200) << QRect(8, 8, 625, 65) << QPoint(448, 16) << QPoint(448, 32)
                          << QRect(1016, 112, 489, 1033) << 832 << 1513;
}

void StartUpTest::layoutRow()
{
    QFETCH(int, width);
    const auto window = loadedWindow(width);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTEST(window->frameGeometry().size(), "window");
    QCOMPARE(window->y(), 0);
    QTEST(window->SearchFrame->geometry(), "frame");
    QTEST(window->optSimilar->pos(), "similar");
    QTEST(window->optDifferent->pos(), "different");
    QTEST(window->lResult3->geometry(), "list3");
    QTEST(window->cmdPrint->x(), "printLeft");
    QCOMPARE(window->cmdSearch->y(), 16);
    QTEST(window->lblChapter->x(), "chapterLeft");
    QCOMPARE(window->picAddress->height(), window->frameGeometry().height());
    for (std::size_t k = 0; k < 3; ++k) {
        QCOMPARE(window->resultCaptions()[k]->x(), window->resultLists()[k]->x());
        QCOMPARE(window->resultCaptions()[k]->width(), window->resultLists()[k]->width());
    }
    QVERIFY(window->lblChapter->x() > window->lResult3->geometry().right());
}

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
