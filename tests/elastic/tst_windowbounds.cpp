// The rules for the elastic form's window on the desktop, on plain numbers:
// how far the limits cut a window, when the desktop took the size asked for,
// and the limits the track sizes put on a window without its frame.

#include "controls/WindowBounds.h"

#include <QTest>

using namespace elastic;

Q_DECLARE_METATYPE(elastic::Size)
Q_DECLARE_METATYPE(elastic::Rect)

class TestWindowBounds : public QObject
{
    Q_OBJECT

private slots:
    void withinLimits_data();
    void withinLimits();
    void tookAbout_data();
    void tookAbout();
    void windowSizeLimits_data();
    void windowSizeLimits();
};

void TestWindowBounds::withinLimits_data()
{
    QTest::addColumn<Rect>("bounds");
    QTest::addColumn<Size>("maximumTrack");
    QTest::addColumn<Rect>("expected");
    QTest::newRow("no limits") << Rect{10, 20, 1920, 1080} << Size{} << Rect{10, 20, 1920, 1080};
    QTest::newRow("both cut, position kept") << Rect{10, 20, 1920, 1080} << Size{1280, 1024}
                                             << Rect{10, 20, 1280, 1024};
    QTest::newRow("width only") << Rect{0, 0, 1920, 1080} << Size{1280, 0} << Rect{0, 0, 1280, 1080};
    QTest::newRow("height only") << Rect{0, 0, 1920, 1080} << Size{0, 1024} << Rect{0, 0, 1920, 1024};
    QTest::newRow("smaller stays") << Rect{5, 5, 800, 600} << Size{1280, 1024} << Rect{5, 5, 800, 600};
}

void TestWindowBounds::withinLimits()
{
    QFETCH(Rect, bounds);
    QFETCH(Size, maximumTrack);
    QFETCH(Rect, expected);
    QCOMPARE(elastic::withinLimits(bounds, maximumTrack), expected);
}

void TestWindowBounds::tookAbout_data()
{
    QTest::addColumn<Size>("now");
    QTest::addColumn<bool>("expected");
    // Asked for 808 x 580 each time.
    QTest::newRow("exactly") << Size{808, 580} << true;
    QTest::newRow("with a frame") << Size{810, 605} << true;
    QTest::newRow("frame slack at its edge") << Size{808 + FrameSlack, 580 - FrameSlack} << true;
    QTest::newRow("one wider than the slack") << Size{808 + FrameSlack + 1, 580} << false;
    QTest::newRow("one shorter than the slack") << Size{808, 580 - FrameSlack - 1} << false;
    QTest::newRow("tiled by the desktop") << Size{960, 1080} << false;
}

void TestWindowBounds::tookAbout()
{
    QFETCH(Size, now);
    QFETCH(bool, expected);
    QCOMPARE(elastic::tookAbout({808, 580}, now), expected);
}

void TestWindowBounds::windowSizeLimits_data()
{
    QTest::addColumn<Size>("frame");
    QTest::addColumn<Size>("proportional");
    QTest::addColumn<Size>("minimumTrack");
    QTest::addColumn<Size>("maximumTrack");
    QTest::addColumn<Size>("minimum");
    QTest::addColumn<Size>("maximum");
    // The window's own limits before: minimum 100 x 50, maximum 5000 x 4000.
    QTest::newRow("nothing set keeps the window's")
        << Size{8, 30} << Size{} << Size{} << Size{} << Size{100, 50} << Size{5000, 4000};
    QTest::newRow("drill window, no frame")
        << Size{} << Size{} << Size{} << Size{1280, 1024} << Size{100, 50} << Size{1280, 1024};
    QTest::newRow("drill window, frame taken off")
        << Size{8, 30} << Size{} << Size{} << Size{1280, 1024} << Size{100, 50} << Size{1272, 994};
    QTest::newRow("minimum track, frame taken off")
        << Size{8, 30} << Size{} << Size{683, 384} << Size{} << Size{675, 354} << Size{5000, 4000};
    QTest::newRow("minimum smaller than the frame is 0")
        << Size{8, 30} << Size{} << Size{4, 20} << Size{} << Size{0, 0} << Size{5000, 4000};
    QTest::newRow("maximum smaller than the frame is 1")
        << Size{8, 30} << Size{} << Size{} << Size{4, 20} << Size{100, 50} << Size{1, 1};
    QTest::newRow("proportional maximum")
        << Size{8, 30} << Size{1360, 1037} << Size{} << Size{} << Size{100, 50} << Size{1352, 1007};
    QTest::newRow("a track axis wins over the proportional one")
        << Size{8, 30} << Size{1360, 1037} << Size{} << Size{1280, 0} << Size{100, 50}
        << Size{1272, 1007};
}

void TestWindowBounds::windowSizeLimits()
{
    QFETCH(Size, frame);
    QFETCH(Size, proportional);
    QFETCH(Size, minimumTrack);
    QFETCH(Size, maximumTrack);
    QFETCH(Size, minimum);
    QFETCH(Size, maximum);
    const SizeLimits limits = elastic::windowSizeLimits({{100, 50}, {5000, 4000}}, frame, proportional,
                                                        minimumTrack, maximumTrack);
    QCOMPARE(limits, (SizeLimits{minimum, maximum}));
}

QTEST_GUILESS_MAIN(TestWindowBounds)
#include "tst_windowbounds.moc"
