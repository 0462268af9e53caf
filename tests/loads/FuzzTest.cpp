// Random argument lists for the nine functions: each call ends with a status message or none, never a fault.
#include <random>

#include "LoadsFixture.h"

namespace {

class LoadsFuzz : public LoadsFixture {};

std::string randomArgument(std::mt19937& rng) {
    static const char* const kPool[] = {"40", "-7", "0", "6", "71", "16", "99999", "-2147483648", "2147483647",
                                        "6.7", "-0.5", "1e300", "\"N\"", "\"UP\"", "\"NNW\"", "\"\"", "\"dRoof\"",
                                        "\"iCoolingCFM\"", "\"dWall\"", "nil", "T", "'(1 2)", "'(\"a\" . 3)",
                                        "\"_s\"", "14", "9", "8"};
    return kPool[std::uniform_int_distribution<size_t>(0, std::size(kPool) - 1)(rng)];
}

}  // namespace

TEST_F(LoadsFuzz, RandomArgumentListsNeverFault) {
    static const char* const kFunctions[] = {
        "zk_hvac-getRoofCLTDDxf",      "zk_hvac-getWallCLTDDxf",    "zk_hvac-getGlassCLTDDxf",
        "zk_hvac-loads-storeRoomData", "zk_hvac-loads-getRoomData", "zk_hvac-loads-resetRoomData",
        "zk_hvac-loads-storeWallData", "zk_hvac-loads-getWallData", "zk_hvac-loads-resetWallData"};
    std::mt19937 rng(20261205);
    for (int i = 0; i < 3000; ++i) {
        std::string call = std::string("(") + kFunctions[i % 9];
        const int count = std::uniform_int_distribution<int>(0, 8)(rng);
        for (int a = 0; a < count; ++a) call += " " + randomArgument(rng);
        call += ")";
        output.clear();
        const std::string value = eval(call);
        EXPECT_EQ(value.rfind("; error:", 0), std::string::npos) << call << " gave " << value;
        EXPECT_TRUE(output.empty() || output == "\nWrong type of arguments passed.\n" ||
                    output == "\nBad data passed .\n")
            << call << " printed " << output;
        if (!output.empty()) {
            EXPECT_EQ(value, "nil") << call;
        }
    }
}
