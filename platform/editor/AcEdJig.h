// Drag sequences: a jig samples input, updates its entity and previews it
// until the person accepts a point, presses Enter or cancels.
#pragma once

#include <string>

#include "database/dbentity.h"
#include "geometry/AcGePoint3d.h"

class AcEdJig {
public:
    enum DragStatus {
        kNormal = 0,
        kNull = -1,    // Enter with null responses accepted
        kOther = -3,
        kCancel = -4,  // Escape, or input ran out
        kNoChange = -6 // the sample equals the previous one
    };
    enum UserInputControls {
        kGovernedByOrthoMode = 1,
        kNullResponseAccepted = 2,
        kDontEchoCancelForCtrlC = 4,
        kDontUpdateLastPoint = 8,
        kNoDwgLimitsChecking = 16,
        kNoZeroResponseAccepted = 32,
        kNoNegativeResponseAccepted = 64,
        kAccept3dCoordinates = 128,
    };

    AcEdJig() = default;
    virtual ~AcEdJig() = default;
    AcEdJig(const AcEdJig&) = delete;
    AcEdJig& operator=(const AcEdJig&) = delete;

    // One drag: sample, update and preview the entity. A sample that did not
    // change still ends the drag as accepted.
    DragStatus drag();
    virtual DragStatus sampler() = 0;
    virtual bool update() = 0;
    virtual AcDbEntity* entity() const = 0;

    void setDispPrompt(const char* prompt) { mPrompt = prompt ? prompt : ""; }
    const char* dispPrompt() const { return mPrompt.c_str(); }
    void setUserInputControls(UserInputControls controls) { mControls = controls; }
    UserInputControls userInputControls() const { return mControls; }

    // Shows the prompt and takes the next point.
    DragStatus acquirePoint(AcGePoint3d& point);
    DragStatus acquirePoint(AcGePoint3d& point, const AcGePoint3d& basePoint);

    // Previews drawn so far (tests).
    int previewCount() const { return mPreviews; }

private:
    std::string mPrompt;
    UserInputControls mControls = static_cast<UserInputControls>(0);
    int mPreviews = 0;
};
