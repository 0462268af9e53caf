// Binary drawings through the reader, then saved and read back. The
// checksum is recomputed first, so mutations reach past it to the objects.
#include <string>

#include "DrawingRoundTrip.h"
#include "database/io/BinaryDrawing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    orv::io::resealBinaryDrawing(bytes);
    readAndRoundTrip(bytes, false);
    return 0;
}
