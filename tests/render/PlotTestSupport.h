// A temporary folder per test and fake layer and linetype tables for plot tests.
#pragma once

#include "TestDrawables.h"

#include "render/PlotRenderer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

class PlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::path(::testing::TempDir()) /
              ("plot_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Layers and linetypes the tables answer from; others are plain.
    std::map<AcDbObjectId, PlotLayer> layers;
    std::map<AcDbObjectId, PlotLinetype> linetypes;
    PlotTables tables() {
        PlotTables t;
        t.layer = [this](AcDbObjectId id) {
            const auto it = layers.find(id);
            return it == layers.end() ? PlotLayer{} : it->second;
        };
        t.linetype = [this](AcDbObjectId id) {
            const auto it = linetypes.find(id);
            return it == linetypes.end() ? PlotLinetype{} : it->second;
        };
        return t;
    }
    static PlotLayer layerOfColor(int color) {
        PlotLayer layer;
        layer.color = color;
        return layer;
    }

    // Standard output of a command and whether it exited 0.
    static std::string run(const std::string& command, bool* succeeded = nullptr) {
        std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
        if (!pipe) return {};
        std::string out;
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
        const int status = ::pclose(pipe);
        if (succeeded) *succeeded = status == 0;
        return out;
    }

    std::filesystem::path dir;
};
