// Openings of the tip of the day as a user makes them, and the profile values it keeps; shared
// by the dialog's tests.
#pragma once

#include "app_support.h"

#include "app/shell/settings.h"
#include "app/shell/tip_dlg.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace corvane::test::tips {

using corvane::app::CTipDlg;
using corvane::app::Settings;

inline const QByteArray kFiveLines = ";comment\n\nFirst tip\n begins with a space\nSecond tip\n";
inline const QString kFirst = QStringLiteral("First tip\n");
inline const QString kSecond = QStringLiteral("Second tip\n");
inline const QString kTrouble = QStringLiteral("Trouble reading the tips file");

enum class Closing { CloseButton, Enter, Escape, CloseBox };

// What one opening of the dialog showed.
struct Opening
{
    bool opened = false;
    QStringList tips;
    bool nextEnabled = false;
    bool boxTicked = false;
};

// Opens the dialog as command 104 does, presses "&Next Tip" presses times, clicks the check box
// when told, and closes the dialog the way given. Records every tip shown.
inline Opening openTips(
    int presses = 0, Closing closing = Closing::CloseBox, bool toggleBox = false)
{
    Opening seen;
    CTipDlg dlg;
    seen.opened = corvane::test::answerModal([&dlg] { dlg.exec(); },
        [&](QWidget* modal) {
            auto* tips = qobject_cast<CTipDlg*>(modal);
            if (!tips) {
                modal->close();
                return;
            }
            seen.tips.append(tips->tipLabel()->text());
            seen.nextEnabled = tips->nextTipButton()->isEnabled();
            seen.boxTicked = tips->startupBox()->isChecked();
            for (int i = 0; i < presses; ++i) {
                QTest::mouseClick(tips->nextTipButton(), Qt::LeftButton);
                seen.tips.append(tips->tipLabel()->text());
            }
            if (toggleBox)
                tips->startupBox()->click();
            switch (closing) {
            case Closing::CloseButton:
                QTest::mouseClick(tips->closeButton(), Qt::LeftButton);
                break;
            case Closing::Enter:
                QTest::keyClick(tips, Qt::Key_Return);
                break;
            case Closing::Escape:
                QTest::keyClick(tips, Qt::Key_Escape);
                break;
            case Closing::CloseBox:
                tips->close();
                break;
            }
        });
    return seen;
}

inline QVariant tipValue(const QString& key)
{
    return Settings().value(QStringLiteral("Tip"), key);
}

inline void setTipValue(const QString& key, const QVariant& value)
{
    Settings().setValue(QStringLiteral("Tip"), key, value);
}

// Stores the tips file's present time stamp, as an earlier opening would have.
inline void storeTimeStamp()
{
    CTipDlg once;
}

inline bool moveModificationTime(const QString& path, int seconds)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QDateTime time = file.fileTime(QFileDevice::FileModificationTime);
    return file.setFileTime(time.addSecs(seconds), QFileDevice::FileModificationTime);
}

} // namespace corvane::test::tips
