// Room speed: zk_hvac-room-find through the interpreter on drawings of 1,000
// and 10,000 rooms (also right after a room moved), and drawing every room.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

#include "database/dbdatabase.h"
#include "database/dbsymtab.h"
#include "geometry/AcGeMatrix3d.h"
#include "graphics/AcGiRecordingContext.h"
#include "integration/FunctionTable.h"
#include "leaders/ZKLeader.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"
#include "rooms/hvacRoom.h"

namespace {

// A square grid of 10 x 10 rooms with labels and leaders, in the working
// drawing, and the room functions registered.
class RoomDrawing {
public:
    explicit RoomDrawing(int count) : side(static_cast<int>(std::ceil(std::sqrt(count)))) {
        if (!ZKLeader::desc()) ZKLeader::rxInit();
        if (!hvacRoom::desc()) hvacRoom::rxInit();
        adsSetOutputSink([](std::string_view) {});
        db = std::make_unique<AcDbDatabase>(true, true);
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        registerFunctionTable(kLispFunctionTable, kLispFunctionCount, 0);
        AcDbBlockTableRecord* space = nullptr;
        acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite);
        for (int i = 0; i < count; ++i) {
            const double x = (i % side) * 10.0, y = (i / side) * 10.0;
            auto* room = new hvacRoom();
            room->setIndex(i + 1);
            room->insertPoint(0, RoomPoint{AcGePoint2d(x, y), i % 7 == 0});
            room->insertPoint(1, RoomPoint{AcGePoint2d(x + 10, y), false});
            room->insertPoint(2, RoomPoint{AcGePoint2d(x + 10, y + 10), false});
            room->insertPoint(3, RoomPoint{AcGePoint2d(x, y + 10), false});
            room->setLabelTextHeight(0.5);
            room->setLabelText("ROOM " + std::to_string(i + 1));
            room->setLabelLocation(AcGePoint2d(x + 2, y + 8));
            room->setLeaderVisible(true);
            AcDbObjectId id;
            space->appendAcDbEntity(id, room);
            room->close();
            ids.push_back(id);
        }
        space->close();
    }
    ~RoomDrawing() {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        adsSetOutputSink({});
    }

    int side;
    std::unique_ptr<AcDbDatabase> db;
    std::vector<AcDbObjectId> ids;
    lisp::Interpreter interp;
};

std::vector<lisp::Ref> queryPoints(int side, int n) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> at(0.0, side * 10.0);
    std::vector<lisp::Ref> points;
    for (int i = 0; i < n; ++i)
        points.push_back(lisp::Interpreter::list({lisp::Interpreter::real(at(random)), lisp::Interpreter::real(at(random))}));
    return points;
}

void BM_RoomFind(benchmark::State& state) {
    RoomDrawing drawing(static_cast<int>(state.range(0)));
    const std::vector<lisp::Ref> points = queryPoints(drawing.side, 1024);
    const lisp::Ref find = lisp::Interpreter::symbol("zk_hvac-room-find");
    size_t i = 0, found = 0;
    for (auto _ : state) {
        lisp::Ref arg = points[i++ % points.size()];
        lisp::EvalResult r = drawing.interp.call(find, lisp::Args(&arg, 1));
        found += r.value ? 1 : 0;
    }
    state.counters["queries/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["hits"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_RoomFind)->Arg(1000)->Arg(10000);

// Each query follows a move of one room, so the index re-measures it.
void BM_RoomFindAfterMove(benchmark::State& state) {
    RoomDrawing drawing(static_cast<int>(state.range(0)));
    const std::vector<lisp::Ref> points = queryPoints(drawing.side, 1024);
    const lisp::Ref find = lisp::Interpreter::symbol("zk_hvac-room-find");
    size_t i = 0;
    double shift = 0.001;
    for (auto _ : state) {
        {
            AcDbObjectPointer<hvacRoom> room(drawing.ids[i % drawing.ids.size()], AcDb::kForWrite);
            room->transformBy(AcGeMatrix3d::translation(AcGeVector3d(shift, 0, 0)));
            shift = -shift;
        }
        lisp::Ref arg = points[i++ % points.size()];
        benchmark::DoNotOptimize(drawing.interp.call(find, lisp::Args(&arg, 1)));
    }
    state.counters["queries/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RoomFindAfterMove)->Arg(1000)->Arg(10000);

// World draw of every room (outline, leader, frame, label) into the
// recording context.
void BM_DrawAllRooms(benchmark::State& state) {
    RoomDrawing drawing(static_cast<int>(state.range(0)));
    size_t records = 0;
    for (auto _ : state) {
        AcGiRecordingContext context(true);
        for (AcDbObjectId id : drawing.ids) {
            AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
            context.draw(room.object());
        }
        records = context.records().size();
    }
    state.counters["primitives"] = static_cast<double>(records);
    state.counters["rooms/s"] = benchmark::Counter(static_cast<double>(state.iterations() * drawing.ids.size()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DrawAllRooms)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same with the records dropped after each room, so that the cost of
// keeping a hundred thousand records does not hide the rooms' own.
void BM_DrawAllRoomsClearing(benchmark::State& state) {
    RoomDrawing drawing(static_cast<int>(state.range(0)));
    AcGiRecordingContext context(true);
    for (auto _ : state) {
        for (AcDbObjectId id : drawing.ids) {
            AcDbObjectPointer<hvacRoom> room(id, AcDb::kForRead);
            context.draw(room.object());
            context.clear();
        }
    }
    state.counters["rooms/s"] = benchmark::Counter(static_cast<double>(state.iterations() * drawing.ids.size()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DrawAllRoomsClearing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
