#include "app/shell/ombrix_app.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane For Windows"));
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/corvane.png")));

    corvane::app::COmbrixApp app(QCoreApplication::applicationDirPath());
    if (!app.InitInstance())
        return 1;
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
