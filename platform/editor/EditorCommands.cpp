// The host commands applications run: a table of command handlers, each
// taking its answers from the argument list in order.
#include "editor/EditorCommands.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbline.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/EntityLists.h"
#include "editor/EditorInput.h"
#include "editor/EditorSelection.h"
#include "editor/EditorView.h"
#include "editor/EntityGridIndex.h"
#include "lisp/AdsConvert.h"
#include "lisp/AdsHost.h"
#include "runtime/editor.h"

namespace {

// The answers of one command call.
class Answers {
public:
    explicit Answers(const resbuf* list) : mNext(list) {}
    bool done() const { return mNext == nullptr; }
    const resbuf* peek() const { return mNext; }
    const resbuf* take() {
        const resbuf* rb = mNext;
        if (rb) mNext = rb->rbnext;
        return rb;
    }
    // The next answer as option text (upper case, without "_"); empty for a
    // non-text answer or at the end.
    std::string option() const {
        if (!mNext || mNext->restype != RTSTR || !mNext->resval.rstring) return {};
        std::string text = mNext->resval.rstring;
        while (!text.empty() && text[0] == '_') text.erase(0, 1);
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    }
    bool isEnter() const { return mNext && mNext->restype == RTSTR && mNext->resval.rstring && !*mNext->resval.rstring; }
    bool isPoint() const { return mNext && (mNext->restype == RTPOINT || mNext->restype == RT3DPOINT); }
    // A point answer, or "x,y[,z]" text.
    bool point(AcGePoint3d& p) {
        if (isPoint()) {
            p.set(mNext->resval.rpoint[0], mNext->resval.rpoint[1], mNext->restype == RT3DPOINT ? mNext->resval.rpoint[2] : 0);
            take();
            return true;
        }
        if (mNext && mNext->restype == RTSTR && mNext->resval.rstring) {
            double c[3] = {0, 0, 0};
            int n = 0;
            char tail = 0;
            n = std::sscanf(mNext->resval.rstring, "%lf,%lf,%lf%c", &c[0], &c[1], &c[2], &tail);
            if (n == 2 || n == 3) {
                p.set(c[0], c[1], c[2]);
                take();
                return true;
            }
        }
        return false;
    }
    bool number(double& value) {
        if (!mNext) return false;
        switch (mNext->restype) {
        case RTREAL: value = mNext->resval.rreal; break;
        case RTSHORT: value = mNext->resval.rint; break;
        case RTLONG: value = mNext->resval.rlong; break;
        case RTSTR: {
            char* end = nullptr;
            value = std::strtod(mNext->resval.rstring ? mNext->resval.rstring : "", &end);
            if (!end || *end || end == mNext->resval.rstring) return false;
            break;
        }
        default: return false;
        }
        take();
        return true;
    }

private:
    const resbuf* mNext;
};

// Zooms to a centre (remembered for ZOOM P) and, when given, a height.
void zoomTo(const AcGePoint3d& centre, double height) {
    acedZoomCentre(centre);
    if (height > 0) {
        resbuf size{};
        size.restype = RTREAL;
        size.resval.rreal = height;
        acedSetVar("VIEWSIZE", &size);
    }
}

void zoomWindow(const AcGePoint3d& a, const AcGePoint3d& b) {
    zoomTo(AcGePoint3d((a.x + b.x) / 2, (a.y + b.y) / 2, 0), std::max(std::fabs(b.y - a.y), std::fabs(b.x - a.x)));
}

bool modelSpaceExtents(AcDbExtents& all) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return false;
    AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
    if (!ms) return false;
    for (const AcDbObjectId& id : ms->entityIds()) {
        if (id.isErased()) continue;
        AcDbEntityPointer entity(id, AcDb::kForRead);
        AcDbExtents extents;
        if (entity && entity->getGeomExtents(extents) == Acad::eOk) all.addExt(extents);
    }
    return !all.isEmpty();
}

// Zooms out as far as the drawing goes: a view holding the current one and
// everything drawn (the editor's index knows the drawing's extents without
// walking it).
void zoomOut() {
    const AcEdView view = acedCurrentView();
    const double halfHeight = view.height / 2;
    const double halfWidth = halfHeight * view.screenWidth / view.screenHeight;
    AcGePoint3d low(view.centre.x - halfWidth, view.centre.y - halfHeight, 0);
    AcGePoint3d high(view.centre.x + halfWidth, view.centre.y + halfHeight, 0);
    AcGePoint2d drawnLow, drawnHigh;
    if (acedIndexedExtents(acdbHostApplicationServices()->workingDatabase(), drawnLow, drawnHigh)) {
        low.set(std::min(low.x, drawnLow.x), std::min(low.y, drawnLow.y), 0);
        high.set(std::max(high.x, drawnHigh.x), std::max(high.y, drawnHigh.y), 0);
    }
    const double aspect = view.screenWidth / view.screenHeight;
    const AcGePoint3d centre(low.x / 2 + high.x / 2, low.y / 2 + high.y / 2, 0);
    const double height = std::max(high.y - low.y, (high.x - low.x) / aspect);
    if (std::isfinite(height)) zoomTo(centre, height);
    else zoomTo(centre, std::numeric_limits<double>::max());
}

void zoom(Answers& in) {
    std::string option = in.option();
    AcGePoint3d a, b;
    if (option == "E" || option == "EXTENTS" || option == "A" || option == "ALL") {
        in.take();
        AcDbExtents all;
        if (modelSpaceExtents(all)) zoomWindow(all.minPoint(), all.maxPoint());
    } else if (option == "W" || option == "WINDOW") {
        in.take();
        if (in.point(a) && in.point(b)) zoomWindow(a, b);
    } else if (option == "C" || option == "CENTER") {
        in.take();
        double height = 0;
        if (in.point(a)) zoomTo(a, in.number(height) ? height : 0);
    } else if (option == "P" || option == "PREVIOUS") {
        in.take();
        acedZoomPrevious();
    } else if (option == "V" || option == "VMAX") {
        in.take();
        zoomOut();
    } else if (in.point(a)) {
        if (in.point(b)) zoomWindow(a, b);
        else zoomTo(a, 0);
    } else if (double scale = 0; in.number(scale) && scale > 0) {
        zoomTo(acedCurrentView().centre, acedCurrentView().height / scale);
    } else if (!in.done()) {
        in.take();  // a scale such as "2x"
    }
    if (in.isEnter()) in.take();
}

bool appendLine(const AcGePoint3d& from, const AcGePoint3d& to) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return false;
    AcDbBlockTableRecord* ms = nullptr;
    if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return false;
    auto* line = new AcDbLine(from, to);
    line->setDatabaseDefaults(db);
    bool ok = ms->appendAcDbEntity(line) == Acad::eOk;
    ms->close();
    if (ok) line->close();
    else delete line;
    return ok;
}

void line(Answers& in) {
    std::vector<AcGePoint3d> points;
    AcGePoint3d p;
    while (!in.done()) {
        if (in.isEnter()) {
            in.take();
            break;
        }
        std::string option = in.option();
        if ((option == "C" || option == "CLOSE") && points.size() >= 3) {
            in.take();
            appendLine(points.back(), points.front());
            break;
        }
        if (!in.point(p)) {
            acutPrintf("\nInvalid point.");
            in.take();
            continue;
        }
        if (!points.empty()) appendLine(points.back(), p);
        points.push_back(p);
        acedSetLastPoint(p);
    }
}

void eraseId(const ads_name name) {
    resbuf* groups = acdbEntGet(name);  // only live entities are erased
    if (groups) acdbEntDel(name);
    acutRelRb(groups);
}

void erase(Answers& in) {
    while (!in.done()) {
        const resbuf* rb = in.peek();
        std::string option = in.option();
        if (in.isEnter()) {
            in.take();
            break;
        }
        if (rb->restype == RTENAME) {
            eraseId(rb->resval.rlname);
        } else if (rb->restype == RTPICKS) {
            int32_t length = 0;
            acedSSLength(rb->resval.rlname, &length);
            for (int32_t i = 0; i < length; ++i) {
                ads_name entity;
                if (acedSSName(rb->resval.rlname, i, entity) == RTNORM) eraseId(entity);
            }
        } else if (option == "L" || option == "LAST") {
            ads_name last;
            if (acdbEntLast(last) == RTNORM) eraseId(last);
        } else if (option == "P" || option == "PREVIOUS") {
            ads_name previous;
            if (acedSSPrevious(previous) == RTNORM) {
                in.take();
                int32_t length = 0;
                acedSSLength(previous, &length);
                for (int32_t i = 0; i < length; ++i) {
                    ads_name entity;
                    if (acedSSName(previous, i, entity) == RTNORM) eraseId(entity);
                }
                acedSSFree(previous);
                continue;
            }
        } else {
            acutPrintf("\n*Invalid selection*");
        }
        in.take();
    }
}

void undo(Answers& in) {
    std::string option = in.option();
    if (option == "B" || option == "BACK") acutPrintf("\nNothing to undo: this host keeps no undo history.");
    if (!in.done()) in.take();
    if (option == "A" || option == "AUTO" || option == "C" || option == "CONTROL") {
        if (!in.done()) in.take();
    }
}

using Command = std::function<void(Answers&)>;

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table{
        {"ZOOM", zoom},
        {"LINE", line},
        {"ERASE", erase},
        {"REGEN", [](Answers&) {}},
        {"REDRAW", [](Answers&) {}},
        {"UNDO", undo},
    };
    return table;
}

}  // namespace

int acedCmd(const resbuf* arguments) {
    registerEditorViewVars();
    if (!arguments) return RTNORM;  // cancel: no command in progress
    Answers in(arguments);
    while (!in.done()) {
        const resbuf* head = in.take();
        if (head->restype != RTSTR || !head->resval.rstring) return RTERROR;
        std::string name = head->resval.rstring;
        if (name.empty()) continue;  // Enter at the command prompt
        while (!name.empty() && (name[0] == '_' || name[0] == '.' || name[0] == '-' || name[0] == '+')) name.erase(0, 1);
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        auto found = commands().find(name);
        if (found == commands().end()) {
            acutPrintf("\nUnknown command \"%s\".  Press F1 for help.\n", name.c_str());
            continue;
        }
        acedEditor->fireCommandWillStart(name.c_str());
        found->second(in);
        acedEditor->fireCommandEnded(name.c_str());
    }
    return RTNORM;
}

int acedCommand(int rtype, ...) {
    va_list args;
    va_start(args, rtype);
    resbuf* head = nullptr;
    resbuf** link = &head;
    for (int type = rtype; type != 0 && type != RTNONE; type = va_arg(args, int)) {
        resbuf* node = acutNewRb(type);
        switch (lisp::resbufKind(type)) {
        case lisp::RbKind::Real: node->resval.rreal = va_arg(args, double); break;
        case lisp::RbKind::Point: {
            const double* point = va_arg(args, const double*);
            for (int i = 0; i < 3; ++i) node->resval.rpoint[i] = point ? point[i] : 0.0;
            break;
        }
        case lisp::RbKind::Short: node->resval.rint = static_cast<short>(va_arg(args, int)); break;
        case lisp::RbKind::Long: node->resval.rlong = va_arg(args, int32_t); break;
        case lisp::RbKind::String: {
            const char* text = va_arg(args, const char*);
            node->resval.rstring = strdup(text ? text : "");
            break;
        }
        case lisp::RbKind::Name: {
            const int64_t* name = va_arg(args, const int64_t*);
            node->resval.rlname[0] = name ? name[0] : 0;
            node->resval.rlname[1] = name ? name[1] : 0;
            break;
        }
        case lisp::RbKind::None: break;
        }
        *link = node;
        link = &node->rbnext;
    }
    va_end(args);
    int status = acedCmd(head);
    acutRelRb(head);
    return status;
}

