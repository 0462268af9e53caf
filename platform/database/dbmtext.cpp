// Multiline text: fields, wrapping and size, drawing, extents, explode.
#include "database/dbmtext.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "database/io/DwgMemoryFiler.h"
#include "database/dbtext.h"
#include "graphics/AcGiTextLayout.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeMText() { return new AcDbMText(); }
ACRX_HOST_CLASS_MEMBERS(AcDbMText, AcDbEntity, makeMText, "MTEXT")

// Contents (groups 3 and 1) and style (group 7, by name) are tagged by hand.
template <>
struct AcDbFieldList<AcDbMText> {
    static std::span<const AcDbField<AcDbMText>> fields() {
        static const std::array<AcDbField<AcDbMText>, 8> list{{
            {"location", 10, &AcDbMText::mLocation, AcGePoint3d::kOrigin},
            {"textHeight", 40, &AcDbMText::mTextHeight, 0.0},
            {"width", 41, &AcDbMText::mWidth, 0.0},
            {"attachment", 71, &AcDbMText::mAttachment, Adesk::Int16(AcDbMText::kTopLeft)},
            {"normal", 210, &AcDbMText::mNormal, AcGeVector3d::kZAxis},
            {"direction", 11, &AcDbMText::mDirection, AcGeVector3d::kXAxis},
            {"contents", -1, &AcDbMText::mContents, std::string()},
            {"style", -7, &AcDbMText::mStyle, AcDbObjectId()},
        }};
        return list;
    }
};

AcDbMText::AcDbMText() { AcDbFieldWalk::applyDefaults(*this, AcDbFieldList<AcDbMText>::fields()); }

Acad::ErrorStatus AcDbMText::setContents(const char* text) {
    if (!text) return Acad::eInvalidInput;
    assertWriteEnabled();
    mContents = text;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbMText::setLocation(const AcGePoint3d& p) { assertWriteEnabled(); mLocation = p; return Acad::eOk; }
Acad::ErrorStatus AcDbMText::setWidth(double w) {
    if (!(w >= 0.0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mWidth = w;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbMText::setTextHeight(double h) {
    if (!(h > 0.0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mTextHeight = h;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbMText::setTextStyle(AcDbObjectId s) { assertWriteEnabled(); mStyle = s; return Acad::eOk; }
Acad::ErrorStatus AcDbMText::setAttachment(AttachmentPoint a) {
    if (a < kTopLeft || a > kBottomRight) return Acad::eInvalidInput;
    assertWriteEnabled();
    mAttachment = static_cast<Adesk::Int16>(a);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbMText::setDirection(const AcGeVector3d& d) {
    if (d.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mDirection = d.normal();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbMText::setNormal(const AcGeVector3d& n) {
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}
double AcDbMText::rotation() const {
    assertReadEnabled();
    const AcGeVector3d local = AcGeMatrix3d::worldToPlane(mNormal) * mDirection;
    return std::atan2(local.y, local.x);
}
Acad::ErrorStatus AcDbMText::setRotation(double angle) {
    assertWriteEnabled();
    mDirection = AcGeMatrix3d::planeToWorld(mNormal) * AcGeVector3d(std::cos(angle), std::sin(angle), 0.0);
    return Acad::eOk;
}

// ---- layout ----

namespace {
// Greedy word wrap of one display line; a word wider than the width keeps a
// line of its own.
void wrapLine(const std::string& line, double width, double height, std::vector<std::string>& out) {
    if (width <= 0.0 || AcGiTextLayout::textWidth(line, height) <= width) {
        out.push_back(line);
        return;
    }
    std::string current;
    size_t pos = 0;
    while (pos <= line.size()) {
        size_t space = line.find(' ', pos);
        if (space == std::string::npos) space = line.size();
        const std::string word = line.substr(pos, space - pos);
        const std::string candidate = current.empty() ? word : current + " " + word;
        if (!current.empty() && AcGiTextLayout::textWidth(candidate, height) > width) {
            out.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
        pos = space + 1;
    }
    out.push_back(current);
}
} // namespace

std::vector<std::string> AcDbMText::wrappedLines() const {
    assertReadEnabled();
    std::vector<std::string> lines;
    for (const std::string& line : AcGiTextLayout::mtextLines(mContents)) wrapLine(line, mWidth, mTextHeight, lines);
    if (lines.empty()) lines.emplace_back();
    return lines;
}

double AcDbMText::actualWidth() const {
    double widest = 0.0;
    for (const std::string& line : wrappedLines()) widest = std::max(widest, AcGiTextLayout::textWidth(line, mTextHeight));
    return widest;
}

double AcDbMText::actualHeight() const {
    const size_t n = wrappedLines().size();
    return mTextHeight + mTextHeight * AcGiTextLayout::kLineSpacingRatio * static_cast<double>(n - 1);
}

// ---- drawing and editing ----

bool AcDbMText::subWorldDraw(AcGiWorldDraw* wd) {
    // Wrapped text is handed over already broken into lines.
    std::vector<std::string> lines = wrappedLines();
    std::string broken;
    const bool wrapped = mWidth > 0.0 && lines.size() != AcGiTextLayout::mtextLines(mContents).size();
    if (wrapped)
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i) broken += "\\P";
            for (char c : lines[i]) {
                if (c == '\\' || c == '{' || c == '}') broken += '\\';
                broken += c;
            }
        }
    AcGiMTextData data;
    data.location = mLocation;
    data.normal = mNormal;
    data.direction = mDirection;
    data.height = mTextHeight;
    data.width = mWidth;
    data.attachment = mAttachment;
    data.contents = wrapped ? std::string_view(broken) : std::string_view(mContents);
    wd->geometry().mtext(data);
    return true;
}

Acad::ErrorStatus AcDbMText::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.push_back(mLocation);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbMText::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (!indices.empty()) mLocation += offset;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbMText::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d&,
                                               const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                               AcDbIntArray&) const {
    if (mode == AcDb::kOsModeIns) snaps.push_back(mLocation);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::subTransformBy(const AcGeMatrix3d& xform) {
    const AcGeVector3d up = mNormal.crossProduct(mDirection);
    const AcGeVector3d dir = xform * mDirection;
    const AcGeVector3d newUp = xform * up;
    const AcGeVector3d n = dir.crossProduct(newUp);
    if (dir.isZeroLength() || n.isZeroLength()) return Acad::eNotApplicable;
    mLocation.transformBy(xform);
    mTextHeight *= newUp.length();
    mWidth *= dir.length();
    mDirection = dir.normal();
    mNormal = n.normal();
    return Acad::eOk;
}

namespace {
// Left and top of the text box relative to the location, in text axes.
void boxOrigin(int attachment, double w, double h, double& left, double& top) {
    const int column = (std::clamp(attachment, 1, 9) - 1) % 3;
    const int row = (std::clamp(attachment, 1, 9) - 1) / 3;
    left = column == 0 ? 0.0 : (column == 1 ? -w / 2 : -w);
    top = row == 0 ? 0.0 : (row == 1 ? h / 2 : h);
}
} // namespace

Acad::ErrorStatus AcDbMText::subGetGeomExtents(AcDbExtents& extents) const {
    const double w = mWidth > 0.0 ? std::max(mWidth, actualWidth()) : actualWidth();
    const double h = actualHeight();
    double left = 0.0, top = 0.0;
    boxOrigin(mAttachment, w, h, left, top);
    const AcGeVector3d up = mNormal.crossProduct(mDirection);
    extents = AcDbExtents();
    for (double x : {left, left + w})
        for (double y : {top, top - h}) extents.addPoint(mLocation + mDirection * x + up * y);
    return Acad::eOk;
}

// One single-line text per display line, aligned as the box's column says.
Acad::ErrorStatus AcDbMText::subExplode(AcDbVoidPtrArray& entitySet) const {
    const std::vector<std::string> lines = wrappedLines();
    const double w = mWidth > 0.0 ? mWidth : actualWidth();
    double left = 0.0, top = 0.0;
    boxOrigin(mAttachment, w, actualHeight(), left, top);
    const int column = (std::clamp<int>(mAttachment, 1, 9) - 1) % 3;
    const AcGeVector3d up = mNormal.crossProduct(mDirection);
    const double spacing = mTextHeight * AcGiTextLayout::kLineSpacingRatio;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const double lw = AcGiTextLayout::textWidth(lines[i], mTextHeight);
        const double x = column == 0 ? left : (column == 1 ? left + (w - lw) / 2 : left + w - lw);
        const double y = top - mTextHeight - spacing * static_cast<double>(i);
        auto* text = new AcDbText(mLocation + mDirection * x + up * y, lines[i].c_str(), mStyle, mTextHeight,
                                  rotation());
        text->setNormal(mNormal);
        text->setPropertiesFrom(this);
        entitySet.push_back(text);
    }
    return Acad::eOk;
}

void AcDbMText::subList() const {
    AcDbEntity::subList();
    acdbPrintf("                Location: X=%10.4f  Y=%10.4f  Z=%10.4f\n", mLocation.x, mLocation.y, mLocation.z);
    acdbPrintf("                   Width: %10.4f\n", mWidth);
    acdbPrintf("             Text height: %10.4f\n", mTextHeight);
    acdbPrintf("                Contents: %s\n", mContents.c_str());
}

// ---- filing ----

Acad::ErrorStatus AcDbMText::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbMText>::fields(), filer);
    if (es != Acad::eOk) return es;
    return filer->writeBool(mRotationFiled);
}
Acad::ErrorStatus AcDbMText::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbMText>::fields(), filer);
    if (es != Acad::eOk || !filerHasFormat(filer, 5)) return es;
    return filer->readBool(&mRotationFiled);
}

// Contents longer than 250 characters go out in group 3 pieces before the
// final group 1.
Acad::ErrorStatus AcDbMText::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    // A text whose file gave its direction as a rotation angle (50) gets
    // it back in that form.
    filer->writeString(100, "AcDbMText");
    for (const AcDbField<AcDbMText>& f : AcDbFieldList<AcDbMText>::fields()) {
        if (mRotationFiled && f.groupCode == 11) continue;
        es = AcDbFieldWalk::dxfOut(*this, std::span<const AcDbField<AcDbMText>>(&f, 1), filer);
        if (es != Acad::eOk) return es;
    }
    if (mRotationFiled) filer->writeDouble(50, rotation());
    constexpr size_t kPiece = 250;
    size_t pos = 0;
    while (mContents.size() - pos > kPiece) {
        filer->writeString(3, mContents.substr(pos, kPiece));
        pos += kPiece;
    }
    filer->writeString(1, mContents.substr(pos));
    const std::string style = AcDbEntityFiling::recordName(mStyle);
    filer->writeString(7, style.empty() ? std::string("Standard") : style);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbMText::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    std::string pieces, last;
    bool rotationGiven = false;
    double angle = 0.0;
    es = AcDbEntityFiling::dxfInWithMarker(*this, "AcDbMText", filer, [&](const resbuf& rb) {
        const char* text = rb.resval.rstring ? rb.resval.rstring : "";
        if (rb.restype == 3) pieces += text;
        else if (rb.restype == 1) last = text;
        else if (rb.restype == 7) mStyle = AcDbEntityFiling::textStyleByName(filer, text);
        else if (rb.restype == 50) {
            rotationGiven = true;
            angle = rb.resval.rreal;
        }
    });
    mContents = pieces + last;
    // An assigned string keeps up to twice the room it needs, for the life of
    // the text.
    mContents.shrink_to_fit();
    if (rotationGiven) setRotation(angle);
    mRotationFiled = rotationGiven;
    if (mDirection.isZeroLength()) mDirection = AcGeVector3d::kXAxis;
    if (mStyle.isNull()) mStyle = AcDbEntityFiling::textStyleByName(filer, nullptr);
    return es;
}
