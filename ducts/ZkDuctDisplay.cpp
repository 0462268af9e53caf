// ZkDuct display: one routine draws the duct for the world and for a
// viewport (each primitive goes to the context present): a riser symbol for a
// duct vertical in plan, otherwise the run with its lock markers (world
// only), flow arrows, hangers, size text and continuation labels.
#include <algorithm>
#include <cmath>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbmtext.h"
#include "ducts/DuctPlanGeometry.h"
#include "ducts/ZkDuct.h"
#include "graphics/AcGiWorldDraw.h"
#include "integration/DrawingHelpers.h"

using namespace duct_geometry;

namespace {

constexpr double kTextHeightFactor = 0.8;
constexpr int kMaxLockMarks = 20;
// Flow arrows: wing length and the distance between arrows, in symbol sizes.
constexpr double kArrowWing = 1.0;
constexpr double kArrowSpacing = 20.0;
// Bounds that keep absurd sizes (a huge run, a huge drawing scale) from
// drawing without end.
constexpr size_t kMaxArrows = 200;
constexpr int kMaxRiserRings = 100;

// The drawing scale factor of the duct's own drawing, else of the working one.
double scaleFactorOf(const ZkDuct& duct) {
    AcDbDatabase* db = duct.database();
    if (db && db->dimscale() > 0.0) return db->dimscale();
    return drawingScaleFactor();
}

// Angle in [0, 2pi).
double normalisedAngle(double angle) {
    const double full = 2.0 * kPi;
    angle = std::fmod(angle, full);
    return angle < 0.0 ? angle + full : angle;
}

} // namespace

// Draws into the world context or into a viewport context.
class ZkDuctDisplay {
public:
    // For the world drawing.
    ZkDuctDisplay(const ZkDuct& duct, AcGiWorldDraw& wd)
        : mDuct(duct), mWorld(&wd), mGeometry(wd.geometry()), mTraits(wd.subEntityTraits()) {}
    // For a viewport drawing.
    ZkDuctDisplay(const ZkDuct& duct, AcGiViewportDraw& vd)
        : mDuct(duct), mWorld(nullptr), mGeometry(vd.geometry()), mTraits(vd.subEntityTraits()) {}

    void draw() {
        mTraits.setSelectionMarker(0);
        mSymbol = scaleFactorOf(mDuct) * 0.05;
        mTextOffset = mDuct.mSizeFor == "V" ? 0.4 : 0.25;
        mNormal = currentUcsNormal();
        if (!mDuct.mSecondDisplayFlag) return;
        if (planDistance(mDuct.mStart, mDuct.mEnd) < kRiserTolerance) drawRiser();
        else drawRun();
    }

private:
    bool hasSizeText() const { return mDuct.mSizeFor != "X"; }

    void line(const AcGePoint3d& a, const AcGePoint3d& b) {
        AcGePoint3d points[2] = {a, b};
        mGeometry.polyline(2, points);
    }

    // A circle as the closed twelve-sided figure of 13 points.
    void circleFigure(const AcGePoint3d& centre, double radius) {
        AcGePoint3d points[13];
        for (int k = 0; k <= 12; ++k) points[k] = polar(centre, k * kPi / 6.0, radius);
        mGeometry.polyline(13, points);
    }

    void text(const AcGePoint3d& position, double angle, const std::string& content) {
        const AcGeVector3d direction(std::cos(angle), std::sin(angle), 0.0);
        mGeometry.text(position, mNormal, direction, kTextHeightFactor * mSymbol, 1.0, 0.0, content.c_str());
    }

    void drawRiser() {
        const AcGePoint3d& s = mDuct.mStart;
        const double r = scaleFactorOf(mDuct) / 8.0;
        if (!hasSizeText()) mSymbol = 0.01;
        circleFigure(s, r);
        circleFigure(mDuct.mEnd, r);
        const bool goesUp = mDuct.mEnd.z > s.z;
        if (goesUp != mDuct.mReverseArrows) {
            if (hasSizeText()) {
                circleFigure(s, mSymbol);
            } else {
                double radius = r / 3.0;
                for (int ring = 0; radius > 0.0 && ring < kMaxRiserRings; ++ring, radius -= 1.0)
                    circleFigure(s, radius);
            }
        } else {
            for (double angle : {kPi / 4.0, 5.0 * kPi / 4.0, 3.0 * kPi / 4.0, 7.0 * kPi / 4.0})
                line(polar(s, angle, r), polar(s, angle, 0.75 * mSymbol));
        }
        if (hasSizeText()) {
            const AcGePoint3d at(s.x + r + mSymbol / 2.0, s.y - mSymbol / 2.0, s.z);
            text(at, 0.0, mDuct.mSizeFor);
        }
    }

    void drawRun() {
        const AcGePoint3d& s = mDuct.mStart;
        const AcGePoint3d& e = mDuct.mEnd;
        mAngle = planAngle(s, e);
        mLength = planDistance(s, e);
        line(s, e);
        if (mWorld && (mDuct.mLockWidth || mDuct.mLockDepth || mDuct.mLockShape)) drawLockMarkers();
        drawFlowArrows(hasSizeText() ? 2.0 * mSymbol : mSymbol);
        drawHangers();
        if (hasSizeText()) {
            const AcGePoint3d textPoint = polar(s, mAngle, mSymbol);
            circleFigure(textPoint, mSymbol);
            const AcGePoint3d at(textPoint.x - mTextOffset * mSymbol, textPoint.y - mSymbol / 2.0, textPoint.z);
            text(at, 0.0, mDuct.mSizeFor);
        }
        drawContinuationLabel();
    }

    // The locked properties as a multiline text beside the middle of the run,
    // and marks along the run: one per symbol size, 1 to 20.
    void drawLockMarkers() {
        std::string contents;
        if (mDuct.mLockWidth) contents += "\\PW";
        if (mDuct.mLockDepth) contents += "\\PD";
        if (mDuct.mLockShape) contents += "\\PS";
        const double a = normalisedAngle(mAngle);
        const bool readsBackwards = a > kPi / 2.0 + kPi / 1000.0 && a < 3.0 * kPi / 2.0 + kPi / 1000.0;
        const double textAngle = readsBackwards ? mAngle + kPi : mAngle;
        const AcGePoint3d middle = polar(mDuct.mStart, mAngle, mLength / 2.0);

        AcDbMText marker;
        marker.setContents(contents.c_str());
        if (mDuct.layerId().isValid()) marker.setLayer(mDuct.layerId());
        if (!mDuct.linetypeId().isNull()) marker.setLinetype(mDuct.linetypeId());
        marker.setColorIndex(256);
        marker.setAttachment(AcDbMText::kMiddleCenter);
        marker.setTextHeight(mSymbol / 2.0);
        marker.setDirection(AcGeVector3d(std::cos(textAngle), std::sin(textAngle), 0.0));
        marker.setLocation(polar(middle, mAngle + kPi / 2.0, mSymbol));
        mWorld->geometry().draw(&marker);

        const double fit = mLength / mSymbol;
        const int marks = fit >= kMaxLockMarks ? kMaxLockMarks : (fit >= 1.0 ? static_cast<int>(fit) : 1);
        const double share = mLength / marks;
        for (int k = 0; k < marks; ++k) {
            const AcGePoint3d from = polar(mDuct.mStart, mAngle, share * (k + 0.25));
            const AcGePoint3d to = polar(mDuct.mStart, mAngle, share * (k + 0.75));
            const double side = mAngle - kPi / 2.0;
            line(polar(from, side, mSymbol / 2.0), polar(to, side, mSymbol / 2.0));
        }
    }

    // Arrowheads along the run from the first symbol's base, pointing with
    // the flow (towards the start when the arrows are reversed). A run too
    // short for the first position still shows one arrow, at its middle.
    void drawFlowArrows(double firstBase) {
        const double wing = kArrowWing * mSymbol;
        std::vector<double> bases;
        for (double base = firstBase; base + wing <= mLength - mSymbol && bases.size() < kMaxArrows;
             base += kArrowSpacing * mSymbol)
            bases.push_back(base);
        if (bases.empty()) bases.push_back(std::max(0.0, (mLength - wing) / 2.0));
        const double heading = mDuct.mReverseArrows ? mAngle + kPi : mAngle;
        for (double base : bases) {
            const AcGePoint3d tip = polar(mDuct.mStart, mAngle, mDuct.mReverseArrows ? base : base + wing);
            line(tip, polar(tip, heading + kPi - kPi / 4.0, wing));
            line(tip, polar(tip, heading + kPi + kPi / 4.0, wing));
        }
    }

    // A hanger is a short line across the run; a negative distance marks a
    // crossed hanger (two slanted lines). Distances at or past the end are
    // skipped.
    void drawHangers() {
        const double r = scaleFactorOf(mDuct) / 8.0;
        for (double distance : mDuct.mHangerDistances) {
            const bool crossed = distance < 0.0;
            const double d = std::fabs(distance);
            if (d >= mLength) continue;
            const AcGePoint3d h = polar(mDuct.mStart, mAngle, d);
            const AcGePoint3d p1 = polar(h, mAngle + kPi / 2.0, 0.25 * r);
            const AcGePoint3d p2 = polar(h, mAngle - kPi / 2.0, 0.25 * r);
            if (!crossed) {
                line(p1, p2);
                continue;
            }
            line(polar(p1, mAngle, 0.025 * r), polar(p2, mAngle, -0.025 * r));
            line(polar(p1, mAngle, -0.025 * r), polar(p2, mAngle, 0.025 * r));
        }
    }

    // "To <drawing> (<key>)" at the start when the start lies in the other
    // drawing, else "From <drawing> (<key>)" at the end when the end does.
    void drawContinuationLabel() {
        std::string label;
        AcGePoint3d anchor;
        if (mDuct.mStartsInOtherDrawing) {
            label = "To ";
            anchor = polar(mDuct.mStart, mAngle + kPi, 2.0 * mSymbol);
        } else if (mDuct.mEndsInOtherDrawing) {
            label = "From ";
            anchor = polar(mDuct.mEnd, mAngle, 2.0 * mSymbol);
        } else {
            return;
        }
        label += mDuct.mDrawingName + " (" + std::to_string(mDuct.mDuctKey) + ")";
        text(polar(anchor, mAngle - kPi / 2.0, mSymbol / 2.0), 0.0, label);
    }

    const ZkDuct& mDuct;
    AcGiWorldDraw* mWorld;
    AcGiGeometry& mGeometry;
    AcGiSubEntityTraits& mTraits;
    AcGeVector3d mNormal;
    double mSymbol = 0.0;      // s
    double mTextOffset = 0.0;  // t
    double mAngle = 0.0;       // plan angle of the run
    double mLength = 0.0;      // plan length of the run
};

// Hide, shade and render regenerations ask for the viewport drawing.
bool ZkDuct::subWorldDraw(AcGiWorldDraw* wd) {
    assertReadEnabled();
    if (wd->regenAbort()) return false;
    const AcGiRegenType type = wd->regenType();
    if (type == kAcGiHideOrShadeCommand || type == kAcGiRenderCommand) return false;
    ZkDuctDisplay(*this, *wd).draw();
    return true;
}

void ZkDuct::subViewportDraw(AcGiViewportDraw* vd) {
    assertReadEnabled();
    if (vd->regenAbort()) return;
    ZkDuctDisplay(*this, *vd).draw();
}

void ZkDuct::saveAs(AcGiWorldDraw* wd, AcDb::SaveType) {
    assertReadEnabled();
    AcGePoint3d line[2] = {mStart, mEnd};
    wd->geometry().polyline(2, line);
}
