#pragma once

// The arithmetic of the elastic form on plain numbers: screen ratios, start
// bounds, track limits, proportions and the rescaling of recorded control
// geometry. TElasticForm reads the widgets, calls these and applies the
// results, so all of this is tested without a screen.

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

// A track-size or maximized-position value: positive is pixels, -p is p
// percent of the screen extent (rounded), 0 means "leave the system's value".
int trackValue(int property, int screenExtent);

// The maximum track (and maximized) size that keeps the design form's aspect
// ratio on the given screen; {0, 0} when the design size is unusable.
Size proportionalMaximum(Size designForm, Size screen);

// Where a form goes that asks to be maximized on a screen (its work area):
// maximized where the screen is within the largest track size (0: no limit
// on that axis); otherwise an ordinary window of the largest allowed size at
// the screen's top-left, as a maximized window with a maximum track size
// takes it. A desktop would otherwise maximize the window past its limits,
// or fight them.
struct MaximizedPlacement
{
    bool maximized = true;
    Size size;
    friend bool operator==(const MaximizedPlacement &, const MaximizedPlacement &) = default;
};
MaximizedPlacement maximizedPlacement(Size screen, Size maximumTrack);

// After an interactive resize from `before` to `after`, the dimension that
// moved less (relative to `before`) is recomputed from the other with the
// ratio of `before`.
Size keepProportions(Size before, Size after);

// The maximized window's track value saved with the placement: minus its
// extent in percent of the screen, 0 when that reaches -100.
int maximizedTrackPercent(int windowExtent, int screenExtent);

// The form's bounds after a display change from `oldScreen` to `newScreen`.
Rect scaleForDisplayChange(Rect form, Size oldScreen, Size newScreen);

enum class PositionRule { Designed, ScreenCenter, DesktopCenter, MainFormCenter, Other };

struct StartInput
{
    Rect designForm;         // DesignFormLeft/Top/Width/Height
    Size designClient;       // DesignFormClientWidth/Height
    Size screen;             // current maximized size
    ScreenRatios ratios;
    bool hasBorder = true;
    PositionRule position = PositionRule::Designed;
    Rect mainForm;           // for MainFormCenter
};

// The window's bounds at start: the design bounds scaled by the screen
// ratios, placed by the position rule and kept on the screen.
Rect startBounds(const StartInput &input);

// What a maximized form takes as its design bounds at initialisation.
struct MaximizedDesign
{
    int maximizedPosX = 0;
    int maximizedPosY = 0;
    bool maintainProportions = false;
    Size designScreen;
    Size designForm; // for the proportional maximum
    Size screen;     // likewise
};
Rect maximizedDesignForm(const MaximizedDesign &input);

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
