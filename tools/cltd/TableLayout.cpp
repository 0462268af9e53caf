// Construction row numbering of the roof and wall tables.
#include "TableLayout.h"

namespace cltd {

namespace {
const int kRoofNumbers[kRoofRows] = {1, 2, 3, 4, 5, 6, 8, 10, 13, 14};
}

int roofNumberOfRow(int row) { return kRoofNumbers[row]; }
int wallNumberOfRow(int row) { return row < 7 ? row + 1 : row + 2; }

int roofRowOfNumber(int number) {
    for (int r = 0; r < kRoofRows; ++r)
        if (kRoofNumbers[r] == number) return r;
    return -1;
}

int wallRowOfNumber(int number) {
    if (number >= 1 && number <= 7) return number - 1;
    if (number >= 9 && number <= 16) return number - 2;
    return -1;
}

}  // namespace cltd
