// The elastic form's arithmetic on plain numbers: no widgets, no screen.

#include "controls/ElasticLayout.h"
#include "controls/WindowBounds.h"

#include <QTest>

#include <random>

using namespace elastic;

Q_DECLARE_METATYPE(elastic::Size)
Q_DECLARE_METATYPE(elastic::Rect)
Q_DECLARE_METATYPE(elastic::PositionRule)
Q_DECLARE_METATYPE(elastic::SizeLimits)

namespace QTest {
template<> char *toString(const elastic::Size &s)
{
    return qstrdup(QByteArray::number(s.width) + " x " + QByteArray::number(s.height));
}
template<> char *toString(const elastic::Rect &r)
{
    return qstrdup(QByteArray::number(r.left) + ", " + QByteArray::number(r.top) + ", "
                   + QByteArray::number(r.width) + " x " + QByteArray::number(r.height));
}
} // namespace QTest

namespace {

struct Named
{
    const char *name;
    Rect bounds;
    int font; // points, as the worked example counts them
};

// The drill window's controls at design geometry.
const std::vector<Named> &drill()
{
    static const std::vector<Named> controls{
        {"Level", {0, 0, 175, 30}, 14},       {"WordGroup", {184, 0, 175, 30}, 14},
        {"NewAll", {368, 0, 175, 30}, 14},    {"Label2", {168, 48, 42, 18}, 12},
        {"NumTrials", {213, 40, 110, 30}, 14}, {"Label1", {328, 48, 46, 18}, 12},
        {"Score", {376, 40, 110, 30}, 14},    {"Reset1", {496, 40, 50, 30}, 8},
        {"Edit1", {8, 80, 241, 113}, 14},     {"AnswerBox", {256, 72, 284, 121}, 12},
        {"Answer", {8, 200, 537, 73}, 14},    {"Accenta", {1, 280, 45, 32}, 10},
        {"AcuteA", {48, 280, 45, 32}, 10},    {"TildeA", {95, 280, 45, 32}, 10},
        {"Tilden", {142, 280, 65, 32}, 10},   {"Accente", {210, 280, 45, 32}, 10},
        {"AcuteE", {259, 280, 55, 32}, 10},   {"accenti", {316, 280, 45, 32}, 10},
        {"Accento", {363, 280, 45, 32}, 10},  {"AcuteO", {409, 280, 45, 32}, 10},
        {"TildeO", {456, 280, 45, 32}, 10},   {"Accentu", {502, 280, 45, 32}, 10},
        {"GradBtn1", {184, 320, 80, 22}, 8},  {"Button2", {272, 320, 80, 22}, 8},
        {"OstrelButton1", {360, 320, 80, 22}, 8}, {"Button1", {448, 320, 80, 41}, 13},
    };
    return controls;
}

int indexOf(const char *name)
{
    for (std::size_t i = 0; i < drill().size(); ++i)
        if (qstrcmp(drill()[i].name, name) == 0)
            return int(i);
    return -1;
}

// A layout of the drill window after its first rescale on `screen`.
Layout drillLayout(Size screen = {808, 580}, int formFont = 8)
{
    std::vector<ControlGeometry> controls;
    for (const Named &n : drill())
        controls.push_back({n.bounds, n.font, {}});
    Layout layout;
    layout.record(controls);
    const ScreenRatios ratios = screenRatios(screen, {808, 580});
    layout.firstRescale(ratios, {553, 361}, roundHalfDown(formFont * ratios.font), formFont);
    return layout;
}

const RescaleOptions all;

} // namespace

class TestElasticLayout : public QObject
{
    Q_OBJECT

private slots:
    void rounding_data();
    void rounding();
    void workedExample();
    void fontRoundingInRescale_data();
    void fontRoundingInRescale();
    void backToDesignSize_data();
    void backToDesignSize();
    void repeatedResizingNeverDrifts();
    void screenRatios_data();
    void screenRatios();
    void firstRescaleOnAnotherScreen();
    void zeroReferencesDoNotDivide();
    void elasticAxesSwitchedOff();
    void trackValue_data();
    void trackValue();
    void proportionalMaximum_data();
    void proportionalMaximum();
    void maximizedPlacement_data();
    void maximizedPlacement();
    void keepProportions_data();
    void keepProportions();
    void maximizedTrackPercent_data();
    void maximizedTrackPercent();
    void rescaleThreshold_data();
    void rescaleThreshold();
    void startBounds_data();
    void startBounds();
    void maximizedDesignForm();
    void displayChange();
    void withinLimits_data();
    void withinLimits();
    void tookAbout_data();
    void tookAbout();
    void windowSizeLimits_data();
    void windowSizeLimits();
    void layoutOrder_data();
    void layoutOrder();
    void tileOrigins();
};

void TestElasticLayout::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("halfEven");
    QTest::addColumn<int>("truncated");
    QTest::addColumn<int>("halfDown");

    QTest::newRow("8.5") << 8.5 << 8 << 8 << 8;
    QTest::newRow("8.51") << 8.51 << 9 << 8 << 9;
    QTest::newRow("9.5") << 9.5 << 10 << 9 << 9;
    QTest::newRow("8.49") << 8.49 << 8 << 8 << 8;
    QTest::newRow("10.5") << 10.5 << 10 << 10 << 10;
    QTest::newRow("11.99") << 11.99 << 12 << 11 << 12;
    QTest::newRow("whole") << 7.0 << 7 << 7 << 7;
    QTest::newRow("-2.5") << -2.5 << -2 << -2 << -2;
}

void TestElasticLayout::rounding()
{
    QFETCH(double, value);
    QFETCH(int, halfEven);
    QFETCH(int, truncated);
    QFETCH(int, halfDown);
    QCOMPARE(roundHalfEven(value), halfEven);
    QCOMPARE(truncateToInt(value), truncated);
    QCOMPARE(roundHalfDown(value), halfDown);
}

void TestElasticLayout::workedExample()
{
    // Design screen, references 553 x 361 and font 8; window 808 x 580 with
    // client 800 x 527.
    const Layout layout = drillLayout();
    QCOMPARE(layout.referenceClient(), (Size{553, 361}));
    QCOMPARE(layout.referenceFontSize(), 8);

    const RescaleResult r = layout.rescale({808, 580}, {800, 527}, all);
    QCOMPARE(r.fontSize, std::optional<int>(12));
    QVERIFY2(qAbs(r.fontRatio - 1.4611) < 0.00005, QByteArray::number(r.fontRatio, 'f', 6));

    const int score = indexOf("Score");
    QCOMPARE(r.bounds.at(score), (Rect{544, 58, 159, 44}));
    QCOMPARE(r.fontSizes.at(score), std::optional<int>(20));

    QCOMPARE(r.bounds.at(indexOf("Answer")), (Rect{12, 292, 777, 107}));

    const Rect check = r.bounds.at(indexOf("Button1"));
    QCOMPARE(check.left, 648);
    QCOMPARE(check.top, 467);
    QCOMPARE(check.width, 116);
    QCOMPARE(r.fontSizes.at(indexOf("Button1")), std::optional<int>(19));
}

void TestElasticLayout::fontRoundingInRescale_data()
{
    QTest::addColumn<int>("referenceFont");
    QTest::addColumn<Size>("outer");
    QTest::addColumn<int>("controlFont");
    QTest::addColumn<int>("expectedFont");
    QTest::addColumn<int>("expectedControlFont");

    // References 16 x 16: the font is referenceFont x 17 / 16 and so on.
    QTest::newRow("8.5: Font to even, control down") << 8 << Size{17, 100} << 8 << 8 << 8;
    QTest::newRow("9.5: Font to even, control down") << 8 << Size{19, 100} << 8 << 10 << 9;
    QTest::newRow("height decides when smaller") << 8 << Size{100, 19} << 8 << 10 << 9;
    QTest::newRow("just above half: control up") << 8 << Size{1, 100} << 137 << 0 << 9;
}

void TestElasticLayout::fontRoundingInRescale()
{
    QFETCH(int, referenceFont);
    QFETCH(Size, outer);
    QFETCH(int, controlFont);
    QFETCH(int, expectedFont);
    QFETCH(int, expectedControlFont);

    Layout layout;
    layout.record({{{0, 0, 10, 10}, controlFont, {controlFont}}});
    layout.firstRescale({}, {16, 16}, referenceFont, referenceFont);
    const RescaleResult r = layout.rescale(outer, {16, 16}, all);
    QCOMPARE(r.fontSize, std::optional<int>(expectedFont));
    QCOMPARE(r.fontSizes.at(0), std::optional<int>(expectedControlFont));
    QCOMPARE(r.extraFontSizes.at(0), std::vector<int>{expectedControlFont});
}

void TestElasticLayout::backToDesignSize_data()
{
    QTest::addColumn<Size>("detour");
    QTest::newRow("larger") << Size{1900, 1000};
    QTest::newRow("smaller") << Size{200, 150};
    QTest::newRow("odd") << Size{613, 397};
}

void TestElasticLayout::backToDesignSize()
{
    QFETCH(Size, detour);
    const Layout layout = drillLayout();
    layout.rescale(detour, detour, all);
    const RescaleResult r = layout.rescale({561, 428}, {553, 361}, all);
    for (std::size_t i = 0; i < drill().size(); ++i)
        QVERIFY2(r.bounds[i] == drill()[i].bounds, drill()[i].name);
}

void TestElasticLayout::repeatedResizingNeverDrifts()
{
    const Layout layout = drillLayout({1032, 748});
    const RescaleResult fresh = layout.rescale({700, 500}, {692, 433}, all);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> extent(50, 2500);
    for (int i = 0; i < 500; ++i) {
        const int w = extent(random);
        const int h = extent(random);
        layout.rescale({w + 8, h + 67}, {w, h}, all);
    }
    const RescaleResult again = layout.rescale({700, 500}, {692, 433}, all);
    QCOMPARE(again.bounds, fresh.bounds);
    QCOMPARE(again.fontSizes, fresh.fontSizes);
    QCOMPARE(again.fontSize, fresh.fontSize);
}

void TestElasticLayout::screenRatios_data()
{
    QTest::addColumn<Size>("screen");
    QTest::addColumn<Size>("design");
    QTest::addColumn<double>("horizontal");
    QTest::addColumn<double>("vertical");

    QTest::newRow("design screen") << Size{808, 580} << Size{808, 580} << 1.0 << 1.0;
    QTest::newRow("1024 x 768 desktop") << Size{1032, 748} << Size{808, 580} << 1032.0 / 808
                                        << 748.0 / 580;
    QTest::newRow("offscreen 800 x 800") << Size{800, 800} << Size{808, 580} << 800.0 / 808
                                         << 800.0 / 580;
    QTest::newRow("design width unset") << Size{1000, 800} << Size{0, 400} << 1.0 << 2.0;
}

void TestElasticLayout::screenRatios()
{
    QFETCH(Size, screen);
    QFETCH(Size, design);
    QFETCH(double, horizontal);
    QFETCH(double, vertical);
    const ScreenRatios r = elastic::screenRatios(screen, design);
    QCOMPARE(r.horizontal, horizontal);
    QCOMPARE(r.vertical, vertical);
    QCOMPARE(r.font, vertical);
}

void TestElasticLayout::firstRescaleOnAnotherScreen()
{
    // 1032 x 748: horizontal 1.2772, vertical 1.2897.
    const Layout layout = drillLayout({1032, 748});
    QCOMPARE(layout.referenceClient(), (Size{706, 466})); // 706.30, 465.57
    QCOMPARE(layout.referenceFontSize(), 10);              // 8 x 1.2897 = 10.32, half down

    const Layout::Record &score = layout.records().at(indexOf("Score"));
    QCOMPARE(score.bounds, (Rect{480, 52, 140, 39})); // 480.24, 51.59, 140.50, 38.69
    QCOMPARE(score.fontSize, 18);                      // 14 x 1.2897 = 18.06, truncated
    QCOMPARE(score.unscaledFontSize, 14);

    // At the reference client the controls sit at their scaled records.
    const RescaleResult r = layout.rescale({714, 533}, {706, 466}, all);
    QCOMPARE(r.bounds.at(indexOf("Score")), score.bounds);
}

void TestElasticLayout::zeroReferencesDoNotDivide()
{
    Layout layout;
    layout.record({{{10, 20, 30, 40}, 12, {}}});
    layout.firstRescale({}, {0, 0}, 8, 8);
    const RescaleResult r = layout.rescale({800, 600}, {790, 540}, all);
    QCOMPARE(r.bounds.at(0), (Rect{10, 20, 30, 40}));
    QCOMPARE(r.fontSize, std::nullopt);
    QCOMPARE(r.fontSizes.at(0), std::optional<int>(12));
}

void TestElasticLayout::elasticAxesSwitchedOff()
{
    const Layout layout = drillLayout();
    const int score = indexOf("Score");
    RescaleResult r = layout.rescale({808, 580}, {800, 527}, {false, true, true});
    QCOMPARE(r.bounds.at(score), (Rect{376, 58, 110, 44}));
    r = layout.rescale({808, 580}, {800, 527}, {true, false, true});
    QCOMPARE(r.bounds.at(score), (Rect{544, 40, 159, 30}));
    r = layout.rescale({808, 580}, {800, 527}, {true, true, false});
    QCOMPARE(r.fontSize, std::nullopt);
    QCOMPARE(r.fontSizes.at(score), std::nullopt);
}

void TestElasticLayout::trackValue_data()
{
    QTest::addColumn<int>("property");
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("expected");
    QTest::newRow("pixels") << 1280 << 800 << 1280;
    QTest::newRow("unset") << 0 << 800 << 0;
    QTest::newRow("-50 percent") << -50 << 800 << 400;
    QTest::newRow("-33 percent rounded") << -33 << 1001 << 330;
    QTest::newRow("-50 percent half to even") << -50 << 1025 << 512;
}

void TestElasticLayout::trackValue()
{
    QFETCH(int, property);
    QFETCH(int, screen);
    QFETCH(int, expected);
    QCOMPARE(elastic::trackValue(property, screen), expected);
}

void TestElasticLayout::proportionalMaximum_data()
{
    QTest::addColumn<Size>("screen");
    QTest::addColumn<Size>("expected");
    // The drill window's 561 x 428.
    QTest::newRow("square screen: width decides") << Size{800, 800} << Size{794, 606};
    QTest::newRow("wide screen: height decides") << Size{1920, 1080} << Size{1409, 1075};
    QTest::newRow("no screen") << Size{0, 0} << Size{0, 0};
}

void TestElasticLayout::proportionalMaximum()
{
    QFETCH(Size, screen);
    QFETCH(Size, expected);
    QCOMPARE(elastic::proportionalMaximum({561, 428}, screen), expected);
    QCOMPARE(elastic::proportionalMaximum({561, 0}, screen), (Size{}));
}

void TestElasticLayout::maximizedPlacement_data()
{
    QTest::addColumn<Size>("screen");
    QTest::addColumn<Size>("limits");
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<Size>("size");
    const Size drill {1280, 1024};
    QTest::newRow("1280 x 1024: the limits") << Size {1280, 1024} << drill << true << Size {1280, 1024};
    QTest::newRow("1024 x 768: within") << Size {1024, 740} << drill << true << Size {1024, 740};
    QTest::newRow("2560 x 1440 at twice the scale") << Size {1280, 720} << drill << true << Size {1280, 720};
    QTest::newRow("1366 x 768: too wide") << Size {1366, 768} << drill << false << Size {1280, 768};
    QTest::newRow("1920 x 1080: larger both ways") << Size {1920, 1048} << drill << false << Size {1280, 1024};
    QTest::newRow("portrait: too high") << Size {1080, 1920} << drill << false << Size {1080, 1024};
    QTest::newRow("no limits") << Size {1920, 1080} << Size {} << true << Size {1920, 1080};
}

void TestElasticLayout::maximizedPlacement()
{
    QFETCH(Size, screen);
    QFETCH(Size, limits);
    QFETCH(bool, maximized);
    QFETCH(Size, size);
    QCOMPARE(elastic::maximizedPlacement(screen, limits), (elastic::MaximizedPlacement {maximized, size}));
}

void TestElasticLayout::keepProportions_data()
{
    QTest::addColumn<Size>("before");
    QTest::addColumn<Size>("after");
    QTest::addColumn<Size>("expected");
    QTest::newRow("width dragged") << Size{400, 300} << Size{600, 310} << Size{600, 450};
    QTest::newRow("height dragged") << Size{400, 300} << Size{390, 150} << Size{200, 150};
    QTest::newRow("unchanged") << Size{400, 300} << Size{400, 300} << Size{400, 300};
    QTest::newRow("no size before") << Size{0, 0} << Size{10, 10} << Size{10, 10};
}

void TestElasticLayout::keepProportions()
{
    QFETCH(Size, before);
    QFETCH(Size, after);
    QFETCH(Size, expected);
    QCOMPARE(elastic::keepProportions(before, after), expected);
}

void TestElasticLayout::maximizedTrackPercent_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("expected");
    QTest::newRow("full screen") << 800 << 800 << 0;
    QTest::newRow("capped") << 1280 << 1920 << -67;
    QTest::newRow("larger than screen") << 900 << 800 << 0;
}

void TestElasticLayout::maximizedTrackPercent()
{
    QFETCH(int, window);
    QFETCH(int, screen);
    QFETCH(int, expected);
    QCOMPARE(elastic::maximizedTrackPercent(window, screen), expected);
}

void TestElasticLayout::rescaleThreshold_data()
{
    QTest::addColumn<Size>("now");
    QTest::addColumn<bool>("rescales");
    // From 500 x 400.
    QTest::newRow("5 and 3") << Size{505, 403} << false;
    QTest::newRow("-5 and -5") << Size{495, 395} << false;
    QTest::newRow("6 wide") << Size{506, 400} << true;
    QTest::newRow("6 high") << Size{500, 406} << true;
    QTest::newRow("6 narrower") << Size{494, 400} << true;
}

void TestElasticLayout::rescaleThreshold()
{
    QFETCH(Size, now);
    QFETCH(bool, rescales);
    QCOMPARE(exceedsRescaleThreshold({500, 400}, now), rescales);
}

void TestElasticLayout::startBounds_data()
{
    QTest::addColumn<Rect>("designForm");
    QTest::addColumn<Size>("screen");
    QTest::addColumn<PositionRule>("rule");
    QTest::addColumn<bool>("border");
    QTest::addColumn<Rect>("expected");

    const Rect drillForm{327, 155, 561, 428};
    QTest::newRow("design screen") << drillForm << Size{808, 580} << PositionRule::Designed
                                   << true << Rect{123, 76, 561, 428};
    QTest::newRow("twice the screen") << drillForm << Size{1616, 1160} << PositionRule::Designed
                                      << true << Rect{247, 152, 1122, 856};
    QTest::newRow("maximized drill on 800 x 800")
        << Rect{0, 0, 808, 580} << Size{800, 800} << PositionRule::Designed << true
        << Rect{0, 0, 800, 800};
    // 800 x 800: 555 x 590 at 324, 214 runs off the right and the bottom.
    QTest::newRow("pulled back on screen") << drillForm << Size{800, 800}
                                           << PositionRule::Designed << true
                                           << Rect{122, 105, 555, 590};
    QTest::newRow("screen centre truncates") << drillForm << Size{808, 580}
                                             << PositionRule::ScreenCenter << true
                                             << Rect{123, 76, 561, 428};
    QTest::newRow("no border takes the client size")
        << drillForm << Size{808, 580} << PositionRule::Designed << false
        << Rect{127, 155, 553, 361};
    QTest::newRow("larger than the screen starts at 0")
        << Rect{0, 0, 1000, 700} << Size{808, 580} << PositionRule::Designed << true
        << Rect{0, 0, 1000, 700};
}

void TestElasticLayout::startBounds()
{
    QFETCH(Rect, designForm);
    QFETCH(Size, screen);
    QFETCH(PositionRule, rule);
    QFETCH(bool, border);
    QFETCH(Rect, expected);

    StartInput input;
    input.designForm = designForm;
    input.designClient = {553, 361};
    input.screen = screen;
    input.ratios = elastic::screenRatios(screen, {808, 580});
    input.hasBorder = border;
    input.position = rule;
    QCOMPARE(elastic::startBounds(input), expected);
}

void TestElasticLayout::maximizedDesignForm()
{
    MaximizedDesign input;
    input.designScreen = {808, 580};
    input.designForm = {561, 428};
    input.screen = {800, 800};
    QCOMPARE(elastic::maximizedDesignForm(input), (Rect{0, 0, 808, 580}));

    input.maximizedPosX = 10;
    input.maximizedPosY = -10; // 10 percent of 580
    input.maintainProportions = true;
    QCOMPARE(elastic::maximizedDesignForm(input), (Rect{10, 58, 794, 606}));
}

void TestElasticLayout::displayChange()
{
    QCOMPARE(scaleForDisplayChange({100, 50, 400, 300}, {800, 600}, {1600, 900}),
             (Rect{200, 75, 800, 450}));
    QCOMPARE(scaleForDisplayChange({100, 50, 400, 300}, {800, 600}, {800, 600}),
             (Rect{100, 50, 400, 300}));
}

void TestElasticLayout::withinLimits_data()
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

void TestElasticLayout::withinLimits()
{
    QFETCH(Rect, bounds);
    QFETCH(Size, maximumTrack);
    QFETCH(Rect, expected);
    QCOMPARE(elastic::withinLimits(bounds, maximumTrack), expected);
}

void TestElasticLayout::tookAbout_data()
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

void TestElasticLayout::tookAbout()
{
    QFETCH(Size, now);
    QFETCH(bool, expected);
    QCOMPARE(elastic::tookAbout({808, 580}, now), expected);
}

void TestElasticLayout::windowSizeLimits_data()
{
    QTest::addColumn<Size>("frame");
    QTest::addColumn<Size>("proportional");
    QTest::addColumn<SizeLimits>("track"); // the minimum and maximum track sizes
    QTest::addColumn<SizeLimits>("expected");
    // The window's own limits before: minimum 100 x 50, maximum 5000 x 4000.
    QTest::newRow("nothing set keeps the window's")
        << Size{8, 30} << Size{} << SizeLimits{} << SizeLimits{{100, 50}, {5000, 4000}};
    QTest::newRow("drill window, no frame") << Size{} << Size{} << SizeLimits{{}, {1280, 1024}}
                                            << SizeLimits{{100, 50}, {1280, 1024}};
    QTest::newRow("drill window, frame taken off") << Size{8, 30} << Size{} << SizeLimits{{}, {1280, 1024}}
                                                   << SizeLimits{{100, 50}, {1272, 994}};
    QTest::newRow("minimum track, frame taken off") << Size{8, 30} << Size{} << SizeLimits{{683, 384}, {}}
                                                    << SizeLimits{{675, 354}, {5000, 4000}};
    QTest::newRow("minimum smaller than the frame is 0") << Size{8, 30} << Size{} << SizeLimits{{4, 20}, {}}
                                                         << SizeLimits{{0, 0}, {5000, 4000}};
    QTest::newRow("maximum smaller than the frame is 1") << Size{8, 30} << Size{} << SizeLimits{{}, {4, 20}}
                                                         << SizeLimits{{100, 50}, {1, 1}};
    QTest::newRow("proportional maximum") << Size{8, 30} << Size{1360, 1037} << SizeLimits{}
                                          << SizeLimits{{100, 50}, {1352, 1007}};
    QTest::newRow("a track axis wins over the proportional one")
        << Size{8, 30} << Size{1360, 1037} << SizeLimits{{}, {1280, 0}}
        << SizeLimits{{100, 50}, {1272, 1007}};
}

void TestElasticLayout::windowSizeLimits()
{
    QFETCH(Size, frame);
    QFETCH(Size, proportional);
    QFETCH(SizeLimits, track);
    QFETCH(SizeLimits, expected);
    QCOMPARE(elastic::windowSizeLimits({{100, 50}, {5000, 4000}}, frame, proportional, track.minimum,
                                       track.maximum),
             expected);
}

void TestElasticLayout::layoutOrder_data()
{
    QTest::addColumn<std::vector<AlignedEdges>>("controls");
    QTest::addColumn<std::vector<int>>("expected");

    using A = Align;
    QTest::newRow("unaligned keep their order")
        << std::vector<AlignedEdges>{{A::None, 5, 5}, {A::None, 1, 1}, {A::None, 3, 3}}
        << std::vector<int>{0, 1, 2};
    QTest::newRow("groups in aligning order")
        << std::vector<AlignedEdges>{{A::None, 0, 0},  {A::Client, 0, 0}, {A::Right, 0, 0},
                                     {A::Left, 0, 0},  {A::Bottom, 0, 0}, {A::Top, 0, 0}}
        << std::vector<int>{5, 4, 3, 2, 1, 0};
    QTest::newRow("edges rising and falling")
        << std::vector<AlignedEdges>{{A::Top, 0, 30},   {A::Top, 0, 10},   {A::Bottom, 0, 100},
                                     {A::Bottom, 0, 200}, {A::Left, 40, 0}, {A::Left, 20, 0},
                                     {A::Right, 300, 0}, {A::Right, 500, 0}}
        << std::vector<int>{1, 0, 3, 2, 5, 4, 7, 6};
    QTest::newRow("equal edges: found last goes first")
        << std::vector<AlignedEdges>{{A::Top, 0, 0}, {A::Top, 0, 0}, {A::Top, 0, 0}}
        << std::vector<int>{2, 1, 0};
}

void TestElasticLayout::layoutOrder()
{
    QFETCH(std::vector<AlignedEdges>, controls);
    QFETCH(std::vector<int>, expected);
    QCOMPARE(elastic::layoutOrder(controls), expected);
}

void TestElasticLayout::tileOrigins()
{
    // 10-pixel tiles overlap by one: they start at 0, 9, 18 across 20 pixels.
    const std::vector<Size> origins = elastic::tileOrigins({10, 10}, {20, 12});
    const std::vector<Size> expected{{0, 0}, {9, 0}, {18, 0}, {0, 9}, {9, 9}, {18, 9}};
    QCOMPARE(origins, expected);
    QCOMPARE(elastic::tileOrigins({1, 1}, {20, 20}).size(), std::size_t(1));
    QVERIFY(elastic::tileOrigins({0, 0}, {20, 20}).empty());
}

QTEST_GUILESS_MAIN(TestElasticLayout)
#include "tst_elasticlayout.moc"
