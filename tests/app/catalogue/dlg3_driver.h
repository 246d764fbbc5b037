#pragma once

// Drives the lottery selection dialog the way a user does: clicks on rows and buttons.
#include "app/catalogue/dlg3.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QTest>

namespace corvane::test {

/// The dialog shown without a modal loop of its own, so the test can drive it step by step.
class ShownDlg3 : public app::Dlg3
{
public:
    ShownDlg3()
    {
        m_bStartup = 0;
        DoDataExchange();
        show();
    }
};

inline QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

inline int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

inline QPoint rowCentre(QListWidget* list, int row)
{
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    return list->visualItemRect(item).center();
}

inline void clickRow(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
}

/// A double-click on a row, or on the empty list's blank area for row -1.
inline void doubleClickRow(QListWidget* list, int row)
{
    const QPoint at = row >= 0 ? rowCentre(list, row) : QPoint(10, 10);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

inline bool clickRegion(app::Dlg3& dlg, const QString& name)
{
    const QList<QListWidgetItem*> found = dlg.stateList()->findItems(name, Qt::MatchExactly);
    if (found.size() != 1)
        return false;
    clickRow(dlg.stateList(), dlg.stateList()->row(found.first()));
    return true;
}

inline void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace corvane::test
