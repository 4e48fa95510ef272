// A rubric of a long line listing one remedy many times: the window keeps
// that line once, whatever the number of items showing it. A line of
// megabytes: its tooltip shows the beginning only.
#include "GuiDoubles.h"
#include "gui/LongText.h"
#include "gui/ResultListTooltip.h"
#include "gui/frmMain.h"

#include "support/TempDir.h"

#include <QComboBox>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

#include <string>

using namespace orvex::gui;

class LargeResultTest : public QObject {
    Q_OBJECT

private slots:
    void repeatedListing_sharesOneLineAcrossItems();
    void veryLongLine_tooltipShowsItsBeginningAndTheItemStaysWhole();
};

void LargeResultTest::repeatedListing_sharesOneLineAcrossItems()
{
    constexpr int kListings = 500;
    std::string rubric = "<list><symptom><category name=\"mi\"><rubric>";
    for (int i = 0; i < 4096; ++i)
        rubric += "Fear of the dark, ";
    for (int i = 0; i < kListings; ++i)
        rubric += "<remedy>Bell.</remedy>";
    rubric += "</rubric></category></symptom></list>";

    const orvex::test::TempDir dir;
    dir.write("garepertory.xml", rubric);
    dir.write("remedy.xml", "<remedies><remedy>....</remedy><remedy>Bell.</remedy></remedies>");
    std::filesystem::copy_file(orvex::test::demoData("list.xml"), dir.path() / "list.xml");
    const orvex::test::CurrentDirectory inside(dir.path());

    test::Doubles doubles;
    frmMain window(doubles.services(), "1024");
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.MDIForm_Load();
    window.findChild<QComboBox*>(QStringLiteral("cboRemedy1"))->setEditText(QStringLiteral("Bell."));
    window.findChild<QToolButton*>(QStringLiteral("cmdSearch"))->click();

    const auto* list = window.findChild<QListWidget*>(QStringLiteral("lResult1"));
    QCOMPARE(list->count(), kListings);
    const QString first = list->item(0)->text();
    QVERIFY(first.startsWith(QStringLiteral("Fear of the dark")));
    for (int i = 1; i < list->count(); ++i)
        QVERIFY2(list->item(i)->text().constData() == first.constData(), "an item holds its own copy of the line");
}

void LargeResultTest::veryLongLine_tooltipShowsItsBeginningAndTheItemStaysWhole()
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
        QMouseEvent move(QEvent::MouseMove, QPointF(5, row * rowHeight + 1), QPointF(5, row * rowHeight + 1),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &move);
        const QString expected =
            plainTooltip(row == 1 ? QStringLiteral("short") : line.left(kShownCharacters) + QChar(0x2026));
        QCOMPARE(list.toolTip(), expected);
        QCOMPARE(list.viewport()->toolTip(), expected);
    }
    QCOMPARE(list.item(0)->text(), line);
    // The item is drawn from the same beginning, not laid out whole.
    const ShownTextDelegate delegate;
    QCOMPARE(delegate.displayText(line, QLocale::c()), line.left(kShownCharacters) + QChar(0x2026));
    QCOMPARE(delegate.displayText(QStringLiteral("two\nlines"), QLocale::c()), QStringLiteral("two\u2028lines"));
}

QTEST_MAIN(LargeResultTest)
#include "LargeResultTest.moc"
