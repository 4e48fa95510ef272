#include "GuiDoubles.h"
#include "MainWindowControls.h"
#include "gui/PrinterReportPrinting.h"
#include "gui/ProgramHelp.h"
#include "gui/frmMain.h"
#include "gui/LongText.h"
#include "gui/frmTip.h"

#include "core/data/StringTable.h"
#include "support/FakeShell.h"
#include "support/TempDir.h"
#include "support/TipWindowTexts.h"
#include "core/help/ShellApi.h"
#include "core/help/TipsFile.h"
#include "platform/printer/QtPrintSurface.h"

#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace orvex::gui;

namespace {



} // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void tipWindows_startAtTheFirstTipAndStepIndependently();
    void tipWindow_takesItsTextsFromTheTable();
    void missingTipsFile_showsTheNotFoundText();
    void tipBytesThatAreNotUtf8_areKeptAsLatin1();
    void veryLongTip_showsItsBeginningCutShort();
    void exit_leavesAnOpenTipWindowRunning();
    void about_showsTheShellsAnswerInAMessage();
    void printToPdf_writesTheReport();
    void printFailure_isToldToTheUser();
};

void HelpWindowsTest::tipWindows_startAtTheFirstTipAndStepIndependently()
{
    const orvex::test::TempDir dir;
    dir.write("help.txt", "a\r\n\r\nb");
    const orvex::StringTable texts = orvex::test::tipWindowTexts();
    frmTip first(texts, dir.path());
    first.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(first.lblTipText->text(), QStringLiteral("a"));
    first.cmdNextTip->click();
    QCOMPARE(first.lblTipText->text(), QString());
    frmTip second(texts, dir.path());
    second.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(second.lblTipText->text(), QStringLiteral("a"));
    first.cmdNextTip->click();
    QCOMPARE(first.lblTipText->text(), QStringLiteral("b"));
    first.cmdNextTip->click();
    QCOMPARE(first.lblTipText->text(), QStringLiteral("a"));
    QCOMPARE(second.lblTipText->text(), QStringLiteral("a"));
}

void HelpWindowsTest::tipWindow_takesItsTextsFromTheTable()
{
    const orvex::test::TempDir dir;
    dir.write("help.txt", "one\rtwo\r");
    frmTip tip(orvex::test::tipWindowTexts(), dir.path());
    tip.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(tip.windowTitle(), QStringLiteral("Help"));
    QCOMPARE(tip.lblTitle->text(), QStringLiteral("Orvex Comparative Software"));
    QCOMPARE(tip.cmdNextTip->text(), QStringLiteral("&Next Tip"));
    QVERIFY(tip.cmdOK->isDefault());
    tip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tip));
    QTest::keyClick(&tip, Qt::Key_Escape);
    QTRY_VERIFY(!tip.isVisible());
}

void HelpWindowsTest::missingTipsFile_showsTheNotFoundText()
{
    const orvex::test::TempDir dir;
    frmTip tip(orvex::test::tipWindowTexts(), dir.path());
    tip.setAttribute(Qt::WA_DeleteOnClose, false);
    const QString notFound = QString::fromLatin1(orvex::kTipsNotFoundText);
    QCOMPARE(tip.lblTipText->text(), notFound);
    tip.cmdNextTip->click();
    QCOMPARE(tip.lblTipText->text(), notFound);
}

void HelpWindowsTest::tipBytesThatAreNotUtf8_areKeptAsLatin1()
{
    QCOMPARE(tipText("Tr\xe4nen"), QStringLiteral("Tr\u00e4nen"));
    QCOMPARE(tipText("Tr\xc3\xa4nen"), QStringLiteral("Tr\u00e4nen"));
    QCOMPARE(tipText(""), QString());
}

// A tip of megabytes would freeze the window while it is laid out: the label
// shows the first 64 Ki characters and "…", never half a character.
void HelpWindowsTest::veryLongTip_showsItsBeginningCutShort()
{
    const QChar ellipsis(0x2026);
    const std::string euro = "\xE2\x82\xAC";
    const std::string clef = "\xF0\x9D\x84\x9E"; // two UTF-16 units
    struct Case {
        std::string tip;
        QString shown;
    };
    const std::vector<Case> cases = {
        {std::string(kShownCharacters, 'a'), QString(kShownCharacters, QLatin1Char('a'))},
        {std::string(kShownCharacters + 1, 'a'), QString(kShownCharacters, QLatin1Char('a')) + ellipsis},
        {std::string(50 << 20, 'a'), QString(kShownCharacters, QLatin1Char('a')) + ellipsis},
        {std::string(kShownCharacters, '\xe4') + "x", QString(kShownCharacters, QChar(0xE4)) + ellipsis},
        [&] {
            std::string tip;
            for (int i = 0; i < kShownCharacters; ++i)
                tip += euro;
            return Case{tip + "x", QString(kShownCharacters, QChar(0x20AC)) + ellipsis};
        }(),
        [&] {
            std::string tip = "a";
            for (int i = 0; i < kShownCharacters; ++i)
                tip += clef;
            // The first pair that does not fit whole is left out whole.
            return Case{tip, QStringLiteral("a") + QString::fromUtf8(clef).repeated(kShownCharacters / 2 - 1) + ellipsis};
        }(),
    };
    for (const Case& c : cases) {
        QCOMPARE(tipText(c.tip).size(), c.shown.size());
        QCOMPARE(tipText(c.tip), c.shown);
    }

    const orvex::test::TempDir dir;
    dir.write("help.txt", std::string(1 << 20, 'b') + "\r\nshort");
    frmTip tip(orvex::test::tipWindowTexts(), dir.path());
    tip.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(tip.lblTipText->text().size(), kShownCharacters + 1);
    tip.cmdNextTip->click();
    QCOMPARE(tip.lblTipText->text(), QStringLiteral("short"));
}

void HelpWindowsTest::exit_leavesAnOpenTipWindowRunning()
{
    const orvex::test::CurrentDirectory inside(orvex::test::demoData(""));
    test::Doubles doubles;
    auto* window = new frmMain(doubles.services(), "1024");
    window->MDIForm_Load();
    window->show();
    const orvex::test::TempDir dir;
    auto* tip = new frmTip(window->texts(), dir.path());
    tip->show();
    QPointer<frmMain> watch(window);
    QPointer<frmTip> tipWatch(tip);
    bool tipOpenAfterExit = false;
    // The real event loop: it ends by itself when the last window goes.
    QTimer::singleShot(0, window, [window] { test::control<QAction>(window, "mnuFileExit")->trigger(); });
    QTimer::singleShot(200, tip, [&] {
        tipOpenAfterExit = watch.isNull() && tip->isVisible();
        tip->cmdOK->click();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    watchdog.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(tipOpenAfterExit);
}

void HelpWindowsTest::about_showsTheShellsAnswerInAMessage()
{
    const orvex::test::TempDir dir;
    orvex::test::FakeShell shell;
    shell.findResult = 31; // no browser for web pages
    test::RecordingMessages messages;
    ProgramHelp help(shell, messages, dir.path());
    const auto browsersOpened = [&shell] {
        return std::count_if(shell.calls.begin(), shell.calls.end(),
                             [](const std::string& call) { return call.rfind("open ", 0) == 0; });
    };
    help.openAbout();
    QCOMPARE(messages.texts, QStringList{QStringLiteral("Unable to find Web Browser.")});
    QCOMPARE(browsersOpened(), 0);
    shell.findResult = 42;
    help.openAbout();
    QCOMPARE(browsersOpened(), 1);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(!std::filesystem::exists(dir.path() / "x27z42j.html"));
}

void HelpWindowsTest::printToPdf_writesTheReport()
{
    const orvex::test::TempDir dir;
    const QString pdf = QString::fromStdString((dir.path() / "report.pdf").string());
    qputenv(PrinterReportPrinting::kPdfVariable, pdf.toLocal8Bit());
    test::RecordingMessages messages;
    PrinterReportPrinting printing(messages);
    printing.print({{"Chapter: Mind", 12.0F, true, false}, {"Bell.", 10.0F, true, false}, {"Fear", 10.0F, false, false}});
    qunsetenv(PrinterReportPrinting::kPdfVariable);
    QVERIFY(messages.texts.isEmpty());
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(!printing.longDate().empty());
}

void HelpWindowsTest::printFailure_isToldToTheUser()
{
    test::RecordingMessages messages;
    PrinterReportPrinting printing(messages);
    qputenv(PrinterReportPrinting::kPdfVariable, "/nonexistent-folder/report.pdf");
    printing.print({{"Chapter: Mind", 12.0F, true, false}});
    qunsetenv(PrinterReportPrinting::kPdfVariable);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts.first().startsWith(QString::fromLatin1(orvex::platform::kPdfFailedText)));

    if (QPrinterInfo::defaultPrinter().isNull()) {
        printing.print({{"Chapter: Mind", 12.0F, true, false}});
        QCOMPARE(messages.texts.size(), 2);
        QCOMPARE(messages.texts.last(), QString::fromLatin1(orvex::platform::kNoDefaultPrinterText));
    }
}

QTEST_MAIN(HelpWindowsTest)
#include "HelpWindowsTest.moc"
