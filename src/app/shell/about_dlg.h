#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;

namespace corvane::app {

/// The about box: the program's picture behind three lines of text and "Close".
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;
    Q_DISABLE_COPY_MOVE(CAboutDlg)

    /// The size of the picture in device-independent pixels.
    static constexpr QSize kPictureSize {579, 458};
    /// The picture at the resolution of a screen with the given device pixel ratio.
    static QPixmap picture(qreal devicePixelRatio);

    QPushButton* closeButton() const { return m_close; }
    QList<QLabel*> texts() const { return m_texts; }

protected:
    /// Copies the top-left part of the picture, as large as the client area, onto the dialog.
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* m_close;
    QList<QLabel*> m_texts;
};

} // namespace corvane::app
