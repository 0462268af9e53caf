// The product's AutoLISP functions the duct code asks about neighbours and
// coordinates. A failing or nil answer means "none" (key 0, no point).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "geometry/AcGePoint3d.h"

// ("convert_rp_dp" (x y z) unit): project to drawing coordinates.
std::optional<AcGePoint3d> convertProjectToDrawing(const AcGePoint3d& point, int32_t unit);
// ("convert_ra_da" angle unit): the converted angle, 0 when there is none.
double convertProjectAngle(double angle, int32_t unit);
// ("getPrevDuct" key nil): the upstream duct's key, 0 for none.
int32_t previousDuctKey(int32_t key);
// ("getNextDuctsTransparent" key nil T|nil): up to three downstream keys,
// answered as a point-like triple of reals or a list of three integers; 0
// where there is none.
std::array<int32_t, 3> nextDuctKeys(int32_t key, bool transparent = true);
// The same, but nothing when the call itself fails (a nil answer is three
// zeros: no next duct).
std::optional<std::array<int32_t, 3>> answeredNextDuctKeys(int32_t key, bool transparent);
struct resbuf;
// The keys of a next-ducts answer in either shape; zeros for anything else.
std::array<int32_t, 3> readNextDuctKeys(const resbuf* answer);
// ("duct-getIxDiffL" key): the diffuser fed by the duct, 0 for none.
int32_t ductDiffuserKey(int32_t key);
