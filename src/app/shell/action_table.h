#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QObject;

namespace corvane::app {

/// One QAction per command, made from the menu texts, the string table (status prompt before
/// "\n", tooltip after it) and the accelerator table. The actions belong to the owner given to
/// the constructor.
class ActionTable
{
public:
    explicit ActionTable(QObject* owner);

    /// The action of a command number; null for a number that has none.
    QAction* action(int command) const;
    /// Every action, in the order of the command table.
    const QList<QAction*>& all() const { return m_all; }

    /// The status prompt and tooltip of a string-table entry: the parts before and after "\n".
    static QString promptOf(const QString& entry);
    static QString tooltipOf(const QString& entry);

private:
    QHash<int, QAction*> m_byCommand;
    QList<QAction*> m_all;
};

} // namespace corvane::app
