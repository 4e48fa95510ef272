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
    explicit MainWindowControls(const QObject* window) : window(window) {}

    const QObject* window;
    QGroupBox* SearchFrame = control<QGroupBox>(window, "SearchFrame");
    QWidget* picAddress = control<QWidget>(window, "picAddress");
    QComboBox* cboRemedy1 = control<QComboBox>(window, "cboRemedy1");
    QComboBox* cboRemedy2 = control<QComboBox>(window, "cboRemedy2");
    QComboBox* cboRemedy3 = control<QComboBox>(window, "cboRemedy3");
    QComboBox* cboRubric = control<QComboBox>(window, "cboRubric");
    QLineEdit* lblRemedy2 = control<QLineEdit>(window, "lblRemedy2");
    QLineEdit* lblRubric = control<QLineEdit>(window, "lblRubric");
    QRadioButton* optSimilar = control<QRadioButton>(window, "optSimilar");
    QRadioButton* optDifferent = control<QRadioButton>(window, "optDifferent");
    QToolButton* cmdSearch = control<QToolButton>(window, "cmdSearch");
    QToolButton* cmdPrint = control<QToolButton>(window, "cmdPrint");
    QLabel* lblResult1 = control<QLabel>(window, "lblResult1");
    QLabel* lblResult2 = control<QLabel>(window, "lblResult2");
    QLabel* lblResult3 = control<QLabel>(window, "lblResult3");
    QLabel* lblChapter = control<QLabel>(window, "lblChapter");
    QListWidget* lResult1 = control<QListWidget>(window, "lResult1");
    QListWidget* lResult2 = control<QListWidget>(window, "lResult2");
    QListWidget* lResult3 = control<QListWidget>(window, "lResult3");
    QListWidget* lTemp = control<QListWidget>(window, "lTemp");
    QTimer* Timer1 = control<QTimer>(window, "Timer1");
    QMenu* mnuFile = control<QMenu>(window, "mnuFile");
    QAction* mnuFileFind = control<QAction>(window, "mnuFileFind");
    QAction* mnuFilePrint = control<QAction>(window, "mnuFilePrint");
    QAction* mnuHelpContents = control<QAction>(window, "mnuHelpContents");
    QAction* mnuHelpAbout = control<QAction>(window, "mnuHelpAbout");

    std::array<QComboBox*, 3> pickers() const { return {cboRemedy1, cboRemedy2, cboRemedy3}; }
    std::array<QListWidget*, 3> lists() const { return {lResult1, lResult2, lResult3}; }
    std::array<QLabel*, 3> captions() const { return {lblResult1, lblResult2, lblResult3}; }
};

} // namespace orvex::gui::test
