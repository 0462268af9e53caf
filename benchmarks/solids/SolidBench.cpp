// The solids of a 1,000-duct network: a serpentine run of 12 by 8 ducts,
// 120 long, turning by a radius elbow every tenth joint and changing size
// by a transition at the others; each duct and each fitting is one solid.
// Reports solids per second and the process's peak memory, and the time to
// write the network as STEP and as STL.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "solid/HvacSolid.h"

namespace {

constexpr int kDucts = 1000;

zkSolidFrame frameAlong(const AcGeVector3d& direction) {
    return {direction, AcGeVector3d(0, 0, 1).crossProduct(direction), AcGeVector3d(0, 0, 1)};
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Builds the network; answers the solids (all built, or the benchmark fails).
std::vector<std::unique_ptr<zk_hvacSolid>> buildNetwork(benchmark::State& state) {
    std::vector<std::unique_ptr<zk_hvacSolid>> solids;
    AcGePoint3d at(0, 0, 0);
    AcGeVector3d direction(1, 0, 0);
    double width = 12;
    for (int i = 0; i < kDucts; ++i) {
        const AcGePoint3d end = at + direction * 120;
        auto duct = std::unique_ptr<zk_hvacSolid>(zk_hvacSolid::create());
        if (!duct->addTransition(at, true, width, 8, end, true, width, 8, frameAlong(direction), frameAlong(direction), 0))
            state.SkipWithError("duct failed");
        solids.push_back(std::move(duct));
        auto fitting = std::unique_ptr<zk_hvacSolid>(zk_hvacSolid::create());
        if (i % 10 == 9) {
            // Turn left, then right, so the run snakes across.
            AcGeVector3d turned = (i / 10) % 2 ? AcGeVector3d(direction.y, -direction.x, 0)
                                               : AcGeVector3d(-direction.y, direction.x, 0);
            AcGePoint3d a = end - direction * 30, b = end + turned * 60;
            if (!fitting->addRadiusElbow(a, width, 8, 0, 0, b, width, 8, frameAlong(direction), frameAlong(turned),
                                         true, 1.5, true, 0, true))
                state.SkipWithError("elbow failed");
            at = b;
            direction = turned;
        } else {
            const double next = width == 12 ? 10 : 12;
            const AcGePoint3d to = end + direction * 3.732;
            if (!fitting->addTransition(end, true, width, 8, to, true, next, 8, frameAlong(direction),
                                        frameAlong(direction), 0))
                state.SkipWithError("transition failed");
            width = next;
            at = to;
        }
        solids.push_back(std::move(fitting));
    }
    return solids;
}

void BM_NetworkSolids(benchmark::State& state) {
    HvacSolid::rxInit();
    size_t built = 0;
    for (auto _ : state) {
        auto solids = buildNetwork(state);
        built += solids.size();
        benchmark::DoNotOptimize(solids.data());
    }
    state.counters["solids/s"] = benchmark::Counter(static_cast<double>(built), benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_NetworkSolids)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_NetworkExport(benchmark::State& state, const char* extension) {
    HvacSolid::rxInit();
    auto solids = buildNetwork(state);
    std::vector<const zk_hvacSolid*> others;
    for (size_t i = 1; i < solids.size(); ++i) others.push_back(solids[i].get());
    const std::string path = (std::filesystem::temp_directory_path() / ("bench-network" + std::string(extension))).string();
    for (auto _ : state)
        if (!solids.front()->writeSolids(others, path)) state.SkipWithError("write failed");
    state.counters["MB_written"] = std::filesystem::file_size(path) / 1e6;
    state.counters["peak_MB"] = peakMegabytes();
    std::filesystem::remove(path);
}
BENCHMARK_CAPTURE(BM_NetworkExport, step, ".step")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_NetworkExport, stl, ".stl")->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Union(benchmark::State& state) {
    HvacSolid::rxInit();
    for (auto _ : state) {
        auto first = std::unique_ptr<zk_hvacSolid>(zk_hvacSolid::create());
        auto second = std::unique_ptr<zk_hvacSolid>(zk_hvacSolid::create());
        first->addTransition(AcGePoint3d(0, 0, 0), true, 12, 8, AcGePoint3d(120, 0, 0), true, 12, 8,
                             frameAlong(AcGeVector3d(1, 0, 0)), frameAlong(AcGeVector3d(1, 0, 0)), 0);
        second->addTransition(AcGePoint3d(100, 0, 0), true, 12, 8, AcGePoint3d(220, 0, 0), true, 10, 8,
                              frameAlong(AcGeVector3d(1, 0, 0)), frameAlong(AcGeVector3d(1, 0, 0)), 0);
        if (!first->doUnion(second.get())) state.SkipWithError("union failed");
    }
}
BENCHMARK(BM_Union)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
