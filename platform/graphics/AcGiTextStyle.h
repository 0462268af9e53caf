// Font, size and proportions used by the styled text primitive.
#pragma once

#include <string>

class AcGiTextStyle {
public:
    AcGiTextStyle() = default;
    AcGiTextStyle(std::string fileName, double textSize, double xScale, double obliquingAngle)
        : mFileName(std::move(fileName)), mTextSize(textSize), mXScale(xScale), mOblique(obliquingAngle) {}

    const std::string& fileName() const { return mFileName; }
    const std::string& styleName() const { return mStyleName; }
    double textSize() const { return mTextSize; }
    double xScale() const { return mXScale; }
    double obliquingAngle() const { return mOblique; }

    void setFileName(std::string name) { mFileName = std::move(name); }
    void setStyleName(std::string name) { mStyleName = std::move(name); }
    void setTextSize(double size) { mTextSize = size; }
    void setXScale(double scale) { mXScale = scale; }
    void setObliquingAngle(double angle) { mOblique = angle; }

private:
    std::string mFileName;
    std::string mStyleName;
    double mTextSize = 1.0;
    double mXScale = 1.0;
    double mOblique = 0.0;
};
