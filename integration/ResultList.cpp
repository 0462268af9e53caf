// Result list builder.
#include "integration/ResultList.h"

#include "database/dbid.h"

void ResultList::begin() {
    acutRelRb(mHead);
    mHead = mTail = acutBuildList(RTLB, 0);
}

void ResultList::append(resbuf* nodes) {
    if (!nodes) return;
    if (!mHead) {
        mHead = nodes;
    } else {
        mTail->rbnext = nodes;
    }
    mTail = nodes;
    while (mTail->rbnext) mTail = mTail->rbnext;
}

void ResultList::addString(const std::string& text) { append(acutBuildList(RTSTR, text.c_str(), 0)); }
void ResultList::addInt(int32_t value) {
    if (value >= -32768 && value <= 32767)
        append(acutBuildList(RTSHORT, static_cast<int>(value), 0));
    else
        append(acutBuildList(RTLONG, value, 0));
}
void ResultList::addReal(double value) { append(acutBuildList(RTREAL, value, 0)); }
void ResultList::addPoint(const double point[3]) { append(acutBuildList(RT3DPOINT, point, 0)); }

void ResultList::addEntity(const AcDbObjectId& id) {
    ads_name name;
    if (acdbGetAdsName(name, id) == Acad::eOk) append(acutBuildList(RTENAME, name, 0));
}

void ResultList::addStringInt(const std::string& key, int32_t value) {
    append(acutBuildList(RTLB, RTSTR, key.c_str(), RTDOTE, RTLONG, value, RTLE, 0));
}

void ResultList::addStringReal(const std::string& key, double value) {
    append(acutBuildList(RTLB, RTSTR, key.c_str(), RTDOTE, RTREAL, value, RTLE, 0));
}

void ResultList::addStringEntity(const std::string& key, const AcDbObjectId* id) {
    if (!id) {
        append(acutBuildList(RTLB, RTSTR, key.c_str(), RTDOTE, RTNIL, RTLE, 0));
        return;
    }
    ads_name name;
    if (acdbGetAdsName(name, *id) != Acad::eOk) return;
    append(acutBuildList(RTLB, RTSTR, key.c_str(), RTDOTE, RTENAME, name, RTLE, 0));
}

void ResultList::addRealLong(double x, int32_t n) {
    append(acutBuildList(RTLB, RTREAL, x, RTDOTE, RTLONG, n, RTLE, 0));
}

void ResultList::addListBegin() { append(acutBuildList(RTLB, 0)); }
void ResultList::addListEnd() { append(acutBuildList(RTLE, 0)); }

int ResultList::finish() {
    if (!mHead) begin();
    append(acutBuildList(RTLE, 0));
    int rc = acedRetList(mHead);
    acutRelRb(mHead);
    mHead = mTail = nullptr;
    return rc;
}
