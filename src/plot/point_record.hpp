// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Vertices of graph curves and points of point lists.

#include <string>
#include <utility>

// One vertex: world coordinates, the pixel position computed from them by the owning graph
// object, and a pen lift.
class CPointRecord {
  public:
    CPointRecord() = default;
    CPointRecord(double x, double y, bool skip = false) : mX(x), mY(y), mSkip(skip) {}
    CPointRecord(const CPointRecord&) = default;
    CPointRecord& operator=(const CPointRecord&) = default;
    virtual ~CPointRecord() = default;

    double mX = 0;
    double mY = 0;
    short mLocalX = 0;
    short mLocalY = 0;
    // Set: the curve is not drawn from the previous vertex to this one; a new stroke starts here.
    bool mSkip = false;
};

// A point with a caption (the named points of a correlation).
class CStringPointRecord : public CPointRecord {
  public:
    CStringPointRecord() = default;
    CStringPointRecord(double x, double y, std::string caption)
        : CPointRecord(x, y), mString(std::move(caption)) {}

    std::string mString;
};
