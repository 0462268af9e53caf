// The solid class registered from the library's static form, frames and a
// few ready-made solids for the solid library's tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "solid/HvacSolid.h"

inline zkSolidFrame alongX() { return {AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0), AcGeVector3d(0, 0, 1)}; }
inline zkSolidFrame alongY() { return {AcGeVector3d(0, 1, 0), AcGeVector3d(-1, 0, 0), AcGeVector3d(0, 0, 1)}; }

class SolidFixture : public ::testing::Test {
protected:
    void SetUp() override { HvacSolid::rxInit(); }

    static std::unique_ptr<zk_hvacSolid> newSolid() { return std::unique_ptr<zk_hvacSolid>(zk_hvacSolid::create()); }
    static double volumeOf(const zk_hvacSolid& solid) {
        zkSolidMassProps props;
        return solid.getMassProps(props) ? props.volume : -1;
    }
    // A rectangular straight piece of w by d from x0 to x1 along X.
    static std::unique_ptr<zk_hvacSolid> box(double x0, double x1, double w, double d) {
        auto solid = newSolid();
        EXPECT_TRUE(solid->addTransition(AcGePoint3d(x0, 0, 0), true, w, d, AcGePoint3d(x1, 0, 0), true, w, d,
                                         alongX(), alongX(), 0));
        return solid;
    }
};
