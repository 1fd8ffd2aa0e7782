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
