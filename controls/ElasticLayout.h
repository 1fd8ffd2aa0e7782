#pragma once

// The arithmetic of the elastic form on plain numbers: rounding, screen
// ratios, the layout order and the rescaling of recorded control geometry.
// TElasticForm reads the widgets, calls these and applies the results, so all
// of this is tested without a screen. The window's bounds on the desktop have
// their own rules, in WindowBounds.

#include <optional>
#include <vector>

namespace elastic {

// Halves go to the even neighbour (the processor's default rounding).
int roundHalfEven(double value);
// Drops the fraction toward zero.
int truncateToInt(double value);
// Rounds up only when the fraction is greater than one half: 8.5 -> 8, 8.51 -> 9.
int roundHalfDown(double value);

struct Size
{
    int width = 0;
    int height = 0;
    friend bool operator==(const Size &, const Size &) = default;
};

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect &, const Rect &) = default;
};

struct ScreenRatios
{
    double horizontal = 1.0;
    double vertical = 1.0;
    double font = 1.0;
};

// Current screen over design screen, per axis; the font follows the vertical
// ratio. A design extent that is not positive gives the ratio 1 instead of a
// division by zero.
ScreenRatios screenRatios(Size screen, Size designScreen);

// A size changes the layout only when it differs from the last rescaled size
// by more than this in width or height.
constexpr int RescaleThreshold = 5;
bool exceedsRescaleThreshold(Size lastRescaled, Size now);

enum class Align { None, Top, Bottom, Left, Right, Client };

struct AlignedEdges
{
    Align align = Align::None;
    int left = 0;
    int top = 0;
};

// Indices into `controls` in the order the toolkit aligns them: top-aligned by
// rising top, bottom-aligned by falling top, left-aligned by rising left,
// right-aligned by falling left, client-aligned by rising left, then the rest
// as found. Among equal edges the one found last goes first.
std::vector<int> layoutOrder(const std::vector<AlignedEdges> &controls);

// Top-left corners of the tiles that cover an area with a picture; the tiles
// overlap by one pixel.
std::vector<Size> tileOrigins(Size picture, Size area);

struct ControlGeometry
{
    Rect bounds;
    int fontSize = 0;
    std::vector<int> extraFontSizes;
};

struct RescaleOptions
{
    bool elasticHorizontal = true;
    bool elasticVertical = true;
    bool elasticFont = true;
};

struct RescaleResult
{
    std::optional<int> fontSize; // the component's Font; unset when fonts stay
    double fontRatio = 1.0;
    // One per control, in record order; fonts are unset when they stay.
    std::vector<Rect> bounds;
    std::vector<std::optional<int>> fontSizes;
    std::vector<std::vector<int>> extraFontSizes;
};

// The recorded geometry of the managed controls and the references every
// rescale works from. Every rescale starts from the records, never from the
// previous result, so repeated resizing cannot drift.
class Layout
{
public:
    struct Record
    {
        Rect bounds;
        bool scaleFonts = true;
        int fontSize = 0;
        int unscaledFontSize = 0;
        std::vector<int> extraFontSizes;
    };

    // Records the controls at their design geometry (unscaled).
    void record(const std::vector<ControlGeometry> &controls);

    // Scales the records by the screen ratios and fixes the references.
    // Returns the component's Font size after it: `referenceFormFontSize`
    // when that is not 0, else `fontSize` unchanged.
    int firstRescale(const ScreenRatios &ratios, Size designClient, int referenceFormFontSize,
                     int fontSize);

    RescaleResult rescale(Size outer, Size client, const RescaleOptions &options) const;

    bool firstRescaleDone() const { return m_firstRescaleDone; }
    Size referenceClient() const { return m_referenceClient; }
    int referenceFontSize() const { return m_referenceFontSize; }
    const std::vector<Record> &records() const { return m_records; }
    void setScaleFonts(int index, bool on) { m_records.at(index).scaleFonts = on; }

private:
    std::vector<Record> m_records;
    std::vector<ControlGeometry> m_design;
    Size m_referenceClient;
    int m_referenceFontSize = 0;
    bool m_firstRescaleDone = false;
};

} // namespace elastic
