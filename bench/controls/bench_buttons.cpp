// Prints the time of one paint of the gradient button in each style and of the
// check button, on the window's sizes.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMetaEnum>
#include <QPainter>

#include <cstdio>

#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"

namespace {

// Microseconds per paint, rendering into an image as an expose would.
template<typename Button>
double timePaint(Button &button, int rounds)
{
    QImage target(button.size(), QImage::Format_RGB32);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        button.render(&target);
    return double(timer.nsecsElapsed()) / rounds / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    const int rounds = 2000;

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(true);
    const QMetaEnum styles = QMetaEnum::fromType<TGradBtn::TGradientStyle>();
    std::printf("one paint, mean of %d\n", rounds);
    for (int i = 0; i < styles.keyCount(); ++i) {
        TGradBtn button;
        button.resize(80, 22);
        button.setFont(font);
        button.setCaption(QStringLiteral("New Question"));
        button.setEndColor(0xFFFFFF);
        button.setGradientStyle(TGradBtn::TGradientStyle(styles.value(i)));
        timePaint(button, 50); // warm the glyph cache
        std::printf("TGradBtn %-14s 80 x 22  %8.1f us\n", styles.key(i), timePaint(button, rounds));
    }

    TQuilButton1 check;
    check.resize(80, 41);
    check.setCaption(QStringLiteral("Check"));
    timePaint(check, 50);
    std::printf("TQuilButton1                80 x 41  %8.1f us\n", timePaint(check, rounds));
    return 0;
}
