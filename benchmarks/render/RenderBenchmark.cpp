// Plotting many small entities to SVG, PNG and PDF, and building and
// sampling splines.
#include "graphics/AcGi.h"
#include "render/PlotRenderer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {
// A room-like entity: a closed four-sided outline and a one-line label.
class BoxWithLabel : public AcGiDrawable {
public:
    explicit BoxWithLabel(double x, double y) : mX(x), mY(y) {}
    bool worldDraw(AcGiWorldDraw* wd) override {
        const AcGePoint3d outline[5] = {
            {mX, mY, 0}, {mX + 8, mY, 0}, {mX + 8, mY + 6, 0}, {mX, mY + 6, 0}, {mX, mY, 0}};
        wd->subEntityTraits().setColor(static_cast<Adesk::UInt16>(1 + static_cast<int>(mX / 10) % 7));
        wd->geometry().polyline(5, outline);
        wd->geometry().text(AcGePoint3d(mX + 1, mY + 3, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, 1.0,
                            0.0, "Room");
        return true;
    }

private:
    double mX, mY;
};

// count entities laid out in a square grid, written to a picture of the
// given extension at 1600 pixels wide.
void renderTo(benchmark::State& state, const char* extension) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<BoxWithLabel> entities;
    entities.reserve(count);
    std::size_t side = 1;
    while (side * side < count) ++side;
    for (std::size_t i = 0; i < count; ++i)
        entities.emplace_back(static_cast<double>(i % side) * 10.0, static_cast<double>(i / side) * 10.0);
    std::vector<AcGiDrawable*> drawables;
    for (auto& e : entities) drawables.push_back(&e);
    const std::string path = "/tmp/orv_bench_render_" + std::to_string(count) + extension;
    for (auto _ : state) {
        std::string error;
        if (!renderPlot(drawables, PlotTables{}, path, error)) state.SkipWithError(error.c_str());
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::remove(path.c_str());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * count));
}

void BM_RenderSvg(benchmark::State& state) { renderTo(state, ".svg"); }
void BM_RenderPng(benchmark::State& state) { renderTo(state, ".png"); }
void BM_RenderPdf(benchmark::State& state) { renderTo(state, ".pdf"); }
BENCHMARK(BM_RenderSvg)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderPng)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderPdf)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SplineBuildAndSample(benchmark::State& state) {
    std::vector<AcGePoint3d> fit;
    for (int i = 0; i < 10; ++i) fit.emplace_back(i * 10.0, (i % 2) * 5.0, 0.0);
    for (auto _ : state) {
        const AcGeCubicSplineCurve3d spline(fit, AcGeVector3d(1, 0, 0), AcGeVector3d(1, 0, 0));
        benchmark::DoNotOptimize(spline.samplePoints(101));
    }
}
BENCHMARK(BM_SplineBuildAndSample)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
