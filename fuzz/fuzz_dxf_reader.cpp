// DXF text through the drawing reader, then saved and read back.
#include <string>

#include "DrawingRoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    readAndRoundTrip(std::string(reinterpret_cast<const char*>(data), size), true);
    return 0;
}
