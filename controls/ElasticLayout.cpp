#include "ElasticLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace elastic {

int roundHalfEven(double value)
{
    // std::nearbyint follows the current rounding mode, which nobody here
    // changes from round-to-nearest-even.
    return static_cast<int>(std::nearbyint(value));
}

int truncateToInt(double value)
{
    return static_cast<int>(std::trunc(value));
}

int roundHalfDown(double value)
{
    const double whole = std::trunc(value);
    return static_cast<int>(value - whole > 0.5 ? whole + 1.0 : whole);
}

ScreenRatios screenRatios(Size screen, Size designScreen)
{
    ScreenRatios ratios;
    if (designScreen.width > 0)
        ratios.horizontal = double(screen.width) / designScreen.width;
    if (designScreen.height > 0)
        ratios.vertical = double(screen.height) / designScreen.height;
    ratios.font = ratios.vertical;
    return ratios;
}

bool exceedsRescaleThreshold(Size lastRescaled, Size now)
{
    return std::abs(now.width - lastRescaled.width) > RescaleThreshold
           || std::abs(now.height - lastRescaled.height) > RescaleThreshold;
}

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

std::vector<int> layoutOrder(const std::vector<AlignedEdges> &controls)
{
    // Rank by alignment group, then by the edge that group aligns on (negated
    // for the falling ones), then the later-found control first.
    auto rank = [](Align align) {
        switch (align) {
        case Align::Top: return 0;
        case Align::Bottom: return 1;
        case Align::Left: return 2;
        case Align::Right: return 3;
        case Align::Client: return 4;
        case Align::None: break;
        }
        return 5;
    };
    auto edge = [](const AlignedEdges &c) {
        switch (c.align) {
        case Align::Top: return c.top;
        case Align::Bottom: return -c.top;
        case Align::Left: return c.left;
        case Align::Right: return -c.left;
        case Align::Client: return c.left;
        case Align::None: break;
        }
        return 0;
    };

    std::vector<int> order(controls.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const AlignedEdges &ca = controls[a];
        const AlignedEdges &cb = controls[b];
        if (rank(ca.align) != rank(cb.align))
            return rank(ca.align) < rank(cb.align);
        if (ca.align == Align::None)
            return a < b; // the unaligned rest keeps the order found
        if (edge(ca) != edge(cb))
            return edge(ca) < edge(cb);
        return a > b;
    });
    return order;
}

std::vector<Size> tileOrigins(Size picture, Size area)
{
    std::vector<Size> origins;
    // Each tile starts one pixel before the previous one ends; a picture of
    // one pixel would never advance, so it covers the area alone.
    const int stepX = picture.width - 1;
    const int stepY = picture.height - 1;
    if (stepX <= 0 || stepY <= 0 || area.width <= 0 || area.height <= 0)
        return picture.width > 0 && picture.height > 0 ? std::vector<Size>{{0, 0}} : origins;
    for (int y = 0; y < area.height; y += stepY)
        for (int x = 0; x < area.width; x += stepX)
            origins.push_back({x, y});
    return origins;
}

void Layout::record(const std::vector<ControlGeometry> &controls)
{
    m_design = controls;
    m_records.clear();
    m_records.reserve(controls.size());
    for (const ControlGeometry &control : controls) {
        Record r;
        r.bounds = control.bounds;
        r.fontSize = control.fontSize;
        r.unscaledFontSize = control.fontSize;
        r.extraFontSizes = control.extraFontSizes;
        m_records.push_back(r);
    }
    m_firstRescaleDone = false;
}

int Layout::firstRescale(const ScreenRatios &ratios, Size designClient,
                         int referenceFormFontSize, int fontSize)
{
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        Record &r = m_records[i];
        const ControlGeometry &design = m_design[i];
        r.bounds = {roundHalfEven(design.bounds.left * ratios.horizontal),
                    roundHalfEven(design.bounds.top * ratios.vertical),
                    roundHalfEven(design.bounds.width * ratios.horizontal),
                    roundHalfEven(design.bounds.height * ratios.vertical)};
        r.fontSize = truncateToInt(design.fontSize * ratios.font);
        r.unscaledFontSize = design.fontSize;
        r.extraFontSizes.clear();
        for (int size : design.extraFontSizes)
            r.extraFontSizes.push_back(truncateToInt(size * ratios.font));
    }
    if (referenceFormFontSize != 0)
        fontSize = referenceFormFontSize;
    m_referenceClient = {roundHalfEven(designClient.width * ratios.horizontal),
                         roundHalfEven(designClient.height * ratios.vertical)};
    m_referenceFontSize = fontSize;
    m_firstRescaleDone = true;
    return fontSize;
}

RescaleResult Layout::rescale(Size outer, Size client, const RescaleOptions &options) const
{
    RescaleResult result;

    // A zero reference (a design client area or font left at 0) would divide
    // by zero; such an axis or the fonts then keep their recorded values.
    const bool fontsScale = options.elasticFont && m_referenceFontSize > 0
                            && m_referenceClient.width > 0 && m_referenceClient.height > 0;
    if (fontsScale) {
        const double fx = double(m_referenceFontSize) * outer.width / m_referenceClient.width;
        const double fy = double(m_referenceFontSize) * outer.height / m_referenceClient.height;
        const double f = fx < fy ? fx : fy;
        result.fontSize = roundHalfEven(f);
        result.fontRatio = f / m_referenceFontSize;
    }
    const bool scaleX = options.elasticHorizontal && m_referenceClient.width > 0;
    const bool scaleY = options.elasticVertical && m_referenceClient.height > 0;
    const double r = scaleX ? double(client.width) / m_referenceClient.width : 1.0;
    const double s = scaleY ? double(client.height) / m_referenceClient.height : 1.0;

    result.bounds.reserve(m_records.size());
    for (const Record &record : m_records) {
        Rect b = record.bounds;
        if (scaleX) {
            b.left = roundHalfEven(record.bounds.left * r);
            b.width = roundHalfEven(record.bounds.width * r);
        }
        if (scaleY) {
            b.top = roundHalfEven(record.bounds.top * s);
            b.height = roundHalfEven(record.bounds.height * s);
        }
        result.bounds.push_back(b);

        if (!options.elasticFont) {
            result.fontSizes.emplace_back();
            result.extraFontSizes.emplace_back();
            continue;
        }
        const double ratio = fontsScale && record.scaleFonts ? result.fontRatio : 1.0;
        result.fontSizes.push_back(roundHalfDown(record.fontSize * ratio));
        std::vector<int> extras;
        for (int size : record.extraFontSizes)
            extras.push_back(roundHalfDown(size * ratio));
        result.extraFontSizes.push_back(std::move(extras));
    }
    return result;
}

} // namespace elastic
