#include <QFont>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "controls/GradBtn.h"

namespace {

QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

QImage render(QWidget *widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The bounding box of every pixel of exactly one colour.
QRect boxOf(const QImage &image, const QColor &color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

QFont sharpFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A button of the window's size in a larger window, so that the pointer can leave it.
struct Host
{
    explicit Host(QSize size = {80, 22})
    {
        window.resize(200, 100);
        button = new TGradBtn(&window);
        button->setGeometry(QRect(QPoint(10, 10), size));
        button->setEndColor(0xFFFFFF);
    }

    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    QWidget window;
    TGradBtn *button;
};

} // namespace

class TestGradBtn : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")); }

    void publishedDefaults_data();
    void publishedDefaults();
    void gradient_data();
    void gradient();
    void tinyButtonsPaint_data();
    void tinyButtonsPaint();
    void frameRings_data();
    void frameRings();
    void frameSizeBounds_data();
    void frameSizeBounds();
    void systemColours_data();
    void systemColours();
    void displayCaption_data();
    void displayCaption();
    void captionLayers_data();
    void captionLayers();
    void captionMovesWhenPressed();
    void captionCentred_data();
    void captionCentred();
    void disabledCaptionIsReadable_data();
    void disabledCaptionIsReadable();
    void focusRectangle_data();
    void focusRectangle();
    void mouseSequences_data();
    void mouseSequences();
    void clickSeesRaisedFace();
    void swapColors_data();
    void swapColors();
    void enterAndLeaveSignals();
    void keys_data();
    void keys();
    void accelerator_data();
    void accelerator();
    void presets_data();
    void presets();
};

void TestGradBtn::publishedDefaults_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("DisabledColor") << QByteArray("DisabledColor") << QVariant(quint32(0x80000011));
    QTest::newRow("BtnHiliteClr") << QByteArray("BtnHiliteClr") << QVariant(quint32(0x80000014));
    QTest::newRow("BtnShadowClr") << QByteArray("BtnShadowClr") << QVariant(quint32(0x80000010));
    QTest::newRow("BtnFrameSize") << QByteArray("BtnFrameSize") << QVariant(1);
    QTest::newRow("TxtHiliteClr") << QByteArray("TxtHiliteClr") << QVariant(quint32(0x80000014));
    QTest::newRow("TxtShadowClr") << QByteArray("TxtShadowClr") << QVariant(quint32(0x80000010));
    QTest::newRow("BeginColor") << QByteArray("BeginColor") << QVariant(quint32(0x800000));
    QTest::newRow("EndColor") << QByteArray("EndColor") << QVariant(quint32(0xFFFF00));
    QTest::newRow("SwapColors") << QByteArray("SwapColors") << QVariant(true);
    QTest::newRow("ShowFocus") << QByteArray("ShowFocus") << QVariant(true);
    QTest::newRow("GradientStyle") << QByteArray("GradientStyle") << QVariant::fromValue(TGradBtn::gsVertCenter);
    QTest::newRow("TextStyle") << QByteArray("TextStyle") << QVariant::fromValue(TGradBtn::tsRaised);
    QTest::newRow("TextShadeType") << QByteArray("TextShadeType") << QVariant::fromValue(TGradBtn::stLight);
    QTest::newRow("Presets") << QByteArray("Presets") << QVariant::fromValue(TGradBtn::None);
    QTest::newRow("Justification") << QByteArray("Justification") << QVariant::fromValue(TGradBtn::jCenter);
    QTest::newRow("FontColor") << QByteArray("FontColor") << QVariant(quint32(0));
}

void TestGradBtn::publishedDefaults()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    TGradBtn button;
    const QVariant value = button.property(property.constData());
    QVERIFY2(value.isValid(), "not published as a property");
    QCOMPARE(value, expected);
    QCOMPARE(button.size(), QSize(75, 25));
    QCOMPARE(button.focusPolicy(), Qt::StrongFocus);
}

void TestGradBtn::gradient_data()
{
    // Navy (0, 0, 128) to white on 80 x 22: per channel 0 + i * 255 / n, 128 + i * 127 / n.
    QTest::addColumn<TGradBtn::TGradientStyle>("style");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("expected");
    const QColor begin = rgb(0, 0, 128);
    const QColor end = rgb(255, 255, 255);

    QTest::newRow("vcenter row 0") << TGradBtn::gsVertCenter << QPoint(40, 0) << begin;
    QTest::newRow("vcenter row 21") << TGradBtn::gsVertCenter << QPoint(5, 21) << begin;
    QTest::newRow("vcenter row 1, step 1 of 11") << TGradBtn::gsVertCenter << QPoint(0, 1) << rgb(23, 23, 139);
    QTest::newRow("vcenter row 20, step 1 of 11") << TGradBtn::gsVertCenter << QPoint(79, 20) << rgb(23, 23, 139);
    QTest::newRow("vcenter row 5, step 5 of 11") << TGradBtn::gsVertCenter << QPoint(40, 5) << rgb(115, 115, 185);
    QTest::newRow("vcenter row 10") << TGradBtn::gsVertCenter << QPoint(40, 10) << end;
    QTest::newRow("vcenter row 11") << TGradBtn::gsVertCenter << QPoint(40, 11) << end;

    QTest::newRow("hcenter column 0") << TGradBtn::gsHorizCenter << QPoint(0, 11) << begin;
    QTest::newRow("hcenter column 79") << TGradBtn::gsHorizCenter << QPoint(79, 3) << begin;
    QTest::newRow("hcenter column 1, step 1 of 40") << TGradBtn::gsHorizCenter << QPoint(1, 11) << rgb(6, 6, 131);
    QTest::newRow("hcenter column 78, step 1 of 40") << TGradBtn::gsHorizCenter << QPoint(78, 0) << rgb(6, 6, 131);
    QTest::newRow("hcenter column 39") << TGradBtn::gsHorizCenter << QPoint(39, 11) << end;
    QTest::newRow("hcenter column 40") << TGradBtn::gsHorizCenter << QPoint(40, 21) << end;

    // Stripe i covers x from i * 80 / 256 to (i + 1) * 80 / 256; the last non-empty one wins.
    QTest::newRow("horizontal column 0, stripe 3") << TGradBtn::gsHorizontal << QPoint(0, 11) << rgb(3, 3, 129);
    QTest::newRow("horizontal column 40, stripe 131") << TGradBtn::gsHorizontal << QPoint(40, 0) << rgb(131, 131, 193);
    QTest::newRow("horizontal column 79, end") << TGradBtn::gsHorizontal << QPoint(79, 21) << end;

    QTest::newRow("vertical row 0, band 11") << TGradBtn::gsVertical << QPoint(40, 0) << rgb(11, 11, 133);
    QTest::newRow("vertical row 21, end") << TGradBtn::gsVertical << QPoint(0, 21) << end;

    // Left and top stay at 0 up to step 5 (6 * 40 / 255 < 1); the right edge
    // starts at 82 and passes column 79 after step 11 (12 * 40 / 255 > 2).
    QTest::newRow("rectangle corner, step 5") << TGradBtn::gsRectangle << QPoint(0, 0) << rgb(5, 5, 130);
    QTest::newRow("rectangle far corner, step 11") << TGradBtn::gsRectangle << QPoint(79, 21) << rgb(11, 11, 133);
    QTest::newRow("rectangle centre, end") << TGradBtn::gsRectangle << QPoint(40, 11) << end;

    // Ellipse 50 is empty (its box has no width), so ellipse 49 of 50 shows in the centre.
    QTest::newRow("elliptic centre, step 49") << TGradBtn::gsElliptic << QPoint(40, 11) << rgb(249, 249, 252);
}

void TestGradBtn::gradient()
{
    QFETCH(TGradBtn::TGradientStyle, style);
    QFETCH(QPoint, pixel);
    QFETCH(QColor, expected);
    Host host;
    host.button->setBtnFrameSize(0);
    host.button->setGradientStyle(style);
    const QImage image = render(host.button);
    QCOMPARE(image.size(), QSize(80, 22));
    QCOMPARE(QColor(image.pixel(pixel)), expected);
}

void TestGradBtn::tinyButtonsPaint_data()
{
    QTest::addColumn<TGradBtn::TGradientStyle>("style");
    QTest::addColumn<QSize>("size");
    for (auto style : {TGradBtn::gsHorizontal, TGradBtn::gsVertical, TGradBtn::gsElliptic, TGradBtn::gsRectangle,
                       TGradBtn::gsVertCenter, TGradBtn::gsHorizCenter}) {
        const QByteArray name = QMetaEnum::fromType<TGradBtn::TGradientStyle>().valueToKey(style);
        QTest::newRow((name + " 1x1").constData()) << style << QSize(1, 1);
        QTest::newRow((name + " 1x22").constData()) << style << QSize(1, 22);
        QTest::newRow((name + " 80x1").constData()) << style << QSize(80, 1);
    }
}

void TestGradBtn::tinyButtonsPaint()
{
    // A half of 0 is a step count of 0; such a button shows the begin colour
    // along that edge instead of dividing by zero.
    QFETCH(TGradBtn::TGradientStyle, style);
    QFETCH(QSize, size);
    Host host;
    // The frame size bound is checked against the current size, so take 0 first.
    host.button->setBtnFrameSize(0);
    host.button->resize(size);
    host.button->setGradientStyle(style);
    const QImage image = render(host.button);
    QCOMPARE(image.size(), size);
    if (style == TGradBtn::gsVertCenter && size.height() == 1)
        QCOMPARE(QColor(image.pixel(0, 0)), rgb(0, 0, 128));
    if (style == TGradBtn::gsHorizCenter && size.width() == 1)
        QCOMPARE(QColor(image.pixel(0, 0)), rgb(0, 0, 128));
}

void TestGradBtn::frameRings_data()
{
    QTest::addColumn<bool>("down");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QString>("expected"); // "top", "bottom" or "face"
    for (bool down : {false, true}) {
        const char *state = down ? "down " : "up ";
        auto row = [&](const char *name, QPoint p, const char *expected) {
            QTest::newRow((QByteArray(state) + name).constData()) << down << p << QString::fromLatin1(expected);
        };
        row("outer top-left corner", {0, 0}, "top");
        row("outer top row end", {78, 0}, "top");
        row("outer top-right corner", {79, 0}, "bottom");
        row("outer left column end", {0, 20}, "top");
        row("outer bottom-left corner", {0, 21}, "bottom");
        row("outer right column", {79, 10}, "bottom");
        row("outer bottom row", {40, 21}, "bottom");
        row("inner top-left corner", {1, 1}, "top");
        row("inner top row end", {77, 1}, "top");
        row("inner top-right corner", {78, 1}, "bottom");
        row("inner left column end", {1, 19}, "top");
        row("inner bottom-left corner", {1, 20}, "bottom");
        row("inner bottom-right corner", {78, 20}, "bottom");
        row("inside the rings", {2, 2}, "face");
        row("inside the rings, right", {77, 19}, "face");
    }
}

void TestGradBtn::frameRings()
{
    QFETCH(bool, down);
    QFETCH(QPoint, pixel);
    QFETCH(QString, expected);
    Host host;
    QVERIFY(host.showActive());
    TGradBtn *button = host.button;
    button->setShowFocus(false);
    button->setBtnFrameSize(2);
    button->setBtnHiliteClr(0x0000FF);
    button->setBtnShadowClr(0x00FF00);
    button->setBeginColor(0x404040);
    button->setEndColor(0x404040);
    if (down)
        QTest::mousePress(button, Qt::LeftButton, {}, {40, 11});
    QCOMPARE(button->isDown(), down);

    const QColor light = rgb(255, 0, 0);
    const QColor dark = rgb(0, 255, 0);
    QColor want = rgb(0x40, 0x40, 0x40);
    if (expected == QLatin1String("top"))
        want = down ? dark : light;
    else if (expected == QLatin1String("bottom"))
        want = down ? light : dark;
    QCOMPARE(QColor(render(button).pixel(pixel)), want);
    if (down)
        QTest::mouseRelease(button, Qt::LeftButton, {}, {40, 11});
}

void TestGradBtn::frameSizeBounds_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("expected");
    // 80 x 22: at most 22 / 2 - 5 = 6.
    QTest::newRow("6 taken") << 6 << 6;
    QTest::newRow("7 ignored") << 7 << 1;
    QTest::newRow("0 taken") << 0 << 0;
    QTest::newRow("negative taken") << -2 << -2;
}

void TestGradBtn::frameSizeBounds()
{
    QFETCH(int, size);
    QFETCH(int, expected);
    Host host;
    host.button->setBtnFrameSize(size);
    QCOMPARE(host.button->btnFrameSize(), expected);
}

void TestGradBtn::systemColours_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("plain red") << quint32(0x0000FF) << rgb(255, 0, 0);
    QTest::newRow("plain blue, high byte not 0x80") << quint32(0x01FF0000) << rgb(0, 0, 255);
    QTest::newRow("button shadow") << quint32(0x80000010) << rgb(0x44, 0x55, 0x66);
    QTest::newRow("grey text") << quint32(0x80000011) << rgb(0x77, 0x88, 0x99);
    QTest::newRow("button highlight") << quint32(0x80000014) << rgb(0x11, 0x22, 0x33);
    QTest::newRow("button face") << quint32(0x8000000F) << rgb(0xAA, 0xBB, 0xCC);
    QTest::newRow("unknown index") << quint32(0x800000FE) << rgb(0, 0, 0);
}

void TestGradBtn::systemColours()
{
    QFETCH(quint32, value);
    QFETCH(QColor, expected);
    QPalette palette;
    palette.setColor(QPalette::Light, rgb(0x11, 0x22, 0x33));
    palette.setColor(QPalette::Dark, rgb(0x44, 0x55, 0x66));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, rgb(0x77, 0x88, 0x99));
    palette.setColor(QPalette::Button, rgb(0xAA, 0xBB, 0xCC));
    QCOMPARE(resolveColor(value, palette), expected);

    // The frame resolves its system colours against the button's own palette.
    Host host;
    host.button->setPalette(palette);
    const QImage image = render(host.button);
    QCOMPARE(QColor(image.pixel(0, 0)), rgb(0x11, 0x22, 0x33));
    QCOMPARE(QColor(image.pixel(79, 21)), rgb(0x44, 0x55, 0x66));
}

void TestGradBtn::displayCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Reset" << "Reset";
    QTest::newRow("accelerator prefix") << "&Peek" << "Peek";
    QTest::newRow("inner accelerator") << "New &Question" << "New Question";
    QTest::newRow("doubled ampersand") << "Salt && Pepper" << "Salt & Pepper";
    QTest::newRow("last character kept") << "Peek&" << "Peek&";
    QTest::newRow("doubled at the end") << "A&&" << "A&";
    QTest::newRow("doubled alone") << "&&" << "&";
    QTest::newRow("three at the end") << "A&&&" << "A&&";
    QTest::newRow("empty") << "" << "";
}

void TestGradBtn::displayCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    QCOMPARE(TGradBtn::displayCaption(caption), expected);
    // Centred by this width: it must be the width Qt draws.
    const QFontMetrics metrics(QFont(QStringLiteral("Arial"), 14));
    QCOMPARE(metrics.size(Qt::TextSingleLine, expected).width(),
             metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, TGradBtn::mnemonicCaption(caption)).width());
}

void TestGradBtn::captionLayers_data()
{
    // Layers by colour name, with their offset from the face layer; a layer
    // not listed must not show at all.
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<TGradBtn::TTextStyle>("textStyle");
    QTest::addColumn<TGradBtn::TShadeType>("shade");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("hiliteOffset"); // 0: the layer is absent
    QTest::addColumn<int>("shadowOffset");

    QTest::newRow("normal") << true << TGradBtn::tsNormal << TGradBtn::stHeavy << "font" << 0 << 0;
    QTest::newRow("raised light") << true << TGradBtn::tsRaised << TGradBtn::stLight << "font" << -1 << 0;
    QTest::newRow("raised heavy") << true << TGradBtn::tsRaised << TGradBtn::stHeavy << "font" << -1 << 1;
    QTest::newRow("inset light") << true << TGradBtn::tsInset << TGradBtn::stLight << "font" << 1 << 0;
    QTest::newRow("inset heavy") << true << TGradBtn::tsInset << TGradBtn::stHeavy << "font" << 1 << -1;
    QTest::newRow("disabled normal") << false << TGradBtn::tsNormal << TGradBtn::stLight << "disabled" << 1 << 0;
    QTest::newRow("disabled raised light") << false << TGradBtn::tsRaised << TGradBtn::stLight << "disabled" << 1 << 0;
    QTest::newRow("disabled raised heavy") << false << TGradBtn::tsRaised << TGradBtn::stHeavy << "disabled" << 1 << -1;
    QTest::newRow("disabled inset heavy") << false << TGradBtn::tsInset << TGradBtn::stHeavy << "disabled" << 1 << -1;
}

void TestGradBtn::captionLayers()
{
    QFETCH(bool, enabled);
    QFETCH(TGradBtn::TTextStyle, textStyle);
    QFETCH(TGradBtn::TShadeType, shade);
    QFETCH(QString, face);
    QFETCH(int, hiliteOffset);
    QFETCH(int, shadowOffset);

    Host host;
    TGradBtn *button = host.button;
    button->setFont(sharpFont());
    button->setCaption(QStringLiteral("Peek"));
    button->setBtnFrameSize(0);
    button->setBeginColor(0xC0C0C0); // light enough for the blue disabled colour to be read as it is
    button->setEndColor(0xC0C0C0);
    button->setFontColor(0x000000);
    button->setTxtHiliteClr(0xFFFFFF);
    button->setTxtShadowClr(0x0000FF);
    button->setDisabledColor(0xFF0000);
    button->setTextStyle(textStyle);
    button->setTextShadeType(shade);
    button->setEnabled(enabled);
    const QImage image = render(button);

    const QColor font = rgb(0, 0, 0), disabled = rgb(0, 0, 255), hilite = rgb(255, 255, 255), shadow = rgb(255, 0, 0);
    const QRect faceBox = boxOf(image, face == QLatin1String("font") ? font : disabled);
    const QRect otherFace = boxOf(image, face == QLatin1String("font") ? disabled : font);
    QVERIFY2(!faceBox.isEmpty(), "the face layer is missing");
    QVERIFY2(otherFace.isEmpty(), "the face is drawn in the wrong colour");

    auto check = [&](const QColor &color, int offset, const char *what) {
        const QRect box = boxOf(image, color);
        if (offset == 0) {
            QVERIFY2(box.isEmpty(), what);
        } else if (offset < 0) {
            QCOMPARE(box.topLeft(), faceBox.topLeft() + QPoint(offset, offset));
        } else {
            QCOMPARE(box.bottomRight(), faceBox.bottomRight() + QPoint(offset, offset));
        }
    };
    check(hilite, hiliteOffset, "an unexpected highlight layer");
    check(shadow, shadowOffset, "an unexpected shadow layer");
}

void TestGradBtn::captionCentred_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("plain") << "Peek";
    QTest::newRow("accelerator") << "&Peek";
    QTest::newRow("doubled ampersand, drawn as one") << "A&&B";
    QTest::newRow("wider than the face: gives way") << "Question Nouvelle";
}

// Centred by what is drawn, and drawn whole.
void TestGradBtn::captionCentred()
{
    QFETCH(QString, caption);
    Host host;
    TGradBtn *button = host.button;
    button->setFont(sharpFont());
    button->setCaption(caption);
    button->setBtnFrameSize(0);
    button->setBeginColor(0x808080);
    button->setEndColor(0x808080);
    button->setTextStyle(TGradBtn::tsNormal);
    const QRect face = boxOf(render(button), rgb(0, 0, 0));
    QVERIFY(!face.isEmpty());
    QVERIFY2(face.left() >= 2 && face.right() <= button->width() - 3, "the caption is cut off");

    // Where the same text lands, centred by its own width, in the same font.
    QImage reference(button->size(), QImage::Format_RGB32);
    reference.fill(Qt::gray);
    QPainter painter(&reference);
    painter.setFont(button->captionFont());
    painter.setPen(Qt::black);
    painter.drawText(reference.rect(), Qt::AlignCenter | Qt::TextShowMnemonic, caption);
    painter.end();
    const QRect centred = boxOf(reference, rgb(0, 0, 0));
    QVERIFY2(std::abs(face.center().x() - centred.center().x()) <= 1,
             qPrintable(QStringLiteral("drawn from x %1, centred from x %2").arg(face.left()).arg(centred.left())));
}

void TestGradBtn::captionMovesWhenPressed()
{
    Host host;
    QVERIFY(host.showActive());
    TGradBtn *button = host.button;
    button->setFont(sharpFont());
    button->setCaption(QStringLiteral("Peek"));
    button->setTextStyle(TGradBtn::tsNormal);
    button->setShowFocus(false);
    const QRect up = boxOf(render(button), Qt::black);
    QTest::mousePress(button, Qt::LeftButton, {}, {40, 11});
    const QRect down = boxOf(render(button), Qt::black);
    QTest::mouseRelease(button, Qt::LeftButton, {}, {40, 11});
    QVERIFY(!up.isEmpty());
    QCOMPARE(down, up.translated(1, 1));
    QCOMPARE(boxOf(render(button), Qt::black), up);
}

void TestGradBtn::disabledCaptionIsReadable_data()
{
    QTest::addColumn<quint32>("endColor");
    QTest::addColumn<quint32>("disabledColor");
    QTest::addColumn<bool>("kept");
    QTest::newRow("light grey on white: darkened") << quint32(0xFFFFFF) << quint32(0xD0D0D0) << false;
    QTest::newRow("silver on white: darkened") << quint32(0xFFFFFF) << quint32(0xC0C0C0) << false;
    QTest::newRow("dark grey on white: kept") << quint32(0xFFFFFF) << quint32(0x606060) << true;
    QTest::newRow("light grey on navy: kept") << quint32(0x800000) << quint32(0xD0D0D0) << true;
}

// A disabled caption on a plain face: its colour as set where it reads, darker where it would fade.
void TestGradBtn::disabledCaptionIsReadable()
{
    QFETCH(quint32, endColor);
    QFETCH(quint32, disabledColor);
    QFETCH(bool, kept);
    Host host;
    TGradBtn *button = host.button;
    button->setFont(sharpFont());
    button->setCaption(QStringLiteral("Repeat"));
    button->setBtnFrameSize(0);
    button->setBeginColor(endColor);
    button->setEndColor(endColor);
    button->setTxtHiliteClr(endColor); // only the face layer stands out
    button->setDisabledColor(disabledColor);
    button->setEnabled(false);
    const QImage image = render(button);
    const QColor asSet = rgb(disabledColor & 0xFF, (disabledColor >> 8) & 0xFF, disabledColor >> 16);
    QCOMPARE(!boxOf(image, asSet).isEmpty(), kept);
    if (kept)
        return;
    // Darkened: the darkest pixel, the caption's face layer, reads 3 to 1 against white.
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, QColor(image.pixel(x, y)).lightness());
    QVERIFY2(darkest <= 0x95, qPrintable(QString::number(darkest)));
}

void TestGradBtn::focusRectangle_data()
{
    QTest::addColumn<bool>("showFocus");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<QSize>("size");
    // The ring runs from (2, 2) to (77, 19); every pixel with x + y even is inverted.
    QTest::newRow("top-left corner") << true << true << QPoint(2, 2) << true << QSize(80, 22);
    QTest::newRow("top row, odd") << true << true << QPoint(3, 2) << false << QSize(80, 22);
    QTest::newRow("top row, even") << true << true << QPoint(40, 2) << true << QSize(80, 22);
    QTest::newRow("bottom-right corner") << true << true << QPoint(77, 19) << true << QSize(80, 22);
    QTest::newRow("left column") << true << true << QPoint(2, 10) << true << QSize(80, 22);
    QTest::newRow("right column") << true << true << QPoint(77, 11) << true << QSize(80, 22);
    QTest::newRow("past the right edge") << true << true << QPoint(78, 10) << false << QSize(80, 22);
    QTest::newRow("below the bottom edge") << true << true << QPoint(40, 20) << false << QSize(80, 22);
    QTest::newRow("inside") << true << true << QPoint(10, 10) << false << QSize(80, 22);
    QTest::newRow("not focused") << true << false << QPoint(2, 2) << false << QSize(80, 22);
    QTest::newRow("ShowFocus off") << false << true << QPoint(2, 2) << false << QSize(80, 22);
    // Three times the design's height: dots, line and inset of three pixels.
    const QSize grown(240, 66);
    QTest::newRow("grown: top-left dot") << true << true << QPoint(8, 8) << true << grown;
    QTest::newRow("grown: next dot along") << true << true << QPoint(9, 6) << false << grown;
    QTest::newRow("grown: the dot after") << true << true << QPoint(12, 7) << true << grown;
    QTest::newRow("grown: outside the ring") << true << true << QPoint(5, 6) << false << grown;
    QTest::newRow("grown: inside the ring") << true << true << QPoint(12, 12) << false << grown;
    QTest::newRow("grown: bottom-right dot") << true << true << QPoint(233, 59) << true << grown;
}

void TestGradBtn::focusRectangle()
{
    QFETCH(bool, showFocus);
    QFETCH(bool, focused);
    QFETCH(QPoint, pixel);
    QFETCH(bool, inverted);
    QFETCH(QSize, size);
    Host host(size);
    auto *other = new TGradBtn(&host.window);
    other->setGeometry(10, 50, 80, 22);
    QVERIFY(host.showActive());
    other->setFocus();
    TGradBtn *button = host.button;
    QVERIFY(!button->hasFocus());
    const QColor plain(render(button).pixel(pixel));
    // ShowFocus does not repaint; it shows at the next paint.
    button->setShowFocus(showFocus);
    if (focused) {
        button->setFocus();
        QVERIFY(button->hasFocus());
    }
    const QColor shown(render(button).pixel(pixel));
    const QColor invertedColor(255 - plain.red(), 255 - plain.green(), 255 - plain.blue());
    QCOMPARE(shown, inverted ? invertedColor : plain);
}

void TestGradBtn::mouseSequences_data()
{
    // Steps: "P x,y" left press, "p x,y" right press, "M x,y" move, "R x,y"
    // left release, "r x,y" right release. After each step the button must be
    // up (U) or down (D).
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("states");
    QTest::addColumn<int>("clicks");
    QTest::newRow("press, release inside") << "P 40,11; R 40,11" << "DU" << 1;
    QTest::newRow("press, release outside") << "P 40,11; R 100,11" << "DU" << 0;
    QTest::newRow("drag out, back, release inside") << "P 40,11; M -5,11; M 40,11; R 40,11" << "DUDU" << 1;
    QTest::newRow("drag out, release outside") << "P 40,11; M 40,30; R 40,30" << "DUU" << 0;
    QTest::newRow("drag out and back twice") << "P 40,11; M 90,11; M 70,11; M 90,11; M 70,11; R 70,11"
                                              << "DUDUDU" << 1;
    QTest::newRow("release on the right edge is outside") << "P 40,11; R 80,11" << "DU" << 0;
    QTest::newRow("release on the last column") << "P 40,11; R 79,21" << "DU" << 1;
    QTest::newRow("right press leaves it up") << "p 40,11; r 40,11" << "UU" << 0;
    QTest::newRow("move inside while held") << "P 40,11; M 60,5; R 60,5" << "DDU" << 1;
}

void TestGradBtn::mouseSequences()
{
    QFETCH(QString, steps);
    QFETCH(QString, states);
    QFETCH(int, clicks);
    Host host;
    QVERIFY(host.showActive());
    TGradBtn *button = host.button;
    QSignalSpy clicked(button, &TGradBtn::clicked);
    const QStringList list = steps.split(QStringLiteral("; "));
    QCOMPARE(list.size(), states.size());
    for (int i = 0; i < list.size(); ++i) {
        const QString &step = list[i];
        const QStringList xy = step.mid(2).split(QLatin1Char(','));
        const QPoint at(xy[0].toInt(), xy[1].toInt());
        switch (step[0].toLatin1()) {
        case 'P': QTest::mousePress(button, Qt::LeftButton, {}, at); break;
        case 'p': QTest::mousePress(button, Qt::RightButton, {}, at); break;
        case 'M': QTest::mouseMove(button, at); break;
        case 'R': QTest::mouseRelease(button, Qt::LeftButton, {}, at); break;
        case 'r': QTest::mouseRelease(button, Qt::RightButton, {}, at); break;
        }
        QVERIFY2(button->isDown() == (states[i] == QLatin1Char('D')), qPrintable(QStringLiteral("after ") + step));
        // The colours are exchanged exactly while the button is down.
        QCOMPARE(button->beginColor(), button->isDown() ? quint32(0xFFFFFF) : quint32(0x800000));
        QVERIFY2(button->hasFocus(), "a press of any button takes the focus");
    }
    QCOMPARE(clicked.count(), clicks);
}

void TestGradBtn::clickSeesRaisedFace()
{
    Host host;
    QVERIFY(host.showActive());
    TGradBtn *button = host.button;
    bool downInHandler = true;
    quint32 beginInHandler = 0;
    connect(button, &TGradBtn::clicked, button, [&] {
        downInHandler = button->isDown();
        beginInHandler = button->beginColor();
    });
    QTest::mouseClick(button, Qt::LeftButton, {}, {40, 11});
    QVERIFY(!downInHandler);
    QCOMPARE(beginInHandler, quint32(0x800000));
}

void TestGradBtn::swapColors_data()
{
    QTest::addColumn<bool>("swap");
    QTest::addColumn<bool>("toggleWhileDown");
    QTest::addColumn<quint32>("beginWhileDown");
    QTest::newRow("swapping") << true << false << quint32(0xFFFFFF);
    QTest::newRow("not swapping") << false << false << quint32(0x800000);
    QTest::newRow("switched off while down") << true << true << quint32(0xFFFFFF);
    QTest::newRow("switched on while down") << false << true << quint32(0x800000);
}

void TestGradBtn::swapColors()
{
    QFETCH(bool, swap);
    QFETCH(bool, toggleWhileDown);
    QFETCH(quint32, beginWhileDown);
    Host host;
    QVERIFY(host.showActive());
    TGradBtn *button = host.button;
    button->setSwapColors(swap);
    QTest::mousePress(button, Qt::LeftButton, {}, {40, 11});
    QCOMPARE(button->beginColor(), beginWhileDown);
    if (toggleWhileDown)
        button->setSwapColors(!swap);
    QTest::mouseRelease(button, Qt::LeftButton, {}, {40, 11});
    QCOMPARE(button->beginColor(), quint32(0x800000));
    QCOMPARE(button->endColor(), quint32(0xFFFFFF));
}

void TestGradBtn::enterAndLeaveSignals()
{
    Host host;
    QVERIFY(host.showActive());
    TGradBtn *button = host.button;
    QSignalSpy entered(button, &TGradBtn::mouseEntered);
    QSignalSpy left(button, &TGradBtn::mouseLeft);
    QTest::mouseMove(&host.window, {150, 80});
    QTest::mouseMove(&host.window, {50, 20});
    QTRY_COMPARE(entered.count(), 1);
    QTest::mouseMove(&host.window, {150, 80});
    QTRY_COMPARE(left.count(), 1);
    // Dragging out of a held button also counts as leaving it.
    QTest::mouseMove(&host.window, {50, 20});
    QTRY_COMPARE(entered.count(), 2);
    QTest::mousePress(button, Qt::LeftButton, {}, {40, 11});
    QTest::mouseMove(button, {40, 60});
    QCOMPARE(left.count(), 2);
    QTest::mouseRelease(button, Qt::LeftButton, {}, {40, 60});
    QCOMPARE(left.count(), 2);
}

void TestGradBtn::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << 1;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 1;
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
    QTest::newRow("space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << 0;
}

void TestGradBtn::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, clicks);
    Host host;
    QVERIFY(host.showActive());
    TGradBtn *button = host.button;
    button->setFocus();
    QSignalSpy clicked(button, &TGradBtn::clicked);
    QTest::keyClick(button, Qt::Key(key), modifiers);
    QCOMPARE(clicked.count(), clicks);
    QVERIFY(!button->isDown());
    QCOMPARE(button->beginColor(), quint32(0x800000));
}

void TestGradBtn::accelerator_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Alt+P on &Peek") << "&Peek" << int(Qt::Key_P) << true << 1;
    QTest::newRow("Alt+Q on New &Question") << "New &Question" << int(Qt::Key_Q) << true << 1;
    QTest::newRow("Alt+P on a disabled &Peek") << "&Peek" << int(Qt::Key_P) << false << 0;
    QTest::newRow("Alt+E on &Peek") << "&Peek" << int(Qt::Key_E) << true << 0;
    QTest::newRow("Alt+P on Salt && Pepper") << "Salt && Pepper" << int(Qt::Key_P) << true << 0;
}

void TestGradBtn::accelerator()
{
    QFETCH(QString, caption);
    QFETCH(int, key);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    Host host;
    auto *other = new TGradBtn(&host.window);
    other->setGeometry(10, 50, 80, 22);
    QVERIFY(host.showActive());
    other->setFocus();
    host.button->setCaption(caption);
    host.button->setEnabled(enabled);
    QSignalSpy clicked(host.button, &TGradBtn::clicked);
    QTest::keyClick(other, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(clicked.count(), clicks);
}

void TestGradBtn::presets_data()
{
    QTest::addColumn<TGradBtn::TPreset>("preset");
    QTest::addColumn<quint32>("beginColor");
    QTest::addColumn<TGradBtn::TGradientStyle>("style");
    QTest::addColumn<bool>("swapColors");
    QTest::newRow("GoldCoast") << TGradBtn::GoldCoast << quint32(0x00FFFF) << TGradBtn::gsVertical << true;
    QTest::newRow("LimeBox") << TGradBtn::LimeBox << quint32(0x000000) << TGradBtn::gsRectangle << true;
    QTest::newRow("BrassedOff") << TGradBtn::BrassedOff << quint32(0xCEFFFF) << TGradBtn::gsElliptic << false;
}

void TestGradBtn::presets()
{
    QFETCH(TGradBtn::TPreset, preset);
    QFETCH(quint32, beginColor);
    QFETCH(TGradBtn::TGradientStyle, style);
    QFETCH(bool, swapColors);
    TGradBtn button;
    const QFont font = button.font();
    button.setPresets(preset);
    QCOMPARE(button.presets(), TGradBtn::None);
    QCOMPARE(button.beginColor(), quint32(0x800000));
    QCOMPARE(button.gradientStyle(), TGradBtn::gsVertCenter);
    QCOMPARE(button.font(), font);
    QCOMPARE(button.disabledColor(), quint32(0x80000011));

    // Only a form designer applies the scheme; None then restores plain grey.
    button.setDesigning(true);
    button.setPresets(preset);
    QCOMPARE(button.presets(), preset);
    QCOMPARE(button.beginColor(), beginColor);
    QCOMPARE(button.gradientStyle(), style);
    QCOMPARE(button.swapColors(), swapColors);
    button.setPresets(TGradBtn::None);
    QCOMPARE(button.beginColor(), quint32(0x800000));
    QCOMPARE(button.disabledColor(), quint32(0x808080));
    QCOMPARE(button.font().family(), QStringLiteral("MS Sans Serif"));
}

QTEST_MAIN(TestGradBtn)
#include "tst_gradbtn.moc"
