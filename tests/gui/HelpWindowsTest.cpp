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
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace orvex::gui;


class HelpWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void tipWindows_startAtTheFirstTipStepIndependentlyAndTakeTheirTexts();
    void missingTipsFile_showsTheNotFoundText();
    void veryLongTip_showsItsBeginningCutShort();
    void exit_leavesAnOpenTipWindowRunning();
    void about_showsTheShellsAnswerInAMessage();
    void printToPdf_writesTheReport();
    void printFailure_isToldToTheUser();
};

void HelpWindowsTest::tipWindows_startAtTheFirstTipStepIndependentlyAndTakeTheirTexts()
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

    QCOMPARE(first.windowTitle(), QStringLiteral("Help"));
    QCOMPARE(first.lblTitle->text(), QStringLiteral("Orvex Comparative Software"));
    QCOMPARE(first.cmdNextTip->text(), QStringLiteral("&Next Tip"));
    QVERIFY(first.cmdOK->isDefault());
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    QTest::keyClick(&first, Qt::Key_Escape);
    QTRY_VERIFY(!first.isVisible());
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

// A tip of megabytes would freeze the window while it is laid out: the label
// shows the beginning and "…", never half a character. Bytes that are not
// UTF-8 are Latin-1.
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
        {"Tr\xe4nen", QStringLiteral("Tr\u00e4nen")},
        {"Tr\xc3\xa4nen", QStringLiteral("Tr\u00e4nen")},
        {"", QString()},
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
    bool tipOpenAfterExit = false;
    // The real event loop: it ends by itself when the last window goes. It
    // is watched until the main window is gone, however long that takes.
    QTimer::singleShot(0, window, [window] { test::control<QAction>(window, "mnuFileExit")->trigger(); });
    QTimer poll;
    connect(&poll, &QTimer::timeout, tip, [&] {
        if (!watch.isNull())
            return;
        poll.stop();
        tipOpenAfterExit = tip->isVisible();
        tip->cmdOK->click();
    });
    poll.start(10);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    watchdog.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(tipOpenAfterExit);
}

// The command's decisions are its own test's; here its answer reaches the user.
void HelpWindowsTest::about_showsTheShellsAnswerInAMessage()
{
    const orvex::test::TempDir dir;
    orvex::test::FakeShell shell;
    shell.findResult = 31; // no browser for web pages
    test::RecordingMessages messages;
    ProgramHelp(shell, messages, dir.path()).openAbout();
    QCOMPARE(messages.texts, QStringList{QStringLiteral("Unable to find Web Browser.")});
    QCOMPARE(shell.calls.size(), std::size_t{1});
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
}

QTEST_MAIN(HelpWindowsTest)
#include "HelpWindowsTest.moc"
