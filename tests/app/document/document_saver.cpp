// A child for the kill test: opens a data file in the program and saves it again and again,
// edited alternately to two large texts, until it is killed. Prints "saved" after each save.
//   document_saver FILE BYTES
#include "app_support.h"

#include "app/document/ombrix_doc.h"
#include "app/document/ombrix_view.h"
#include "app/shell/ombrix_app.h"

#include <QApplication>

#include <cstdio>

using namespace corvane;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3)
        return 2;
    test::isolateFromTheUser();
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int bytes = QByteArray(argv[2]).toInt();
    test::StartedApp started;
    if (!started.start() || !started.app().OpenDocumentFile(path))
        return 1;
    const QString texts[2] = {QString::fromLatin1(test::drawLines(bytes / 26, "\n")),
        QString::fromLatin1(test::drawLines(bytes / 26 + 7, "\n"))};
    for (int i = 0;; ++i) {
        started.view()->SetRawText(texts[i % 2]);
        started.doc()->SetModifiedFlag(true);
        if (!started.doc()->DoFileSave())
            return 1;
        std::puts("saved");
        std::fflush(stdout);
    }
}
