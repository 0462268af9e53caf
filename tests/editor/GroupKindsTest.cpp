// The interpreter releases a result buffer's string by its group code's kind
// and the drawing database copies (or not) a group's string by its own
// table of kinds: where the two disagree, an entity list handed to entmake
// is freed twice or leaks. Every group code must be a string to both or to
// neither.
#include <gtest/gtest.h>

#include "database/dxfcode.h"
#include "lisp/AdsConvert.h"

TEST(GroupKinds, InterpreterAndDatabaseAgreeWhichGroupsHoldStrings) {
    for (int code = -5; code <= 1071; ++code) {
        if (code == -1 || code == -2 || code == -4) continue;  // entity names and the filter operator
        const auto type = AcDb::dxfValueType(static_cast<short>(code));
        const bool databaseText =
            code == 0 || type == AcDb::kDxfString || type == AcDb::kDxfHandle || type == AcDb::kDxfBinary;
        const bool interpreterText = lisp::resbufKind(code) == lisp::RbKind::String;
        EXPECT_EQ(databaseText, interpreterText) << "group code " << code;
    }
}
