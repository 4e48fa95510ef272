#pragma once

#include "core/data/Chapters.h"
#include "core/repertory/ComparisonSearch.h"
#include "core/data/StringTable.h"
#include "gui/WindowServices.h"
#include "core/xml/CurrentDocument.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QRadioButton;
class QTimer;
class QToolButton;

namespace orvex {
class CRegSettings;
}

namespace orvex::gui {

// The main window. Built in its design state by the constructor; the entry
// procedure then runs MDIForm_Load, which fills, labels and lays it out.
// Controls carry their design names as object names; that is how anything
// outside the window finds them.
class frmMain final : public QMainWindow {
    Q_OBJECT

public:
    frmMain(WindowServices services, std::string screenWidth);
    ~frmMain() override;

    void MDIForm_Load();
    // The window that goes when the first tick shows this one.
    void setSplashWindow(QWidget* splash) { splash_ = splash; }

    void cmdSearch_Click();
    void cmdPrint_Click();
    void optSimilar_Click();
    void optDifferent_Click();
    void lResult1_Click();
    void Timer1_Timer();

    const StringTable& texts() const { return texts_; }
    std::uint64_t matchCount() const { return MatchCount_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void createControls();
    void createMenus();
    void applyScreenLayout();
    void setListColour(const QColor& colour);
    void showPrintCommands(bool shown);
    SearchRequest searchRequest() const;
    CompareMode currentMode() const;

    WindowServices services_;
    std::string screenWidth_;
    CurrentDocument currentDocument_;
    QString remedyNameStorage_; // the pickers' names are views into it
    StringTable texts_;
    ChapterPickerEntries chapterEntries_; // as put into the chapter picker at start-up
    std::unique_ptr<CRegSettings> settings_;
    ComparisonSearch search_{ComparisonSearch::Reading::KeepIndex};
    std::shared_ptr<const LinePool> convertedPool_; // the pool convertedLines_ holds lines of
    std::vector<QString> convertedLines_;
    std::uint64_t MatchCount_ = 0;
    QPointer<QWidget> splash_;
    QSize outerSize_; // the window's size with its frame, from the layout

    // The controls, by their design names.
    QWidget* mdiClient = nullptr;
    QWidget* Picture1 = nullptr;
    QWidget* picAddress = nullptr;
    QGroupBox* SearchFrame = nullptr;
    QComboBox* cboRemedy1 = nullptr;
    QComboBox* cboRemedy2 = nullptr;
    QComboBox* cboRemedy3 = nullptr;
    QComboBox* cboRubric = nullptr;
    QLineEdit* lblRemedy1 = nullptr;
    QLineEdit* lblRemedy2 = nullptr;
    QLineEdit* lblRemedy3 = nullptr;
    QLineEdit* lblRubric = nullptr;
    QRadioButton* optSimilar = nullptr;
    QRadioButton* optDifferent = nullptr;
    QToolButton* cmdSearch = nullptr;
    QToolButton* cmdPrint = nullptr;
    QLabel* lblResult1 = nullptr;
    QLabel* lblResult2 = nullptr;
    QLabel* lblResult3 = nullptr;
    QLabel* lblChapter = nullptr;
    QLabel* lblAddress = nullptr;
    QListWidget* lResult1 = nullptr;
    QListWidget* lResult2 = nullptr;
    QListWidget* lResult3 = nullptr;
    QListWidget* lTemp = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuFileFind = nullptr;
    QAction* mnuFileBar2 = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileBar4 = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpBar1 = nullptr;
    QAction* mnuHelpAbout = nullptr;

    std::array<QComboBox*, 3> remedyPickers() const { return {cboRemedy1, cboRemedy2, cboRemedy3}; }
    std::array<QListWidget*, 3> resultLists() const { return {lResult1, lResult2, lResult3}; }
    std::array<QLabel*, 3> resultCaptions() const { return {lblResult1, lblResult2, lblResult3}; }
};

inline constexpr const char* kMainWindowCaption = "Orvex Comparative Software 2.0";
inline constexpr int kTimerInterval = 1500;

} // namespace orvex::gui
