// Writes the README's screenshots of the main window after a "different"
// and a "similar" search on the demo data: orvex_screenshots OUTPUT_DIR.
// Run it on a real display (Xvfb will do) at 1024 pixels width.
#include "gui/Design.h"
#include "GuiDoubles.h"
#include "MainWindowControls.h"
#include "gui/frmMain.h"

#include "support/TempDir.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: orvex_screenshots OUTPUT_DIR\n", stderr);
        return 64;
    }
    const QString out = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath(); // before the folder changes
    const orvex::test::CurrentDirectory inside(orvex::test::demoData(""));
    QApplication::setFont(orvex::gui::designFont()); // as the program's start does
    orvex::gui::test::Doubles doubles;
    orvex::gui::frmMain window(doubles.services(), "1024");
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.MDIForm_Load();
    window.show();
    const orvex::gui::test::MainWindowControls c(&window);
    c.cboRemedy1->setCurrentText(QStringLiteral("Bell."));
    c.cboRemedy2->setCurrentText(QStringLiteral("Nux-v."));
    c.cboRemedy3->setCurrentText(QStringLiteral("Puls."));
    c.cmdSearch->click();
    c.lResult1->setCurrentRow(1);
    QApplication::processEvents();
    bool saved = window.grab().save(out + QStringLiteral("/screenshot-different.png"));
    c.optSimilar->click();
    c.lResult1->setCurrentRow(0);
    QApplication::processEvents();
    saved = window.grab().save(out + QStringLiteral("/screenshot-similar.png")) && saved;
    return saved ? 0 : 1;
}
