#include "app/shell/action_table.h"

#include "app/shell/commands.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

namespace corvane::app {

namespace {

struct CommandEntry
{
    int command;
    const char* text;
    const char* strings; // status prompt "\n" tooltip; null when the string table has none
    const char* keys[2];
    const char* picture; // our own toolbar picture in the resources
};

// The menu texts, the string table and the accelerator table of the main window.
constexpr CommandEntry kCommands[] = {
    {kFileNew, "&New\tCtrl+N", "Create a new document\nNew", {"Ctrl+N"}, "new"},
    {kFileOpen, "&Open...\tCtrl+O", "Open an existing document\nOpen", {"Ctrl+O"}, "open"},
    {kFileSave, "&Save\tCtrl+S", "Save the active document\nSave", {"Ctrl+S"}, "save"},
    {kFileSaveAs, "Save &As...", "Save the active document with a new name\nSave As", {}, nullptr},
    {kRecentFile1, "Recent File", "Open this document", {}, nullptr},
    {kRecentFile1 + 1, "", "Open this document", {}, nullptr},
    {kRecentFile1 + 2, "", "Open this document", {}, nullptr},
    {kRecentFile4, "", "Open this document", {}, nullptr},
    {kAppExit, "E&xit", "Quit the application; prompts to save documents\nExit", {}, nullptr},
    {kOpenLottoData, "Open &Lottory Data",
        "Open Lottery Data For Prediction\nOpen Lottery Data To Predict", {}, "lotto"},
    {kBlankItem, " ", nullptr, {}, nullptr},
    {kNonlinearRegress, "Nonlinear Re&gress Method\tCtrl+G",
        "Predict The Next Lottery Number Using Nonlinear Regression Method\n"
        "Use Nonlinear Regression To Predict ",
        {"Ctrl+G"}, "regress"},
    {kFuzzyPeriod, "&Fuzzy Period Mehod\tCtrl+F",
        "Use Fuzzy Period Method\nUse Fuzzy Period Method To Predict", {"Ctrl+F"}, "fuzzy"},
    {kFrequency, "Frenquency Of &Lotto\tCtrl+T",
        "Show How Many Times Of Each Lotto Number\nShow How Many Times Of Each Lotto Number",
        {"Ctrl+T"}, "frequency"},
    {kDistribution, "Drawing Of Lotto &Distribution",
        "Drawing Of Each Lotto Number's Distribution\nDrawing Of Each Lotto Number's Distribution",
        {}, "distribution"},
    {kEditUndo, "&Undo\tCtrl+Z", "Undo the last action\nUndo", {"Ctrl+Z", "Alt+Backspace"},
        nullptr},
    {kEditCut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut",
        {"Ctrl+X", "Shift+Del"}, "cut"},
    {kEditCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy",
        {"Ctrl+C", "Ctrl+Ins"}, "copy"},
    {kEditPaste, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste", {"Ctrl+V", "Shift+Ins"},
        "paste"},
    {kViewToolbar, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", {}, nullptr},
    {kViewStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", {}, nullptr},
    {kHelpContents, "&Help Index  && Contents", "Help Information \nHelp Information ", {}, "help"},
    {kAbout, "&About Corvane...",
        "Display program information, version number and copyright\nAbout", {}, nullptr},
    {kTipOfTheDay, "Ti&p of the Day...", "Displays a Tip of the Day.", {}, nullptr},
    // F1: the framework's help command, on no menu.
    {kHelp, "Help", nullptr, {"F1"}, nullptr},
};

// Our own pictures, not the desktop theme's: the toolbar looks the same on every desktop, and
// looking icons up in a theme took a quarter of the start-up.
QIcon iconOf(const CommandEntry& entry)
{
    if (!entry.picture)
        return {};
    return QIcon(
        QStringLiteral(":/toolbar/") + QLatin1String(entry.picture) + QStringLiteral(".png"));
}

} // namespace

ActionTable::ActionTable(QObject* owner)
{
    for (const CommandEntry& entry : kCommands) {
        auto* action = new QAction(QString::fromLatin1(entry.text), owner);
        action->setData(entry.command);
        if (entry.strings) {
            const QString strings = QString::fromLatin1(entry.strings);
            action->setStatusTip(promptOf(strings));
            const QString tooltip = tooltipOf(strings);
            if (!tooltip.isEmpty())
                action->setToolTip(tooltip);
        }
        QList<QKeySequence> keys;
        for (const char* key : entry.keys) {
            if (key)
                keys.append(QKeySequence(QString::fromLatin1(key), QKeySequence::PortableText));
        }
        action->setShortcuts(keys);
        action->setIcon(iconOf(entry));
        m_byCommand.insert(entry.command, action);
        m_all.append(action);
    }
}

QAction* ActionTable::action(int command) const
{
    return m_byCommand.value(command, nullptr);
}

QString ActionTable::promptOf(const QString& entry)
{
    const qsizetype newline = entry.indexOf(QLatin1Char('\n'));
    return newline < 0 ? entry : entry.left(newline);
}

QString ActionTable::tooltipOf(const QString& entry)
{
    const qsizetype newline = entry.indexOf(QLatin1Char('\n'));
    return newline < 0 ? QString() : entry.mid(newline + 1);
}

} // namespace corvane::app
