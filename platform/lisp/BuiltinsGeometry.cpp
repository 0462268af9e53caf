// Point geometry built-ins: angle distance polar inters trans.
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"

#include <cmath>

namespace lisp {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

struct Point {
    double c[3] = {0, 0, 0};
    int dims = 0;
};

// A list of two or three numbers.
Point pointArg(const Ref& value) {
    Point p;
    for (const Value* cell = value.get(); cell; cell = cell->cdr.get()) {
        if (cell->type != Type::Cons || !isNumber(cell->car) || p.dims == 3) badArgument("2D/3D point", value);
        p.c[p.dims++] = numberValue(cell->car);
    }
    if (p.dims < 2) badArgument("2D/3D point", value);
    return p;
}

Ref pointValue(const double c[3], int dims) {
    std::vector<Ref> items;
    for (int i = 0; i < dims; ++i) items.push_back(makeReal(c[i]));
    return makeList(items);
}

Ref angle(Args a) {
    Point p = pointArg(a[0]), q = pointArg(a[1]);
    double value = std::atan2(q.c[1] - p.c[1], q.c[0] - p.c[0]);
    return makeReal(value < 0 ? value + kTwoPi : value);
}

// A 2D point on either side makes the distance planar.
Ref distance(Args a) {
    Point p = pointArg(a[0]), q = pointArg(a[1]);
    double dz = p.dims == 3 && q.dims == 3 ? q.c[2] - p.c[2] : 0.0;
    return makeReal(std::sqrt(std::pow(q.c[0] - p.c[0], 2) + std::pow(q.c[1] - p.c[1], 2) + dz * dz));
}

Ref polar(Args a) {
    Point p = pointArg(a[0]);
    double direction = numberArg(a[1]), length = numberArg(a[2]);
    p.c[0] += length * std::cos(direction);
    p.c[1] += length * std::sin(direction);
    return pointValue(p.c, p.dims);
}

// Intersection of lines p1-p2 and p3-p4 in the XY plane (with Z taken along
// the first line when all points are 3D and the lines meet in space).
Ref inters(Args a) {
    Point p[4];
    int dims = 3;
    for (int i = 0; i < 4; ++i) {
        p[i] = pointArg(a[i]);
        if (p[i].dims == 2) dims = 2;
    }
    bool onSegments = a.size() < 5 || a[4];
    double d1[3], d2[3], w[3];
    for (int k = 0; k < 3; ++k) {
        d1[k] = p[1].c[k] - p[0].c[k];
        d2[k] = p[3].c[k] - p[2].c[k];
        w[k] = p[2].c[k] - p[0].c[k];
    }
    double denominator = d1[0] * d2[1] - d1[1] * d2[0];
    if (std::fabs(denominator) < 1e-12) return nullptr;
    double t = (w[0] * d2[1] - w[1] * d2[0]) / denominator;
    double u = (w[0] * d1[1] - w[1] * d1[0]) / denominator;
    constexpr double eps = 1e-10;
    if (onSegments && (t < -eps || t > 1 + eps || u < -eps || u > 1 + eps)) return nullptr;
    double result[3] = {p[0].c[0] + t * d1[0], p[0].c[1] + t * d1[1], p[0].c[2] + t * d1[2]};
    if (dims == 3 && std::fabs(result[2] - (p[2].c[2] + u * d2[2])) > 1e-8) return nullptr;
    return pointValue(result, dims);
}

// Coordinate system codes 0 (world), 1 (user), 2 (display), 3 (paper), an
// entity name or an extrusion vector. There is one coordinate system here
// (the user and display systems are the world), so points come back as given.
void systemArg(const Ref& value) {
    if (isType(value, Type::Int)) {
        if (value->u.i < 0 || value->u.i > 3) raiseError("bad argument value: coordinate system " + std::to_string(value->u.i));
        return;
    }
    if (isType(value, Type::Ename)) return;
    if (pointArg(value).dims != 3) badArgument("3D point", value);
}

Ref trans(Args a) {
    Point p = pointArg(a[0]);
    systemArg(a[1]);
    systemArg(a[2]);
    return pointValue(p.c, 3);
}

}  // namespace

void registerGeometryBuiltins() {
    defineSubr("angle", angle, 2, 2);
    defineSubr("distance", distance, 2, 2);
    defineSubr("polar", polar, 3, 3);
    defineSubr("inters", inters, 4, 5);
    defineSubr("trans", trans, 3, 4);
}

}  // namespace lisp
