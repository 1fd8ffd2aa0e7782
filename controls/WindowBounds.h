#pragma once

// The rules for the elastic form's window on the desktop, on plain numbers:
// track sizes and the limits they put on the window, the maximized and start
// bounds, the design proportions and a change of display. DesktopWindow (and,
// for the start, TElasticForm) reads the window and the screen, calls these
// and applies the results, so the bounds arithmetic is tested without a window.

#include "controls/ElasticLayout.h"

namespace elastic {

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

// `bounds` with its size cut down to the largest track size (0: no limit on
// that axis), where the desktop takes the window's maximum size as a mere hint.
Rect withinLimits(Rect bounds, Size maximumTrack);

// The most a desktop's frame adds to a window, in either direction.
constexpr int FrameSlack = 48;
// Whether the desktop took the size asked for but for its frame. A desktop
// that sizes windows itself (a tiling one) gives others, and arguing with it
// would only leave the window believing in a size it never gets.
bool tookAbout(Size asked, Size now);

// The minimum and maximum size of a window without its frame.
struct SizeLimits
{
    Size minimum;
    Size maximum;
    friend bool operator==(const SizeLimits &, const SizeLimits &) = default;
};
// The limits the track sizes put on a window whose frame adds `frame`: Qt
// limits the window without its frame, the track sizes include it. A track
// value of 0 (and a proportional maximum of {0, 0}) keeps the limit of
// `current`. Track values are in pixels, as trackValue() gives them.
SizeLimits windowSizeLimits(SizeLimits current, Size frame, Size proportionalMaximum,
                            Size minimumTrack, Size maximumTrack);

} // namespace elastic
