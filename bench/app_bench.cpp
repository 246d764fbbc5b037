// Start-up and opening speed and peak memory of the program, each beside a bare Qt window
// doing the same work: a QMainWindow with a QPlainTextEdit, menus and a toolbar.
//
// Every figure comes from a fresh process (the driver starts itself once per run), so start-up
// includes loading the program. Start-up runs from the moment the process is started until the
// window has been painted once, with ca649.txt; opening runs from just before the open of a
// 1,048,575-character file until the text has been painted. The file is a draw history of that
// size, the same draws on a single line (line ends made spaces), and a single line of digits
// with nowhere to break it but anywhere; a bare window takes minutes over the last, so it is
// opened once a side whatever the number of runs.
//
// Run: build/release/bin/app_bench [runs]   (under xvfb-run, or with QT_QPA_PLATFORM=offscreen)
#include "app/document/ombrix_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/ombrix_app.h"
#include "app/shell/settings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

long long nowNs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

long peakKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Calls done() once widget has been painted and the paint has been flushed.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget* widget, std::function<void()> done)
        : m_done(std::move(done))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_done) {
            auto done = std::move(m_done);
            m_done = nullptr;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, done);
        }
        return false;
    }

private:
    std::function<void()> m_done;
};

const char* const kPictures[12] = {"lotto", "regress", "fuzzy", "frequency", "distribution", "new",
    "open", "save", "cut", "copy", "paste", "help"};

// The bare window (with the program's own toolbar pictures): menus and a toolbar like the
// program's, and the text.
struct BareWindow
{
    QMainWindow window;
    QPlainTextEdit* edit = new QPlainTextEdit(&window);

    BareWindow()
    {
        window.setCentralWidget(edit);
        const int items[] = {8, 2, 2, 2, 4, 2, 4};
        for (int m = 0; m < 7; ++m) {
            QMenu* menu = window.menuBar()->addMenu(QStringLiteral("Menu &") + QString::number(m));
            for (int i = 0; i < items[m]; ++i)
                menu->addAction(QStringLiteral("Item ") + QString::number(i));
        }
        QToolBar* bar = window.addToolBar(QStringLiteral("Standard"));
        bar->setIconSize(QSize(23, 23));
        for (int i = 0; i < 12; ++i) {
            if (i > 0)
                bar->addSeparator();
            bar->addAction(QIcon(QStringLiteral(":/toolbar/") + QLatin1String(kPictures[i])
                               + QStringLiteral(".png")),
                QStringLiteral("B"));
        }
        window.statusBar();
        window.resize(780, 560);
    }

    void load(const QString& path)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        edit->setPlainText(QString::fromLatin1(file.readAll()));
    }
};

int child(int argc, char** argv)
{
    const std::string mode = argv[2];
    const QString dataDir = QString::fromLocal8Bit(argv[3]);
    const QString bigFile = QString::fromLocal8Bit(argv[4]);
    QApplication application(argc, argv);
    QTemporaryDir settings;
    corvane::app::Settings::redirectTo(settings.path());

    long long measured = 0;
    auto report = [&](long long ns) {
        std::printf("%lld %ld\n", ns, peakKb());
        std::fflush(stdout);
        QApplication::quit();
    };

    std::unique_ptr<corvane::app::COmbrixApp> app;
    std::unique_ptr<BareWindow> bare;
    QWidget* painted = nullptr;
    std::function<void()> open;
    if (mode.rfind("app", 0) == 0) {
        app = std::make_unique<corvane::app::COmbrixApp>(dataDir);
        if (!app->InitInstance())
            return 1;
        painted = app->mainFrame()->centralWidget();
        open = [&] { app->OpenDocumentFile(bigFile); };
    } else {
        bare = std::make_unique<BareWindow>();
        bare->load(QDir(dataDir).filePath(QStringLiteral("ca649.txt")));
        bare->window.show();
        painted = bare->edit;
        open = [&] { bare->load(bigFile); };
    }
    QWidget* viewport = static_cast<QAbstractScrollArea*>(painted)->viewport();
    const bool opening = mode.find("open") != std::string::npos;
    PaintWatch first(viewport, [&] {
        if (!opening) {
            report(nowNs());
            return;
        }
        measured = nowNs();
        new PaintWatch(viewport, [&] { report(nowNs() - measured); });
        open();
        viewport->update();
    });
    return QApplication::exec();
}

struct Sample
{
    double ms;
    long kb;
};

Sample runOnce(const char* self, const char* mode, const std::string& dir, const std::string& big)
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(2);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> args {const_cast<char*>(self), const_cast<char*>("--child"),
        const_cast<char*>(mode), const_cast<char*>(dir.c_str()), const_cast<char*>(big.c_str()),
        nullptr};
    pid_t pid = 0;
    const long long start = nowNs();
    if (posix_spawn(&pid, self, &actions, nullptr, args.data(), environ) != 0)
        std::exit(2);
    close(out[1]);
    char buffer[128] = {};
    ssize_t n = read(out[0], buffer, sizeof buffer - 1);
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    long long ns = 0;
    long kb = 0;
    if (n <= 0 || std::sscanf(buffer, "%lld %ld", &ns, &kb) != 2 || status != 0) {
        std::fprintf(stderr, "run of %s failed\n", mode);
        std::exit(2);
    }
    const bool startup = std::strstr(mode, "startup") != nullptr;
    return {static_cast<double>(startup ? ns - start : ns) / 1e6, kb};
}

constexpr std::size_t kLimit = 1048575;

void writeFile(const std::string& path, const std::string& text)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size())
        std::exit(2);
    std::fclose(file);
}

// Draws of 7 numbers from 1 to 49, each followed by end, cut at the document's limit.
void writeDraws(const std::string& path, const char* end)
{
    std::string text;
    unsigned seed = 7;
    for (int i = 0; text.size() < kLimit; ++i) {
        text += std::to_string(19800101 + i);
        for (int c = 0; c < 7; ++c) {
            seed = seed * 1103515245u + 12345u;
            text += ' ' + std::to_string((seed >> 16) % 49 + 1);
        }
        text += end;
    }
    text.resize(kLimit);
    writeFile(path, text);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 5 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 2;

    // The executable's directory holds ca649.txt; the large files are made here.
    std::string exeDir(self);
    exeDir = exeDir.substr(0, exeDir.rfind('/'));
    const std::string big = "/tmp/corvane-bench-1048575.txt";
    const std::string oneLine = "/tmp/corvane-bench-1048575-one-line.txt";
    const std::string digits = "/tmp/corvane-bench-1048575-digits.txt";
    writeDraws(big, "\r\n");
    writeDraws(oneLine, " ");
    {
        std::string text;
        for (std::size_t i = 0; i < kLimit; ++i)
            text += static_cast<char>('0' + i % 10);
        writeFile(digits, text);
    }

    struct Row
    {
        const char* modes[2];
        const char* name;
        const std::string* file;
        int runs;
    };
    const Row rows[] = {
        {{"app-startup", "bare-startup"}, "start-up to first paint (ca649.txt)", &big, runs},
        {{"app-open", "bare-open"}, "open 1,048,575 characters", &big, runs},
        {{"app-open", "bare-open"}, "open them as one line", &oneLine, runs},
        {{"app-open", "bare-open"}, "open one line of digits (1 run)", &digits, 1},
    };
    std::printf("%d runs each, medians; platform %s\n", runs,
        std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "default");
    std::printf("%-38s %10s %10s %7s   %12s %12s %7s\n", "", "corvane", "bare", "ratio",
        "corvane peak", "bare peak", "ratio");
    for (const Row& row : rows) {
        std::vector<double> times[2];
        std::vector<double> peaks[2];
        for (int r = 0; r < row.runs; ++r) {
            for (int side = 0; side < 2; ++side) {
                const Sample s = runOnce(self, row.modes[side], exeDir, *row.file);
                times[side].push_back(s.ms);
                peaks[side].push_back(static_cast<double>(s.kb));
            }
        }
        const double t0 = median(times[0]);
        const double t1 = median(times[1]);
        const double m0 = median(peaks[0]) / 1024.0;
        const double m1 = median(peaks[1]) / 1024.0;
        std::printf("%-38s %8.1fms %8.1fms %6.2fx   %10.1fMiB %10.1fMiB %6.2fx\n", row.name, t0, t1,
            t0 / t1, m0, m1, m0 / m1);
        std::fflush(stdout);
    }
    for (const std::string* file : {&big, &oneLine, &digits})
        std::remove(file->c_str());
    return 0;
}
