// Recording of drawn primitives and their one-line descriptions.
#include "graphics/AcGiRecordingContext.h"

#include <cstdio>

namespace {
std::string number(double v) {
    if (v == 0.0) v = 0.0;  // no "-0"
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

std::string point(const AcGePoint3d& p) {
    return "(" + number(p.x) + "," + number(p.y) + "," + number(p.z) + ")";
}

std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}
}  // namespace

std::string AcGiRecord::describe() const {
    std::string out = kind;
    if (kind == "polyline" || kind == "polygon") {
        for (const auto& p : points) out += " " + point(p);
    } else if (kind == "circle") {
        out += " " + point(position) + " " + number(radius);
    } else if (kind == "arc") {
        out += " " + point(position) + " " + number(radius) + " " + number(direction.convert2d().angle()) + " " +
               number(sweep);
    } else if (kind == "text") {
        out += " " + point(position) + " " + number(height) + " " + quoted(text);
    } else if (kind == "mtext") {
        out += " " + point(position) + " " + quoted(text);
    } else if (kind == "insert") {
        out += " " + quoted(text) + " " + point(position) + " " + number(rotation) + " (" + number(scale.sx) + "," +
               number(scale.sy) + "," + number(scale.sz) + ")";
    }
    return out;
}

AcGiRecordingContext::AcGiRecordingContext(bool keepInserts) : mContext(*this), mKeepInserts(keepInserts) {}

AcGiRecord& AcGiRecordingContext::add(const char* kind, const AcGiPrimitiveTraits& traits) {
    AcGiRecord& r = mRecords.emplace_back();
    r.kind = kind;
    r.traits = traits;
    return r;
}

void AcGiRecordingContext::polyline(const AcGePoint3d* points, std::size_t count, bool closed,
                                    const AcGiPrimitiveTraits& traits) {
    add(closed ? "polygon" : "polyline", traits).points.assign(points, points + count);
}

void AcGiRecordingContext::circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                                  const AcGiPrimitiveTraits& traits) {
    AcGiRecord& r = add("circle", traits);
    r.position = center;
    r.radius = radius;
    r.normal = normal;
}

void AcGiRecordingContext::arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                               const AcGeVector3d& startVector, double sweep, const AcGiPrimitiveTraits& traits) {
    AcGiRecord& r = add("arc", traits);
    r.position = center;
    r.radius = radius;
    r.normal = normal;
    r.direction = startVector;
    r.sweep = sweep;
}

void AcGiRecordingContext::text(const AcGiCanvasText& text, const AcGiPrimitiveTraits& traits) {
    AcGiRecord& r = add("text", traits);
    r.position = text.position;
    r.normal = text.normal;
    r.direction = text.direction;
    r.height = text.height;
    r.width = text.widthFactor;
    r.rotation = text.direction.convert2d().angle();
    r.text = std::string(text.string);
}

void AcGiRecordingContext::mtext(const AcGiMTextData& mtext, const AcGiPrimitiveTraits& traits) {
    AcGiRecord& r = add("mtext", traits);
    r.position = mtext.location;
    r.normal = mtext.normal;
    r.direction = mtext.direction;
    r.height = mtext.height;
    r.width = mtext.width;
    r.rotation = mtext.direction.convert2d().angle();
    r.attachment = mtext.attachment;
    r.text = std::string(mtext.contents);
}

void AcGiRecordingContext::insert(const AcGiBlockInsertData& insert, const AcGiPrimitiveTraits& traits) {
    AcGiRecord& r = add("insert", traits);
    r.position = insert.position;
    r.normal = insert.normal;
    r.rotation = insert.rotation;
    r.scale = insert.scale;
    r.text = std::string(insert.blockName);
    r.blockId = insert.blockId;
}

std::vector<const AcGiRecord*> AcGiRecordingContext::recordsOfKind(std::string_view kind) const {
    std::vector<const AcGiRecord*> out;
    for (const auto& r : mRecords)
        if (r.kind == kind) out.push_back(&r);
    return out;
}

std::size_t AcGiRecordingContext::count(std::string_view kind) const {
    std::size_t n = 0;
    for (const auto& r : mRecords)
        if (r.kind == kind) ++n;
    return n;
}

std::string AcGiRecordingContext::describe() const {
    std::string out;
    for (const auto& r : mRecords) out += r.describe() + "\n";
    return out;
}
