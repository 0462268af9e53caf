// The document's current duct settings: the values a new duct takes, as the
// product's "duct-getSettings" answers them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// A fixed text of at most 19 characters and its terminator; a longer value
// is cut to fit.
class DuctSettingText {
public:
    static constexpr size_t kCapacity = 20;
    void assign(std::string_view utf8);
    std::string str() const;
    const wchar_t* c_str() const { return mChars.data(); }

private:
    std::array<wchar_t, kCapacity> mChars{};
};

struct DuctSettings {
    DuctSettingText MATERIAL, SHAPE, OFFSET, VERTICALOFFSET, AIRFLOW, DOUBLE_LINE, SIZEFOR, SIZESHAPE;
    int32_t ixLayerSystem = 0;
    int32_t SIZEMAX = 0;
    int32_t iHangerType = 0;
    double LINING = 0, dExteriorLining = 0, WIDTH = 0, DEPTH = 0, SIZEVAL1 = 0, SIZEVAL2 = 0, Z1 = 0, Z2 = 0;
    double dHangerZ = 0, dHangerSize = 0, dHangerDepth = 0, dHangerStartOffset = 0, dHangerSpacing = 0,
           dHangerEndOffset = 0, dHangerLeftExtension = 0, dHangerRightExtension = 0;
};

struct resbuf;

// Reads a settings answer: a list of (key . value) pairs. Known keys with a
// value of the right kind are set; others are left as they are. False when
// the answer is not a list.
bool readDuctSettings(DuctSettings& settings, const resbuf* answer);
// Calls ("duct-getSettings" nil) and reads its answer; false when the call
// fails or answers nil.
bool GetSettings(DuctSettings& settings);
