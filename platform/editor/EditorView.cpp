// View state of the stand-in's drawing window and the UCS system variables.
#include "editor/EditorView.h"

#include <vector>

#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "lisp/AdsConvert.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"
#include "lisp/LispError.h"

namespace {

struct ViewState {
    AcEdView view;
    std::vector<AcEdView> previous;
};

ViewState& viewState() {
    static ViewState* state = new ViewState;
    return *state;
}

bool numberOf(const resbuf* rb, double& out) {
    if (rb->restype == RTREAL) out = rb->resval.rreal;
    else if (rb->restype == RTSHORT) out = rb->resval.rint;
    else if (rb->restype == RTLONG) out = rb->resval.rlong;
    else return false;
    return true;
}

void putPoint(resbuf* rb, short type, double x, double y, double z) {
    rb->restype = type;
    rb->resval.rpoint[0] = x;
    rb->resval.rpoint[1] = y;
    rb->resval.rpoint[2] = z;
}

bool isPoint(const resbuf* rb) { return rb->restype == RT3DPOINT || rb->restype == RTPOINT; }

void registerUcsAxis(const char* name, bool xAxis) {
    adsRegisterSysVar(name, [xAxis](resbuf* rb) {
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        AcGeVector3d v = db ? (xAxis ? db->ucsxdir() : db->ucsydir()) : (xAxis ? AcGeVector3d::kXAxis : AcGeVector3d::kYAxis);
        putPoint(rb, RT3DPOINT, v.x, v.y, v.z);
        return true;
    }, [name](const resbuf* rb) {
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        if (!db || rb->restype != RT3DPOINT) return false;
        AcGeVector3d v(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
        if (v.length() < 1e-12) return false;
        v = v / v.length();
        AcDbHeaderValue value;
        value.type = RT3DPOINT;
        value.point[0] = v.x, value.point[1] = v.y, value.point[2] = v.z;
        return db->setHeaderVar(name, value) == Acad::eOk;
    });
}

} // namespace

void registerEditorViewVars() {
    static bool done = false;
    if (done) return;
    done = true;
    adsRegisterSysVar("VIEWCTR", [](resbuf* rb) {
        const AcGePoint3d& c = viewState().view.centre;
        putPoint(rb, RT3DPOINT, c.x, c.y, c.z);
        return true;
    }, [](const resbuf* rb) {
        if (!isPoint(rb)) return false;
        viewState().view.centre = AcGePoint3d(rb->resval.rpoint[0], rb->resval.rpoint[1],
                                              rb->restype == RT3DPOINT ? rb->resval.rpoint[2] : 0.0);
        return true;
    });
    adsRegisterSysVar("VIEWSIZE", [](resbuf* rb) {
        rb->restype = RTREAL;
        rb->resval.rreal = viewState().view.height;
        return true;
    }, [](const resbuf* rb) {
        double h = 0;
        if (!numberOf(rb, h) || !(h > 0)) return false;
        viewState().view.height = h;
        return true;
    });
    adsRegisterSysVar("SCREENSIZE", [](resbuf* rb) {
        putPoint(rb, RTPOINT, viewState().view.screenWidth, viewState().view.screenHeight, 0);
        return true;
    }, [](const resbuf* rb) {
        if (!isPoint(rb) || !(rb->resval.rpoint[0] > 0) || !(rb->resval.rpoint[1] > 0)) return false;
        viewState().view.screenWidth = rb->resval.rpoint[0];
        viewState().view.screenHeight = rb->resval.rpoint[1];
        return true;
    });
    registerUcsAxis("UCSXDIR", true);
    registerUcsAxis("UCSYDIR", false);
}

AcEdView acedCurrentView() { return viewState().view; }

double acedPickBoxHalfSize() {
    const AcEdView& v = viewState().view;
    return 3.0 * v.height / v.screenHeight;
}

void acedZoomCentre(const AcGePoint3d& centre) {
    ViewState& s = viewState();
    s.previous.push_back(s.view);
    s.view.centre = centre;
}

bool acedZoomPrevious() {
    ViewState& s = viewState();
    if (s.previous.empty()) return false;
    s.view = s.previous.back();
    s.previous.pop_back();
    return true;
}

void registerModelXDataBuiltin(lisp::Interpreter& interpreter) {
    interpreter.defineBuiltin("host-model-xdata", [](lisp::Args args) -> lisp::Ref {
        if (!lisp::isType(args[0], lisp::Type::Str))
            lisp::raiseError("bad argument type: host-model-xdata expects an application name");
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        if (!db) return lisp::Interpreter::nil();
        const std::string app = args[0]->str;
        using I = lisp::Interpreter;
        lisp::Ref entity = I::list({I::list({I::integer(-3), I::cons(I::string(app), args[1])})});
        resbuf* chain = lisp::dxfListToResbufs(entity);
        const resbuf* xdata = chain;
        while (xdata && xdata->restype != 1001) xdata = xdata->rbnext;
        db->registerApp(app.c_str());
        AcDbBlockTableRecord* space = nullptr;
        bool done = false;
        if (xdata && acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite) == Acad::eOk) {
            done = space->setXData(xdata) == Acad::eOk;
            space->close();
        }
        acutRelRb(chain);
        return done ? I::t() : I::nil();
    }, 2, 2);
}
