// Tolerances for point and vector comparison, and the global default tolerance.
#pragma once

class AcGeTol {
public:
    AcGeTol() = default;
    AcGeTol(double equalPoint, double equalVector) : mEqualPoint(equalPoint), mEqualVector(equalVector) {}

    double equalPoint() const { return mEqualPoint; }
    double equalVector() const { return mEqualVector; }
    void setEqualPoint(double value) { mEqualPoint = value; }
    void setEqualVector(double value) { mEqualVector = value; }

private:
    double mEqualPoint = 1e-10;
    double mEqualVector = 1e-10;
};

struct AcGeContext {
    // The tolerance used when a caller gives none.
    static AcGeTol gTol;
};
