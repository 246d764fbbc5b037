// Painting the distribution chart of a 500-draw period at 1920 x 1080, beside a paint of the same
// dialog at the same size with no chart, in one run. Rendered offscreen into an image.
//
// Run: build/release/bin/chart_paint_bench
#include "app/shell/settings.h"
#include "app/stats/drawpoint.h"
#include "bench_support.h"

#include "core/io/files.h"

#include <QApplication>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using corvane::app::Drawpoint;

const QSize kSize(1920, 1080);

// 500 draws of 6 numbers and a bonus, 1 to 49, keyed from 20000101 on.
QString fiveHundredDraws(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("draws500.txt"));
    corvane::core::writeFileAtomically(path.toStdString(), corvane::bench::keyedDraws(500));
    return path;
}

std::unique_ptr<Drawpoint> dialog(const QString& path)
{
    auto dlg = std::make_unique<Drawpoint>();
    dlg->m_path = path;
    dlg->fromPicker()->setDate(QDate(2000, 1, 1));
    dlg->toPicker()->setDate(QDate(2099, 12, 31));
    dlg->resize(kSize);
    return dlg;
}

void paint(Drawpoint& dlg, QImage& image)
{
    QPainter painter(&image);
    dlg.render(&painter);
}

void BM_PaintEmptyDialog(benchmark::State& state)
{
    QTemporaryDir dir;
    auto dlg = dialog(fiveHundredDraws(dir));
    QImage image(kSize, QImage::Format_RGB32);
    for (auto _ : state)
        paint(*dlg, image);
    state.SetLabel("no chart");
}
BENCHMARK(BM_PaintEmptyDialog)->Unit(benchmark::kMillisecond);

void BM_PaintChart500Draws(benchmark::State& state)
{
    QTemporaryDir dir;
    auto dlg = dialog(fiveHundredDraws(dir));
    QImage image(kSize, QImage::Format_RGB32);
    paint(*dlg, image);
    dlg->OnOK();
    if (!dlg->chart()) {
        state.SkipWithError("no chart");
        return;
    }
    for (auto _ : state)
        paint(*dlg, image);
    state.counters["lines"] = double(dlg->chart()->lines.size());
    state.counters["balls"] = double(dlg->chart()->markers.size());
}
BENCHMARK(BM_PaintChart500Draws)->Unit(benchmark::kMillisecond);

// "Show" and its paint: reading the file, laying the chart out, painting it.
void BM_ShowAndPaint500Draws(benchmark::State& state)
{
    QTemporaryDir dir;
    auto dlg = dialog(fiveHundredDraws(dir));
    QImage image(kSize, QImage::Format_RGB32);
    paint(*dlg, image);
    for (auto _ : state) {
        dlg->OnOK();
        paint(*dlg, image);
    }
}
BENCHMARK(BM_ShowAndPaint500Draws)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir settings;
    corvane::app::Settings::redirectTo(settings.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
