// Result list builder.
#include "integration/ResultList.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "database/dbid.h"

namespace {

std::size_t blockSize(std::size_t index) { return std::size_t(64) << (index < 10 ? index : 10); }

} // namespace

void ResultList::nextBlock() {
    if (mNext) ++mBlock;
    if (mBlock == mBlocks.size()) mBlocks.emplace_back(new resbuf[blockSize(mBlock)]);
    mNext = mBlocks[mBlock].get();
    mEnd = mNext + blockSize(mBlock);
}

resbuf* ResultList::addString(int type, const std::string& text) {
    char* copy = strdup(text.c_str());
    if (!copy) throw std::bad_alloc();
    resbuf* node = add(type);
    node->resval.rstring = copy;
    mHasStrings = true;
    return node;
}

void ResultList::addName(const int64_t name[2]) {
    resbuf* node = add(RTENAME);
    node->resval.rlname[0] = name[0];
    node->resval.rlname[1] = name[1];
}

void ResultList::clear() {
    if (mHasStrings)
        for (resbuf* node = mStart.rbnext; node; node = node->rbnext)
            if (node->restype == RTSTR) std::free(node->resval.rstring);
    mHasStrings = false;
    mStart.rbnext = nullptr;
    mTail = &mStart;
    mBlock = 0;
    mNext = mEnd = nullptr;
}

void ResultList::begin() {
    clear();
    add(RTLB);
}

void ResultList::addString(const std::string& text) { addString(RTSTR, text); }
void ResultList::addInt(int32_t value) {
    if (value >= -32768 && value <= 32767)
        add(RTSHORT)->resval.rint = static_cast<short>(value);
    else
        add(RTLONG)->resval.rlong = value;
}
void ResultList::addReal(double value) { add(RTREAL)->resval.rreal = value; }
void ResultList::addPoint(const double point[3]) {
    resbuf* node = add(RT3DPOINT);
    for (int i = 0; i < 3; ++i) node->resval.rpoint[i] = point ? point[i] : 0.0;
}

void ResultList::addEntity(const AcDbObjectId& id) {
    ads_name name;
    if (acdbGetAdsName(name, id) == Acad::eOk) addName(name);
}

void ResultList::addStringInt(const std::string& key, int32_t value) {
    add(RTLB);
    addString(RTSTR, key);
    add(RTDOTE);
    add(RTLONG)->resval.rlong = value;
    add(RTLE);
}

void ResultList::addStringReal(const std::string& key, double value) {
    add(RTLB);
    addString(RTSTR, key);
    add(RTDOTE);
    add(RTREAL)->resval.rreal = value;
    add(RTLE);
}

void ResultList::addStringEntity(const std::string& key, const AcDbObjectId* id) {
    ads_name name;
    if (id && acdbGetAdsName(name, *id) != Acad::eOk) return;
    add(RTLB);
    addString(RTSTR, key);
    add(RTDOTE);
    if (id)
        addName(name);
    else
        add(RTNIL);
    add(RTLE);
}

void ResultList::addRealLong(double x, int32_t n) {
    static constexpr short kTypes[] = {RTLB, RTREAL, RTDOTE, RTLONG, RTLE};
    resbuf* pair = addNodes(kTypes, 5);
    pair[1].resval.rreal = x;
    pair[3].resval.rlong = n;
}

void ResultList::addListBegin() { add(RTLB); }
void ResultList::addListEnd() { add(RTLE); }

int ResultList::finish() {
    if (!started()) begin();
    add(RTLE);
    int rc = acedRetList(mStart.rbnext);
    clear();
    return rc;
}
