// Rendering many small entities to SVG, and building and sampling splines.
#include "graphics/AcGi.h"
#include "render/SvgRenderer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
// A room-like entity: a closed four-sided outline and a one-line label.
class BoxWithLabel : public AcGiDrawable {
public:
    explicit BoxWithLabel(double x) : mX(x) {}
    bool worldDraw(AcGiWorldDraw* wd) override {
        const AcGePoint3d outline[5] = {{mX, 0, 0}, {mX + 8, 0, 0}, {mX + 8, 6, 0}, {mX, 6, 0}, {mX, 0, 0}};
        wd->subEntityTraits().setColor(static_cast<Adesk::UInt16>(1 + static_cast<int>(mX) % 7));
        wd->geometry().polyline(5, outline);
        wd->geometry().text(AcGePoint3d(mX + 1, 3, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 1.0, 1.0, 0.0,
                            "Room");
        return true;
    }

private:
    double mX;
};

void BM_RenderSvg(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<BoxWithLabel> entities;
    entities.reserve(count);
    for (std::size_t i = 0; i < count; ++i) entities.emplace_back(static_cast<double>(i) * 10.0);
    std::vector<AcGiDrawable*> drawables;
    for (auto& e : entities) drawables.push_back(&e);
    const std::string path = "/tmp/orv_bench_render_" + std::to_string(count) + ".svg";
    for (auto _ : state) {
        std::string error;
        if (!renderSvg(drawables, [](AcDbObjectId) { return 7; }, path, error)) state.SkipWithError(error.c_str());
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * count));
}
BENCHMARK(BM_RenderSvg)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
