// The stop-at-group filer wrapper: reads pass through until the stop group.
#include "rooms/DxfGroupStopFiler.h"

Acad::ErrorStatus DxfGroupStopFiler::filerStatus() const {
    return mStopped ? Acad::eEndOfObject : mInner->filerStatus();
}

void DxfGroupStopFiler::setFilerStatus(Acad::ErrorStatus status) {
    if (status == Acad::eOk) mStopped = false;
    mInner->setFilerStatus(status);
}

// Clearing the end-of-object status the wrapper reported lets the caller go
// on reading from the stop group.
void DxfGroupStopFiler::resetFilerStatus() {
    if (mStopped) {
        mStopped = false;
        return;
    }
    mInner->resetFilerStatus();
}

Acad::ErrorStatus DxfGroupStopFiler::readItem(resbuf* item) {
    if (mStopped) return Acad::eEndOfObject;
    Acad::ErrorStatus es = mInner->readItem(item);
    if (es != Acad::eOk) return es;
    if (item->restype == mStopCode) {
        mInner->pushBackItem();
        mStopped = true;
        return Acad::eEndOfObject;
    }
    return Acad::eOk;
}
