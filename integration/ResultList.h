// Builds an AutoLISP list result node by node and returns it.
#pragma once

#include <cstdint>
#include <string>

#include "ads/ads.h"

class AcDbObjectId;

class ResultList {
public:
    ResultList() = default;
    ~ResultList() { acutRelRb(mHead); }
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;

    // Starts the list with its RTLB node (any unfinished list is dropped).
    void begin();
    void addString(const std::string& text);
    void addInt(int32_t value);
    void addReal(double value);
    void addPoint(const double point[3]);
    // An entity name; nothing when the id does not convert.
    void addEntity(const AcDbObjectId& id);
    void addStringInt(const std::string& key, int32_t value);
    void addStringReal(const std::string& key, double value);
    // (key . entity name); nothing when the id does not convert. A null
    // object gives (key . nil).
    void addStringEntity(const std::string& key, const AcDbObjectId* id);
    void addRealLong(double x, int32_t n);
    void addListBegin();
    void addListEnd();
    // Closes the list, returns it with acedRetList and releases it.
    int finish();
    bool started() const { return mHead != nullptr; }

private:
    void append(resbuf* nodes);
    resbuf* mHead = nullptr;
    resbuf* mTail = nullptr;
};
