#include "gui/Design.h"
#include "gui/LongText.h"
#include "GuiDoubles.h"
#include "core/settings/CRegSettings.h"
#include "MainWindowControls.h"
#include "gui/Module1.h"
#include "gui/frmMain.h"
#include "gui/frmSplash.h"

#include "support/TempDir.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenuBar>
#include <QMessageBox>
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
    void designFont_inEveryControlListMenuAndMessage();
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

    QSignalSpy ticks(test::control<QTimer>(program.mainWindow(), "Timer1"), &QTimer::timeout);
    QVERIFY(ticks.wait(5000));
    QVERIFY(program.splashWindow() == nullptr);
    QVERIFY(program.mainWindow()->isVisible());

    // Later ticks change nothing.
    QVERIFY(ticks.wait(5000));
    QVERIFY(program.mainWindow()->isVisible());

    // Nor does one between File > Exit and the window's deletion.
    program.mainWindow()->setAttribute(Qt::WA_DeleteOnClose, false);
    test::control<QTimer>(program.mainWindow(), "Timer1")->setInterval(1);
    test::control<QAction>(program.mainWindow(), "mnuFileExit")->trigger();
    QTest::qWait(50);
    QVERIFY(!program.mainWindow()->isVisible());
    delete program.mainWindow();
}

void StartUpTest::designFont_inEveryControlListMenuAndMessage()
{
    Module1 program(doubles_->services());
    program.Main();
    const test::MainWindowControls window(program.mainWindow());
    const QFont design = designFont();
    const auto same = [&](const QWidget* widget) {
        return widget->font().family() == design.family() && widget->font().pointSizeF() == design.pointSizeF();
    };
    for (QComboBox* picker : {window.cboRemedy1, window.cboRemedy2, window.cboRemedy3, window.cboRubric}) {
        QVERIFY2(same(picker->lineEdit()), qPrintable(picker->objectName()));
        QVERIFY2(same(picker->view()), qPrintable(picker->objectName()));
    }
    QVERIFY(same(window.optSimilar));
    QVERIFY(same(window.lResult2));
    QVERIFY(same(program.mainWindow()->menuBar()));
    QVERIFY(same(window.mnuFile));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Orvex"), QStringLiteral("Load Failed"));
    QVERIFY(same(&box));
    // The test ends before the first tick, which would have closed the splash.
    delete program.mainWindow();
    delete program.splashWindow();
}

void StartUpTest::stateAfterStart_matchesTheLoadSequence()
{
    const auto loaded = loadedWindow(1024);
    const test::MainWindowControls window(loaded.get());
    QCOMPARE(loaded->windowTitle(), QStringLiteral("Orvex Comparative Software 2.0"));
    QCOMPARE(window.cboRubric->count(), 5);
    QCOMPARE(window.cboRubric->itemText(0), QStringLiteral("Mind"));
    QCOMPARE(window.cboRubric->itemText(4), QStringLiteral("Skin"));
    QCOMPARE(window.cboRubric->currentText(), QStringLiteral("Mind"));
    QCOMPARE(window.lblChapter->text(), QStringLiteral("Mind"));
    for (QComboBox* picker : window.pickers()) {
        QCOMPARE(picker->currentText(), QStringLiteral("...."));
        QCOMPARE(picker->count(), window.cboRemedy1->count());
    }
    QVERIFY(window.cboRemedy1->count() > 10);
    for (QLabel* caption : window.captions())
        QVERIFY(caption->text().isEmpty());
    for (QListWidget* list : window.lists()) {
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->palette().color(QPalette::Text), QColor(255, 0, 0));
    }
    QCOMPARE(window.SearchFrame->title(), QStringLiteral("Remedies"));
    QCOMPARE(window.lblRemedy2->text(), QStringLiteral("2nd Remedy"));
    QCOMPARE(window.lblRubric->text(), QStringLiteral("Look in:"));
    QCOMPARE(window.cmdSearch->toolTip(), plainTooltip(QStringLiteral("Search the repertory")));
    QCOMPARE(window.cmdPrint->toolTip(), plainTooltip(QStringLiteral("Print Result")));
    QCOMPARE(window.mnuFilePrint->text(), QStringLiteral("Print Result"));
    QVERIFY(window.cmdPrint->isHidden());
    QVERIFY(!window.mnuFilePrint->isEnabled());
    QVERIFY(window.optDifferent->isChecked());
    QVERIFY(window.lTemp->isHidden());
    QCOMPARE(window.Timer1->interval(), 1500);
    QVERIFY(window.Timer1->isActive());
    QVERIFY(!loaded->isVisible());
    QVERIFY(doubles_->messages.texts.isEmpty());
}

void StartUpTest::startUpWritesTheCountSetting()
{
    const auto window = loadedWindow(1024);
#ifdef _WIN32
    orvex::CRegSettings settings(*doubles_->registry);
    settings.Company("Tarnwell");
    settings.AppName("OCS");
    QCOMPARE(settings.GetSetting("", "count", "none"), std::string("1"));
#else
    // The hive as an export: a section for every key on the way.
    QCOMPARE(orvex::test::readFile(doubles_->hiveFolder.path() / "registry.reg"),
             std::string("Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software]\n\n"
                         "[HKEY_LOCAL_MACHINE\\Software\\Tarnwell]\n\n"
                         "[HKEY_LOCAL_MACHINE\\Software\\Tarnwell\\OCS]\n\"count\"=\"1\"\n\n"));
#endif
}

void StartUpTest::failedStringsDocument_stillOpensWithEmptyTexts()
{
    const orvex::test::TempDir dir;
    std::filesystem::copy_file(orvex::test::demoData("remedy.xml"), dir.path() / "remedy.xml");
    dir.write("list.xml", "<strings><string><name>strSearch");
    const orvex::test::CurrentDirectory inside(dir.path());
    const auto loaded = loadedWindow(1024);
    const test::MainWindowControls window(loaded.get());
    QCOMPARE(doubles_->messages.texts, QStringList{QStringLiteral("Load Failed")});
    QVERIFY(doubles_->messages.details.first().contains(QStringLiteral("list.xml")));
    QCOMPARE(window.cboRubric->count(), 5);
    QVERIFY(window.cboRubric->currentText().isEmpty());
    QVERIFY(window.cmdSearch->text().isEmpty());
    QCOMPARE(window.cboRemedy1->currentText(), QStringLiteral("...."));
}

void StartUpTest::emptyRemedyList_givesEmptyPickersAfterOneMessage()
{
    const orvex::test::TempDir dir;
    dir.write("remedy.xml", "");
    std::filesystem::copy_file(orvex::test::demoData("list.xml"), dir.path() / "list.xml");
    const orvex::test::CurrentDirectory inside(dir.path());
    const auto loaded = loadedWindow(1024);
    const test::MainWindowControls window(loaded.get());
    QCOMPARE(doubles_->messages.texts.size(), 1);
    for (QComboBox* picker : window.pickers()) {
        QCOMPARE(picker->count(), 0);
        QVERIFY(picker->currentText().isEmpty());
    }
    QCOMPARE(window.cboRubric->currentText(), QStringLiteral("Mind"));
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
    // All in pixels: the table's twips divided by 15, rounded. The table's
    // rows are its own test's; here one row, and the one for other widths.
    QTest::newRow("640") << 640 << QSize(640, 480) << QRect(8, 8, 449, 121) << QPoint(256, 67) << QPoint(256, 83)
                         << QRect(376, 160, 157, 447) << 552 << 553;
    QTest::newRow("1920 takes 1024") << 1920 << QSize(1024, 768) << QRect(8, 8, 625, 65) << QPoint(448, 16)
                                     << QPoint(448, 32) << QRect(624, 112, 267, 601) << 832 << 937;
}

void StartUpTest::layoutRow()
{
    QFETCH(int, width);
    const auto loaded = loadedWindow(width);
    loaded->show();
    QVERIFY(QTest::qWaitForWindowExposed(loaded.get()));
    const test::MainWindowControls window(loaded.get());
    QTEST(loaded->frameGeometry().size(), "window");
    QCOMPARE(loaded->y(), 0);
    QTEST(window.SearchFrame->geometry(), "frame");
    QTEST(window.optSimilar->pos(), "similar");
    QTEST(window.optDifferent->pos(), "different");
    QTEST(window.lResult3->geometry(), "list3");
    QTEST(window.cmdPrint->x(), "printLeft");
    QCOMPARE(window.cmdSearch->y(), 16);
    QTEST(window.lblChapter->x(), "chapterLeft");
    QCOMPARE(window.picAddress->height(), loaded->frameGeometry().height());
    for (std::size_t k = 0; k < 3; ++k) {
        QCOMPARE(window.captions()[k]->x(), window.lists()[k]->x());
        QCOMPARE(window.captions()[k]->width(), window.lists()[k]->width());
    }
    QVERIFY(window.lblChapter->x() > window.lResult3->geometry().right());
}

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
