// Times one full rescale of the drill window's layout: the component's (hide,
// set every control's bounds and font, show) and the arithmetic alone.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "DrillLikeForm.h"

#include "controls/ElasticLayout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>

namespace {

constexpr int Rounds = 400;

double perRound(qint64 nanoseconds)
{
    return double(nanoseconds) / Rounds / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    DrillLikeForm form;
    form.showMaximized();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    QTest::qWait(100);

    // Alternate two sizes so that every round really moves and refonts.
    const QSize sizes[2] = {form.size(), form.size() - QSize(40, 30)};
    QElapsedTimer timer;
    qint64 widgets = 0;
    for (int i = 0; i < Rounds; ++i) {
        form.centralWidget()->resize(sizes[i % 2]);
        timer.start();
        form.elastic->rescaleNow();
        widgets += timer.nsecsElapsed();
    }

    elastic::Layout layout;
    std::vector<elastic::ControlGeometry> controls;
    for (const DesignControl &c : drillControls())
        controls.push_back({{c.bounds.x(), c.bounds.y(), c.bounds.width(), c.bounds.height()},
                            c.fontPoints, {}});
    layout.record(controls);
    layout.firstRescale(elastic::screenRatios({1032, 748}, {808, 580}), {553, 361}, 14, 11);
    qint64 arithmetic = 0;
    std::size_t checksum = 0;
    for (int i = 0; i < Rounds; ++i) {
        timer.start();
        const elastic::RescaleResult r = layout.rescale({800 + i, 600 + i}, {792 + i, 533 + i}, {});
        arithmetic += timer.nsecsElapsed();
        checksum += r.bounds.size();
    }

    std::printf("drill window, %zu managed controls, %d rounds\n",
                std::size_t(form.elastic->managedControls().size()), Rounds);
    std::printf("full rescale (hide, bounds, fonts, show): %.1f us\n", perRound(widgets));
    std::printf("arithmetic only:                          %.2f us (%zu)\n", perRound(arithmetic),
                checksum / Rounds);
    return 0;
}
