// Fitting builders: each reads the rows involved widened by their lining,
// computes frames and centre points, asks the solid library for the pieces,
// appends them and records the lengths taken from the ducts as their
// HEADLENGTH3D and TAILLENGTH3D.
#include "ducts/DuctSolidBuilders.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "ads/ads.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/DuctSolidRows.h"
#include "ducts/FittingRules.h"

namespace {

// A solid of the library that deletes itself unless appended.
struct NewSolid {
    std::unique_ptr<zk_hvacSolid> solid{zk_hvacSolid::create()};
    explicit operator bool() const { return static_cast<bool>(solid); }
    zk_hvacSolid* operator->() const { return solid.get(); }
    bool append(AcDbObjectId& id) { return appendSolid(solid.release(), id); }
};

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

// Whether a square elbow's parameter (the "TURNING VANES" setting or the
// duct's own FIT1) asks for vanes: yes or true in any case, or a number
// other than 0.
bool asksForVanes(const std::string& parameter) {
    std::string text;
    for (char c : parameter)
        if (c != ' ') text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (text == "YES" || text == "Y" || text == "TRUE") return true;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == 0 && value != 0 && std::isfinite(value);
}

// A transition solid from `from` (leg family and sizes) to `length` along
// the next duct from there (the next duct's own sizes), with the next
// duct's frame at both ends; `from` becomes its end.
bool transitionAfter(AcGePoint3d& from, bool rectLeg, double wLeg, double dLeg, const DuctEnds& next,
                     int passThrough, AcDbObjectId& id) {
    const double length = defaultTransitionLength(wLeg, dLeg, rectLeg, next.width, next.depth, next.rect);
    if (!(length > 0)) return true;
    AcGePoint3d to = from + next.frame.direction * length;
    NewSolid piece;
    if (!piece) return false;
    const zkSolidFrame frame = solidFrame(next.frame);
    if (!piece->addTransition(from, rectLeg, wLeg, dLeg, to, next.rect, next.width, next.depth, frame, frame,
                              passThrough))
        return false;
    if (!piece.append(id)) return false;
    from = to;
    return true;
}

} // namespace

bool buildTransition(DuctDbRecord& db, int32_t key, const std::string& parameter, bool convert, int passThrough,
                     DuctSolids& out) {
    std::optional<DuctEnds> mine = ductEnds(db, key, convert);
    std::optional<std::array<int32_t, 3>> next = nextDucts(key, false);
    if (!mine || !next || (*next)[1] != 0) return false;
    std::optional<DuctEnds> theirs = ductEnds(db, (*next)[0], convert);
    if (!theirs) return false;
    double length = std::atof(parameter.c_str());
    if (length == 0)
        length = defaultTransitionLength(mine->width, mine->depth, mine->rect, theirs->width, theirs->depth,
                                         theirs->rect);
    setHeadLength3d(db, key, 0);
    if (!(length > 0)) {
        setTailLength3d(db, (*next)[0], 0);
        return true;
    }
    NewSolid solid;
    if (!solid) return false;
    const AcGePoint3d to = theirs->start + theirs->frame.direction * length;
    if (!solid->addTransition(mine->end, mine->rect, mine->width, mine->depth, to, theirs->rect, theirs->width,
                              theirs->depth, solidFrame(mine->frame), solidFrame(theirs->frame), passThrough) ||
        !solid.append(out.solid))
        return false;
    setTailLength3d(db, (*next)[0], length);
    return true;
}

bool buildElbow(DuctDbRecord& db, int32_t key, bool square, const std::string& parameter, bool convert,
                int passThrough, DuctSolids& out) {
    double ratio = std::atof(parameter.c_str());
    if (ratio > 0 && ratio <= 0.5) ratio = 0.501;
    std::optional<DuctEnds> mine = ductEnds(db, key, convert);
    std::optional<std::array<int32_t, 3>> next = nextDucts(key, true);
    if (!mine || !next || (*next)[1] != 0 || (*next)[2] != 0) return false;
    std::optional<DuctEnds> theirs = ductEnds(db, (*next)[0], convert);
    if (!theirs) return false;
    AcGePoint3d a = mine->start, b = theirs->end;
    const double w = mine->width, d = mine->depth;
    double wn = theirs->width, dn = theirs->depth;
    const zkSolidFrame frameA = solidFrame(mine->frame), frameB = solidFrame(theirs->frame);
    bool needsTransition = false;
    NewSolid elbow;
    if (!elbow) return false;
    if (!square) {
        if (!(w == wn && d == dn && mine->rect == theirs->rect)) {
            needsTransition = true;
            wn = w;
            dn = d;
        }
        if (ratio == 0) ratio = 1.5;
        if (!elbow->addRadiusElbow(a, w, d, mine->row.LINING, mine->row.dExteriorLining, b, wn, dn, frameA, frameB,
                                   mine->rect, ratio, true, passThrough, true))
            return false;
    } else {
        zkSolidWorkPoints work1, work2, work3;
        const double attempts[4][2] = {{wn, dn}, {w, dn}, {wn, d}, {w, d}};
        int chosen = -1;
        for (int i = 0; i < 4 && chosen < 0; ++i) {
            AcGePoint3d tryA = a, tryB = b;
            if (elbow->addSquareElbowPrep(tryA, w, d, tryB, attempts[i][0], attempts[i][1], frameA, frameB,
                                          mine->rect, work1, work2, work3, true, 3.0)) {
                chosen = i;
                a = tryA;
                b = tryB;
            }
        }
        if (chosen < 0) return false;
        needsTransition = chosen > 0;
        wn = attempts[chosen][0];
        dn = attempts[chosen][1];
        // The square elbow's integer says whether it has turning vanes.
        const int flags = asksForVanes(parameter) ? zk_hvacSolid::kTurningVanes : 0;
        if (!elbow->addSquareElbow(a, w, d, b, wn, dn, frameA, frameB, mine->rect, work1, work2, work3, flags))
            return false;
    }
    if (!elbow.append(out.solid)) return false;
    if (needsTransition && !transitionAfter(b, mine->rect, wn, dn, *theirs, passThrough, out.transition1))
        return false;
    setHeadLength3d(db, key, (mine->end - a).dotProduct(mine->frame.direction));
    setTailLength3d(db, (*next)[0], (b - theirs->start).dotProduct(theirs->frame.direction));
    return true;
}

bool buildWye(DuctDbRecord& db, int32_t key, bool convert, int passThrough, DuctSolids& out) {
    std::optional<DuctEnds> trunk = ductEnds(db, key, convert);
    std::optional<std::array<int32_t, 3>> next = nextDucts(key, true);
    if (!trunk || !next || (*next)[2] != 0) return false;
    std::optional<DuctEnds> legs[2] = {ductEnds(db, (*next)[0], convert), ductEnds(db, (*next)[1], convert)};
    if (!legs[0] || !legs[1]) return false;
    AcGePoint3d a0 = trunk->start, b[2] = {legs[0]->end, legs[1]->end};
    const double w0 = trunk->width, d0 = trunk->depth;
    double w[2], d[2];
    bool needsTransition[2];
    for (int i = 0; i < 2; ++i) {
        const DuctEnds& leg = *legs[i];
        if ((leg.width == w0 || leg.depth == d0) && leg.rect == trunk->rect) {
            w[i] = leg.width;
            d[i] = d0;
            needsTransition[i] = leg.depth != d0;
        } else {
            w[i] = w0;
            d[i] = d0;
            needsTransition[i] = true;
        }
    }
    const zkSolidFrame f0 = solidFrame(trunk->frame), f1 = solidFrame(legs[0]->frame), f2 = solidFrame(legs[1]->frame);
    std::vector<AcGePoint3d> work;
    NewSolid wye;
    if (!wye) return false;
    if (!wye->addWyePrep(a0, w0, d0, b[0], w[0], d[0], b[1], w[1], d[1], f0, f1, f2, trunk->rect, work, true, 3.0) ||
        !wye->addWye(a0, w0, d0, b[0], w[0], d[0], b[1], w[1], d[1], trunk->end, f0, f1, f2, trunk->rect, work,
                     passThrough) ||
        !wye.append(out.solid))
        return false;
    AcDbObjectId* transitions[2] = {&out.transition1, &out.transition2};
    for (int i = 0; i < 2; ++i)
        if (needsTransition[i] &&
            !transitionAfter(b[i], trunk->rect, w[i], d[i], *legs[i], passThrough, *transitions[i]))
            return false;
    setHeadLength3d(db, key, trunk->end.distanceTo(a0));
    for (int i = 0; i < 2; ++i) setTailLength3d(db, (*next)[i], legs[i]->start.distanceTo(b[i]));
    return true;
}

bool buildOffset(DuctDbRecord& db, int32_t key, bool convert, int passThrough, DuctSolids& out) {
    std::optional<DuctEnds> mine = ductEnds(db, key, convert);
    std::optional<std::array<int32_t, 3>> next = nextDucts(key, true);
    if (!mine || !next || (*next)[0] == 0) return false;
    std::optional<std::array<int32_t, 3>> beyond = nextDucts((*next)[0], true);
    if (!beyond) return false;
    std::optional<DuctEnds> far = ductEnds(db, (*beyond)[0], convert);
    if (!far) return false;
    NewSolid solid;
    if (!solid ||
        !solid->addTransition(mine->end, mine->rect, mine->width, mine->depth, far->start, far->rect, far->width,
                              far->depth, solidFrame(mine->frame), solidFrame(far->frame), passThrough) ||
        !solid.append(out.solid))
        return false;
    setHeadLength3d(db, key, 0);
    setTailLength3d(db, (*beyond)[0], 0);
    return true;
}

bool buildDuctSolid(DuctDbRecord& db, int32_t key, bool convert, int passThrough, DuctSolids& out) {
    std::optional<DuctEnds> duct = ductEnds(db, key, convert);
    if (!duct || duct->row.DOUBLE_LINE == "n") return false;
    // The duct runs between what the fittings at its two ends took.
    const AcGePoint3d from = duct->start + duct->frame.direction * duct->row.TAILLENGTH3D;
    const AcGePoint3d to = duct->end - duct->frame.direction * duct->row.HEADLENGTH3D;
    if ((to - from).dotProduct(duct->frame.direction) <= 0) return false;
    NewSolid solid;
    if (!solid) return false;
    if (trimmed(duct->row.MATERIAL) == "FX") {
        if (!solid->addFlex({from, from + (to - from) / 2, to}, duct->width / 2, duct->frame.direction,
                            duct->frame.direction, passThrough))
            return false;
    } else {
        const zkSolidFrame frame = solidFrame(duct->frame);
        if (!solid->addTransition(from, duct->rect, duct->width, duct->depth, to, duct->rect, duct->width,
                                  duct->depth, frame, frame, passThrough))
            return false;
    }
    return solid.append(out.solid);
}

bool buildFittingSolid(DuctDbRecord& db, int32_t key, bool convert, int passThrough, const std::string& kindOverride,
                       DuctSolids& out) {
    setHeadLength3d(db, key, 0);
    std::optional<ZkDuctDbInfo> row = widenedRow(db, key);
    if (!row) return false;
    if (row->DOUBLE_LINE == "n") {
        if (std::optional<std::array<int32_t, 3>> next = nextDucts(key, true))
            for (int32_t nextKey : *next) setTailLength3d(db, nextKey, 0);
        return false;
    }
    std::string kind = kindOverride, parameter;
    if (kind.empty()) {
        kind = trimmed(row->FITTING);
        parameter = trimmed(row->FIT1);
        if (kind.empty() && !AutoFit(db, *row, kind, parameter)) return false;
    }
    if (kind == "DCONN" || kind == "PDIF_CON") return buildDiffuserConnection(db, key, convert, passThrough, out);
    if (trimmed(row->MATERIAL) == "FX") {
        // A flexible duct bends on its own: its solid (drawTripleCenter)
        // runs the whole length, so the joint takes nothing from either duct.
        if (std::optional<std::array<int32_t, 3>> next = nextDucts(key, true))
            for (int32_t nextKey : *next) setTailLength3d(db, nextKey, 0);
        return true;
    }
    if (kind == "SQUARE ELBOW" || kind == "RADIUS ELBOW")
        return buildElbow(db, key, kind == "SQUARE ELBOW", parameter, convert, passThrough, out);
    if (kind == "strt_branch" || kind == "asym_branch" || kind == "conical_branch" || kind == "TRANS TEE" ||
        kind == "ANYANGLE") {
        // A branch takes off like a wye when there are two next ducts, and
        // is a straight transition to the only one otherwise.
        std::optional<std::array<int32_t, 3>> next = nextDucts(key, true);
        if (!next) return false;
        return (*next)[1] != 0 ? buildWye(db, key, convert, passThrough, out)
                               : buildTransition(db, key, "", convert, passThrough, out);
    }
    if (kind == "TRANSITION") return buildTransition(db, key, parameter, convert, passThrough, out);
    if (kind == "OFFSET") return buildOffset(db, key, convert, passThrough, out);
    if (kind == "PAIR OF PANTS") {
        out.answer = kind;
        return true;
    }
    if (kind == "SPLIT FITTING") {
        acutPrintf("\nSplit fitting not currently supported in 3D.\nPlease draw it manually with a wyes, takeoffs, "
                   "and elbows.\n");
        return buildWye(db, key, convert, passThrough, out);
    }
    if (kind == "SPLIT FITTINGX" || kind == "FIRE DAMPER" || kind == "FLEX CONNECTION" || kind == "WYE")
        return buildWye(db, key, convert, passThrough, out);
    if (kind == "NONE") {
        // No fitting: the ducts meet end to end and keep their full length.
        if (std::optional<std::array<int32_t, 3>> next = nextDucts(key, true))
            for (int32_t nextKey : *next) setTailLength3d(db, nextKey, 0);
        return true;
    }
    return false; // "END" and unknown kinds build nothing
}
