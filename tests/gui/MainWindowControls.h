#pragma once

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <array>

namespace orvex::gui::test {

template <typename Control>
Control* control(const QObject* window, const char* name)
{
    auto* found = window->findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("the window has no control named %s", name);
    return found;
}

// The main window's controls, found by their design names as any tool
// outside the window finds them.
struct MainWindowControls {
    explicit MainWindowControls(const QObject* window)
        : SearchFrame(control<QGroupBox>(window, "SearchFrame"))
        , picAddress(control<QWidget>(window, "picAddress"))
        , cboRemedy1(control<QComboBox>(window, "cboRemedy1"))
        , cboRemedy2(control<QComboBox>(window, "cboRemedy2"))
        , cboRemedy3(control<QComboBox>(window, "cboRemedy3"))
        , cboRubric(control<QComboBox>(window, "cboRubric"))
        , lblRemedy2(control<QLineEdit>(window, "lblRemedy2"))
        , lblRubric(control<QLineEdit>(window, "lblRubric"))
        , optSimilar(control<QRadioButton>(window, "optSimilar"))
        , optDifferent(control<QRadioButton>(window, "optDifferent"))
        , cmdSearch(control<QToolButton>(window, "cmdSearch"))
        , cmdPrint(control<QToolButton>(window, "cmdPrint"))
        , lblResult1(control<QLabel>(window, "lblResult1"))
        , lblResult2(control<QLabel>(window, "lblResult2"))
        , lblResult3(control<QLabel>(window, "lblResult3"))
        , lblChapter(control<QLabel>(window, "lblChapter"))
        , lResult1(control<QListWidget>(window, "lResult1"))
        , lResult2(control<QListWidget>(window, "lResult2"))
        , lResult3(control<QListWidget>(window, "lResult3"))
        , lTemp(control<QListWidget>(window, "lTemp"))
        , Timer1(control<QTimer>(window, "Timer1"))
        , mnuFile(control<QMenu>(window, "mnuFile"))
        , mnuFileFind(control<QAction>(window, "mnuFileFind"))
        , mnuFilePrint(control<QAction>(window, "mnuFilePrint"))
        , mnuHelpContents(control<QAction>(window, "mnuHelpContents"))
        , mnuHelpAbout(control<QAction>(window, "mnuHelpAbout"))
    {
    }

    QGroupBox* SearchFrame;
    QWidget* picAddress;
    QComboBox* cboRemedy1;
    QComboBox* cboRemedy2;
    QComboBox* cboRemedy3;
    QComboBox* cboRubric;
    QLineEdit* lblRemedy2;
    QLineEdit* lblRubric;
    QRadioButton* optSimilar;
    QRadioButton* optDifferent;
    QToolButton* cmdSearch;
    QToolButton* cmdPrint;
    QLabel* lblResult1;
    QLabel* lblResult2;
    QLabel* lblResult3;
    QLabel* lblChapter;
    QListWidget* lResult1;
    QListWidget* lResult2;
    QListWidget* lResult3;
    QListWidget* lTemp;
    QTimer* Timer1;
    QMenu* mnuFile;
    QAction* mnuFileFind;
    QAction* mnuFilePrint;
    QAction* mnuHelpContents;
    QAction* mnuHelpAbout;

    std::array<QComboBox*, 3> pickers() const { return {cboRemedy1, cboRemedy2, cboRemedy3}; }
    std::array<QListWidget*, 3> lists() const { return {lResult1, lResult2, lResult3}; }
    std::array<QLabel*, 3> captions() const { return {lblResult1, lblResult2, lblResult3}; }
};

} // namespace orvex::gui::test
