#include "WindowBounds.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace elastic {

int trackValue(int property, int screenExtent)
{
    if (property >= 0)
        return property;
    return roundHalfEven(-property * double(screenExtent) / 100.0);
}

Size proportionalMaximum(Size designForm, Size screen)
{
    if (designForm.width <= 0 || designForm.height <= 0 || screen.width <= 0
        || screen.height <= 0)
        return {};
    const double aspect = double(designForm.width) / designForm.height;
    if (double(designForm.width) / screen.width >= double(designForm.height) / screen.height) {
        const int width = screen.width - 6;
        return {width, roundHalfEven(width / aspect)};
    }
    const int height = screen.height - 5;
    return {roundHalfEven(aspect * height), height};
}

MaximizedPlacement maximizedPlacement(Size screen, Size maximumTrack)
{
    const auto capped = [](int extent, int limit) { return limit > 0 ? std::min(extent, limit) : extent; };
    const Size size {capped(screen.width, maximumTrack.width), capped(screen.height, maximumTrack.height)};
    return {size == screen, size};
}

Size keepProportions(Size before, Size after)
{
    if (before.width <= 0 || before.height <= 0)
        return after;
    const double movedX = std::abs(double(after.width - before.width)) / before.width;
    const double movedY = std::abs(double(after.height - before.height)) / before.height;
    if (movedX < movedY)
        return {roundHalfEven(double(after.height) * before.width / before.height), after.height};
    return {after.width, roundHalfEven(double(after.width) * before.height / before.width)};
}

int maximizedTrackPercent(int windowExtent, int screenExtent)
{
    if (screenExtent <= 0)
        return 0;
    const int percent = -roundHalfEven(100.0 * windowExtent / screenExtent);
    return percent <= -100 ? 0 : percent;
}

Rect scaleForDisplayChange(Rect form, Size oldScreen, Size newScreen)
{
    const ScreenRatios ratios = screenRatios(newScreen, oldScreen);
    return {roundHalfEven(form.left * ratios.horizontal), roundHalfEven(form.top * ratios.vertical),
            roundHalfEven(form.width * ratios.horizontal),
            roundHalfEven(form.height * ratios.vertical)};
}

Rect startBounds(const StartInput &input)
{
    const ScreenRatios &ratios = input.ratios;
    const Size outer = input.hasBorder
                           ? Size{input.designForm.width, input.designForm.height}
                           : input.designClient;
    Rect start{roundHalfEven(input.designForm.left * ratios.horizontal),
               roundHalfEven(input.designForm.top * ratios.vertical),
               roundHalfEven(outer.width * ratios.horizontal),
               roundHalfEven(outer.height * ratios.vertical)};

    // Integer halvings truncate toward zero, as the design's "div 2" does.
    switch (input.position) {
    case PositionRule::ScreenCenter:
    case PositionRule::DesktopCenter:
        start.left = (input.screen.width - start.width) / 2;
        start.top = (input.screen.height - start.height) / 2;
        break;
    case PositionRule::MainFormCenter:
        start.left = input.mainForm.left + (input.mainForm.width - start.width) / 2;
        start.top = input.mainForm.top + (input.mainForm.height - start.height) / 2;
        break;
    case PositionRule::Designed:
    case PositionRule::Other:
        break;
    }

    if (start.left + start.width > input.screen.width)
        start.left = (input.screen.width - start.width) / 2;
    if (start.top + start.height > input.screen.height)
        start.top = (input.screen.height - start.height) / 2;
    start.left = std::max(start.left, 0);
    start.top = std::max(start.top, 0);
    return start;
}

Rect maximizedDesignForm(const MaximizedDesign &input)
{
    Rect form{trackValue(input.maximizedPosX, input.designScreen.width),
              trackValue(input.maximizedPosY, input.designScreen.height), input.designScreen.width,
              input.designScreen.height};
    if (input.maintainProportions) {
        const Size maximum = proportionalMaximum(input.designForm, input.screen);
        if (maximum.width > 0) {
            form.width = maximum.width;
            form.height = maximum.height;
        }
    }
    return form;
}

Rect withinLimits(Rect bounds, Size maximumTrack)
{
    if (maximumTrack.width > 0)
        bounds.width = std::min(bounds.width, maximumTrack.width);
    if (maximumTrack.height > 0)
        bounds.height = std::min(bounds.height, maximumTrack.height);
    return bounds;
}

bool tookAbout(Size asked, Size now)
{
    return std::abs(now.width - asked.width) <= FrameSlack
           && std::abs(now.height - asked.height) <= FrameSlack;
}

SizeLimits windowSizeLimits(SizeLimits current, Size frame, Size proportionalMaximum,
                            Size minimumTrack, Size maximumTrack)
{
    SizeLimits limits = current;
    if (proportionalMaximum.width > 0)
        limits.maximum = {proportionalMaximum.width - frame.width,
                          proportionalMaximum.height - frame.height};
    if (minimumTrack.width)
        limits.minimum.width = std::max(minimumTrack.width - frame.width, 0);
    if (minimumTrack.height)
        limits.minimum.height = std::max(minimumTrack.height - frame.height, 0);
    if (maximumTrack.width)
        limits.maximum.width = std::max(maximumTrack.width - frame.width, 1);
    if (maximumTrack.height)
        limits.maximum.height = std::max(maximumTrack.height - frame.height, 1);
    return limits;
}

} // namespace elastic
