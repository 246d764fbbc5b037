#pragma once

namespace corvane::app {

/// The command numbers of the menus, the accelerators and the toolbar. Every action carries its
/// number in QAction::data(), and tests find actions by it.
enum Command : int {
    kTipOfTheDay = 104,
    kHelpContents = 32772,
    kNonlinearRegress = 32774,
    kOpenLottoData = 32775,
    kBlankItem = 32776,
    kFuzzyPeriod = 32789,
    kFrequency = 32792,
    kDistribution = 32794,
    kFileNew = 57600,
    kFileOpen = 57601,
    kFileSave = 57603,
    kFileSaveAs = 57604,
    kRecentFile1 = 57616,
    kRecentFile4 = 57619,
    kEditCopy = 57634,
    kEditCut = 57635,
    kEditPaste = 57637,
    kEditUndo = 57643,
    kAbout = 57664,
    kAppExit = 57665,
    kHelp = 57670,
    kViewToolbar = 59392,
    kViewStatusBar = 59393,
};

/// How many recent files the "&File" menu lists.
inline constexpr int kRecentFileCount = kRecentFile4 - kRecentFile1 + 1;

} // namespace corvane::app
