// Drawing speed of zkDuct with the project database on disk, where every
// commit waits for the file system: ducts per second (wall clock) for a run
// that continues from the end of the last duct and, every tenth call,
// splits a duct drawn before, so calls write one to six rows. The project
// lives in ORV_BENCH_DISK_DIR (default /var/tmp), never in memory.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "database/dbdatabase.h"
#include "ducts/ZkDuct.h"
#include "editor/EditorView.h"
#include "integration/DocData.h"
#include "integration/FunctionTable.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"
#include "projectdb/projectfile.h"
#include "runtime/docman.h"
#include "runtime/editor.h"
#include "runtime/rxapp.h"
#include "tests/support/DocumentHooks.h"

namespace {

int ductCount() {
    const char* n = std::getenv("ORV_BENCH_DUCTS");
    return n && std::atoi(n) > 0 ? std::atoi(n) : 200;
}

// A host with one drawing in a project folder on disk, the module's
// functions registered and the product's callbacks answering as the
// example product does.
class DiskProjectHost {
public:
    DiskProjectHost() {
        acedEditorPtr();
        acedRegCmds();
        adsSetOutputSink([](std::string_view) {});
        installDocumentHooks();
        const char* base = std::getenv("ORV_BENCH_DISK_DIR");
        root = std::string(base ? base : "/var/tmp") + "/bench_zkduct_" + std::to_string(getpid());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        if (!projectdb::createProject(root, "Bench").ok) return;
        acDocManager->createDocument(root + "/Bench.dwg", new AcDbDatabase(true));
        if (!ZkDuct::desc()) ZkDuct::rxInit();
        gDocDataManager = new DocDataManager;
        registerFunctionTable(kLispFunctionTable, kLispFunctionCount, 0);
        registerEditorViewVars();
        ready = gDocDataManager->currentDocData()->project()->makeReady(false);
        for (const char* source :
             {"(defun convert_rp_dp (p u) p)", "(defun convert_ra_da (a u) a)", "(defun getPrevDuct (k x) nil)",
              "(defun getNextDuctsTransparent (k x tr) nil)", "(defun duct-elevationListDialog (l) 0)",
              "(defun duct-getSettings (x) '((\"AIRFLOW\" . \"sa\") (\"SHAPE\" . \"r\") (\"SIZEFOR\" . \"12x8\")"
              " (\"WIDTH\" . 12.0) (\"DEPTH\" . 8.0) (\"Z1\" . 120.0) (\"Z2\" . 120.0)))",
              "(setvar \"VIEWCTR\" '(5000 5000 0))", "(setvar \"VIEWSIZE\" 20000.0)"})
            interp.evalString(source);
    }
    ~DiskProjectHost() {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        closeDocumentsAndRemoveHooks();
        adsSetOutputSink({});
        std::filesystem::remove_all(root);
    }

    std::string root;
    bool ready = false;
    lisp::Interpreter interp;
};

std::string point(double x, double y) {
    return "'(" + std::to_string(x) + " " + std::to_string(y) + ")";
}

void BM_ZkDuctOnDisk(benchmark::State& state) {
    DiskProjectHost host;
    if (!host.ready) return state.SkipWithError("cannot open the project on disk");
    double x = 0, y = 0;
    int n = 0;
    for (auto _ : state) {
        std::string call;
        if (n > 0 && n % 10 == 0) {
            // A branch from the middle of the duct drawn five before.
            call = "(zkDuct " + point(x - 460, y) + " " + point(x - 460, y + 40) + ")";
        } else {
            call = "(zkDuct " + point(x, y) + " " + point(x + 100, y) + ")";
            x += 100;
        }
        if (x >= 10000) x = 0, y += 200;
        ++n;
        lisp::EvalResult r = host.interp.evalString(call);
        if (!r.ok || r.value == lisp::Interpreter::nil()) return state.SkipWithError(("zkDuct failed: " + call).c_str());
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_ZkDuctOnDisk)->Iterations(ductCount())->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
