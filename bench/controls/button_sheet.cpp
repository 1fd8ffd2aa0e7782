// Writes a sheet of the window's five buttons, up, down, focused and disabled,
// enlarged, for a look by eye: button_sheet [out.png] [scale].
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"

namespace {

QFont sansBold()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

void pressLeft(QWidget *button)
{
    const QPointF at(button->width() / 2.0, button->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("buttons.png");
    const int scale = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 4;

    struct Sample
    {
        const char *caption;
        quint32 begin;
        QSize size;
    };
    const Sample samples[] = {{"Repeat", 0x800000, {80, 22}},
                          {"New Question", 0x008000, {80, 22}},
                          {"&Peek", 0x008080, {80, 22}},
                          {"Reset", 0x000000, {50, 30}}};

    // Columns: up, down, focused, disabled; rows: Repeat, New Question, Peek, Reset, Check.
    const int cellW = 90, cellH = 50;
    QImage sheet(cellW * 4 + 10, cellH * 5 + 10, QImage::Format_RGB32);
    // The window's background: the active border colour of the classic scheme.
    sheet.fill(QColor(0xD4, 0xD0, 0xC8));
    QPainter painter(&sheet);

    for (int state = 0; state < 4; ++state) {
        for (int row = 0; row < 5; ++row) {
            QWidget window;
            window.resize(200, 100);
            // Something else to hold the focus, which a new window gives its first control.
            auto *holder = new QWidget(&window);
            holder->setGeometry(150, 80, 10, 10);
            holder->setFocusPolicy(Qt::StrongFocus);
            QWidget *button;
            if (row < 4) {
                auto *gradient = new TGradBtn(&window);
                gradient->setGeometry(QRect(QPoint(10, 10), samples[row].size));
                gradient->setFont(sansBold());
                gradient->setCaption(QString::fromLatin1(samples[row].caption));
                gradient->setBeginColor(samples[row].begin);
                gradient->setEndColor(0xFFFFFF);
                button = gradient;
            } else {
                auto *check = new TQuilButton1(&window);
                check->setGeometry(10, 10, 80, 41);
                QFont arial(QStringLiteral("Arial"));
                arial.setPixelSize(17);
                arial.setBold(true);
                check->setFont(arial);
                check->setCaption(QStringLiteral("Check"));
                button = check;
            }
            window.show();
            window.activateWindow();
            QCoreApplication::processEvents();
            holder->setFocus();
            if (state == 1)
                pressLeft(button);
            if (state == 2)
                button->setFocus();
            if (state == 3)
                button->setEnabled(false);
            QCoreApplication::processEvents();
            painter.drawImage(10 + state * cellW, 5 + row * cellH, button->grab().toImage());
        }
    }
    painter.end();
    sheet.scaled(sheet.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(out);
    return 0;
}
