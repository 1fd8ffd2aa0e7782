#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"

using Status = TQuilButton1::TButtonState;
using Style = TQuilButton1::TButtonStyle;

namespace {

QImage render(QWidget *widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

QRect boxOf(const QImage &image, const QColor &color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

bool sameColumn(const QImage &a, int ax, const QImage &b, int bx)
{
    for (int y = 0; y < a.height(); ++y)
        if (a.pixel(ax, y) != b.pixel(bx, y))
            return false;
    return true;
}

// The window's check button in a larger window, so that the pointer can leave it.
struct Host
{
    Host()
    {
        window.resize(200, 100);
        button = new TQuilButton1(&window);
        button->setGeometry(10, 10, 80, 41);
    }

    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    QWidget window;
    TQuilButton1 *button;
};

} // namespace

class TestQuilButton1 : public QObject
{
    Q_OBJECT

private slots:
    void pictures_data();
    void pictures();
    void columnLayout_data();
    void columnLayout();
    void heightStaysFixed_data();
    void heightStaysFixed();
    void captionColour_data();
    void captionColour();
    void focusCorner_data();
    void focusCorner();
    void mouseSequences_data();
    void mouseSequences();
    void disabledIgnoresMouse();
    void windowKeys_data();
    void windowKeys();
    void keysStayInTheirWindow();
    void accelerator_data();
    void accelerator();
    void clickFromCode_data();
    void clickFromCode();
    void modalResultEndsADialog_data();
    void modalResultEndsADialog();
};

void TestQuilButton1::pictures_data()
{
    QTest::addColumn<Status>("status");
    QTest::addColumn<Style>("style");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QRect>("disc");
    QTest::addColumn<bool>("shadow");
    const QColor grey(0xBD, 0xBD, 0xBD), white(0xFF, 0xFF, 0xFF);
    QTest::newRow("BUTTON2A") << TQuilButton1::bsOff << TQuilButton1::bsOnGray << grey << QRect(1, 0, 28, 30) << true;
    QTest::newRow("BUTTON1A") << TQuilButton1::bsOff << TQuilButton1::bsOnWhite << white << QRect(1, 0, 28, 30) << true;
    QTest::newRow("BUTTON2B") << TQuilButton1::bsOn << TQuilButton1::bsOnGray << grey << QRect(5, 5, 28, 30) << false;
    QTest::newRow("BUTTON1B") << TQuilButton1::bsOn << TQuilButton1::bsOnWhite << white << QRect(5, 5, 28, 30) << false;
}

void TestQuilButton1::pictures()
{
    QFETCH(Status, status);
    QFETCH(Style, style);
    QFETCH(QColor, background);
    QFETCH(QRect, disc);
    QFETCH(bool, shadow);
    TQuilButton1 button;
    const QImage image = button.picture(status, style);
    QCOMPARE(image.size(), QSize(37, 41));
    QCOMPARE(QColor(image.pixel(36, 40)), background);
    QCOMPARE(QColor(image.pixel(0, 40)), background);
    QCOMPARE(boxOf(image, Qt::black), disc);
    bool shaded = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            if (c != background && c != Qt::black) {
                shaded = true;
                QVERIFY2(x > disc.center().x() || y > disc.center().y(), "shadow on the upper left");
            }
        }
    QCOMPARE(shaded, shadow);
}

void TestQuilButton1::columnLayout_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<Status>("status");
    QTest::addColumn<Style>("style");
    for (int width : {80, 36, 20}) {
        for (Status status : {TQuilButton1::bsOff, TQuilButton1::bsOn})
            for (Style style : {TQuilButton1::bsOnGray, TQuilButton1::bsOnWhite})
                QTest::addRow("width %d, status %d, style %d", width, int(status), int(style))
                    << width << status << style;
    }
}

void TestQuilButton1::columnLayout()
{
    QFETCH(int, width);
    QFETCH(Status, status);
    QFETCH(Style, style);
    Host host;
    TQuilButton1 *button = host.button;
    button->resize(width, 41);
    button->setButtonStyle(style);
    button->setStatus(status);
    const QImage picture = button->shownPicture(status, style);
    const QImage face = render(button);
    QCOMPARE(face.size(), QSize(width, 41));
    // On grey, the pictures' background is the window's own colour: no grey box.
    const QColor around = style == TQuilButton1::bsOnGray ? host.window.palette().color(QPalette::Window) : Qt::white;
    QCOMPARE(QColor(face.pixel(0, 40)), around);

    // 16 columns, the picture's columns 16 and 17 stretched over W - 36, then
    // 20 columns from column 18, whose last repeats column 36.
    const int middle = qMax(0, width - 36);
    for (int x = 0; x < width; ++x) {
        bool ok;
        if (x < 16)
            ok = sameColumn(face, x, picture, x);
        else if (x < 16 + middle)
            ok = sameColumn(face, x, picture, 16) || sameColumn(face, x, picture, 17);
        else
            ok = sameColumn(face, x, picture, qMin(36, x - 16 - middle + 18));
        QVERIFY2(ok, qPrintable(QStringLiteral("column %1").arg(x)));
    }
}

void TestQuilButton1::heightStaysFixed_data()
{
    QTest::addColumn<int>("height");
    QTest::newRow("lower") << 30;
    QTest::newRow("higher") << 60;
    QTest::newRow("zero") << 0;
}

void TestQuilButton1::heightStaysFixed()
{
    QFETCH(int, height);
    Host host;
    host.button->setGeometry(10, 10, 80, height);
    QCOMPARE(host.button->height(), 41);
    QCOMPARE(render(host.button).height(), 41);
}

void TestQuilButton1::captionColour_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QColor>("shown");
    QTest::addColumn<QColor>("absent");
    QTest::newRow("enabled, font colour") << true << QColor(0, 0, 255) << QColor(255, 255, 0);
    QTest::newRow("disabled, yellow") << false << QColor(255, 255, 0) << QColor(0, 0, 255);
}

void TestQuilButton1::captionColour()
{
    QFETCH(bool, enabled);
    QFETCH(QColor, shown);
    QFETCH(QColor, absent);
    Host host;
    TQuilButton1 *button = host.button;
    QFont font = button->font();
    font.setStyleStrategy(QFont::NoAntialias);
    button->setFont(font);
    button->setFontColor(0xFF0000);
    button->setCaption(QStringLiteral("Check"));
    button->setEnabled(enabled);
    const QImage face = render(button);
    const QRect caption = boxOf(face, shown);
    QVERIFY2(!caption.isEmpty(), "no caption in the expected colour");
    QVERIFY2(boxOf(face, absent).isEmpty(), "caption in the wrong colour");
    // Centred in (0, 0) to (72, 30), that is on the raised disc.
    QVERIFY(qAbs(caption.center().x() - 36) <= 2);
    QVERIFY(qAbs(caption.center().y() - 15) <= 2);
}

void TestQuilButton1::focusCorner_data()
{
    QTest::addColumn<bool>("focused");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<bool>("grey");
    const Status off = TQuilButton1::bsOff, on = TQuilButton1::bsOn;
    // Raised: (64, 4) to (7, 4) and on to (7, 25), each end point left out.
    QTest::newRow("raised, start") << true << off << QPoint(64, 4) << true;
    QTest::newRow("raised, past the start") << true << off << QPoint(65, 4) << false;
    QTest::newRow("raised, corner") << true << off << QPoint(7, 4) << true;
    QTest::newRow("raised, above the corner") << true << off << QPoint(7, 3) << false;
    QTest::newRow("raised, last of the column") << true << off << QPoint(7, 24) << true;
    QTest::newRow("raised, end point") << true << off << QPoint(7, 25) << false;
    QTest::newRow("raised, unfocused") << false << off << QPoint(7, 4) << false;
    // Pressed: (69, 9) to (12, 9) and on to (12, 30).
    QTest::newRow("pressed, start") << true << on << QPoint(69, 9) << true;
    QTest::newRow("pressed, past the start") << true << on << QPoint(70, 9) << false;
    QTest::newRow("pressed, corner") << true << on << QPoint(12, 9) << true;
    QTest::newRow("pressed, last of the column") << true << on << QPoint(12, 29) << true;
    QTest::newRow("pressed, end point") << true << on << QPoint(12, 30) << false;
    QTest::newRow("pressed, raised corner") << true << on << QPoint(7, 4) << false;
}

void TestQuilButton1::focusCorner()
{
    QFETCH(bool, focused);
    QFETCH(Status, status);
    QFETCH(QPoint, pixel);
    QFETCH(bool, grey);
    Host host;
    auto *other = new QLineEdit(&host.window);
    other->setGeometry(100, 10, 80, 20);
    QVERIFY(host.showActive());
    if (focused)
        host.button->setFocus();
    else
        other->setFocus();
    QCOMPARE(host.button->hasFocus(), focused);
    host.button->setStatus(status);
    const QColor color(render(host.button).pixel(pixel));
    QCOMPARE(color == QColor(0x80, 0x80, 0x80), grey);
}

void TestQuilButton1::mouseSequences_data()
{
    // Steps: "P x,y" left press, "p x,y" right press, "M x,y" move, "R x,y"
    // left release, "r x,y" right release, "S" Status set to bsOff from code.
    // After each step the button is pressed (N) or raised (O).
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("states");
    QTest::addColumn<int>("clicks");
    QTest::newRow("press, release inside") << "P 40,20; R 40,20" << "NO" << 1;
    QTest::newRow("press, release outside") << "P 40,20; R 120,20" << "NO" << 0;
    QTest::newRow("drag out, back, release inside") << "P 40,20; M -3,20; M 40,20; R 40,20" << "NONO" << 1;
    QTest::newRow("drag out, release outside") << "P 40,20; M 40,50; R 40,50" << "NOO" << 0;
    QTest::newRow("release on the right edge") << "P 40,20; R 80,20" << "NO" << 1;
    QTest::newRow("release on the bottom edge") << "P 40,20; R 40,41" << "NO" << 1;
    QTest::newRow("release on the corner") << "P 40,20; R 80,41" << "NO" << 1;
    QTest::newRow("release past the right edge") << "P 40,20; R 81,20" << "NO" << 0;
    QTest::newRow("release past the bottom edge") << "P 40,20; R 40,42" << "NO" << 0;
    QTest::newRow("move onto the edges stays pressed") << "P 40,20; M 80,41; M 81,41; M 80,0; R 80,0"
                                                       << "NNONO" << 1;
    QTest::newRow("right press") << "p 40,20; r 40,20" << "OO" << 0;
    QTest::newRow("Status set during a press") << "P 40,20; S; R 40,20" << "NOO" << 0;
    QTest::newRow("Status set, then moves") << "P 40,20; S; M 120,20; M 40,20; R 40,20" << "NOOOO" << 0;
}

void TestQuilButton1::mouseSequences()
{
    QFETCH(QString, steps);
    QFETCH(QString, states);
    QFETCH(int, clicks);
    Host host;
    QVERIFY(host.showActive());
    TQuilButton1 *button = host.button;
    QSignalSpy clicked(button, &TQuilButton1::clicked);
    const QStringList list = steps.split(QStringLiteral("; "));
    QCOMPARE(list.size(), states.size());
    for (int i = 0; i < list.size(); ++i) {
        const QString &step = list[i];
        QPoint at;
        if (step.size() > 2) {
            const QStringList xy = step.mid(2).split(QLatin1Char(','));
            at = QPoint(xy[0].toInt(), xy[1].toInt());
        }
        switch (step[0].toLatin1()) {
        case 'P': QTest::mousePress(button, Qt::LeftButton, {}, at); break;
        case 'p': QTest::mousePress(button, Qt::RightButton, {}, at); break;
        case 'M': QTest::mouseMove(button, at); break;
        case 'R': QTest::mouseRelease(button, Qt::LeftButton, {}, at); break;
        case 'r': QTest::mouseRelease(button, Qt::RightButton, {}, at); break;
        case 'S': button->setStatus(TQuilButton1::bsOff); break;
        }
        const Status expected = states[i] == QLatin1Char('N') ? TQuilButton1::bsOn : TQuilButton1::bsOff;
        QVERIFY2(button->status() == expected, qPrintable(QStringLiteral("after ") + step));
    }
    QVERIFY2(button->hasFocus(), "a press of any button takes the focus");
    QCOMPARE(clicked.count(), clicks);
}

void TestQuilButton1::disabledIgnoresMouse()
{
    Host host;
    QVERIFY(host.showActive());
    host.button->setEnabled(false);
    QSignalSpy clicked(host.button, &TQuilButton1::clicked);
    QTest::mousePress(host.button, Qt::LeftButton, {}, {40, 20});
    QCOMPARE(host.button->status(), TQuilButton1::bsOff);
    QTest::mouseRelease(host.button, Qt::LeftButton, {}, {40, 20});
    QCOMPARE(clicked.count(), 0);
}

void TestQuilButton1::windowKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("isDefault");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("state"); // "enabled", "disabled" or "hidden"
    QTest::addColumn<QString>("focus"); // "edit", "button" or "gradient"
    QTest::addColumn<int>("clicks");
    const Qt::KeyboardModifiers none;
    const int ret = Qt::Key_Return, esc = Qt::Key_Escape;
    QTest::newRow("Enter in the edit box") << ret << none << true << false << "enabled" << "edit" << 1;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true
                                  << false << "enabled" << "edit" << 1;
    QTest::newRow("Shift+Enter") << ret << Qt::KeyboardModifiers(Qt::ShiftModifier) << true << false << "enabled"
                                 << "edit" << 0;
    QTest::newRow("Ctrl+Enter") << ret << Qt::KeyboardModifiers(Qt::ControlModifier) << true << false << "enabled"
                                << "edit" << 0;
    QTest::newRow("Alt+Enter") << ret << Qt::KeyboardModifiers(Qt::AltModifier) << true << false << "enabled"
                               << "edit" << 0;
    QTest::newRow("Enter, disabled") << ret << none << true << false << "disabled" << "edit" << 0;
    QTest::newRow("Enter, hidden") << ret << none << true << false << "hidden" << "edit" << 0;
    QTest::newRow("Enter, not default") << ret << none << false << false << "enabled" << "edit" << 0;
    QTest::newRow("Enter on the focused button") << ret << none << false << false << "enabled" << "button" << 1;
    QTest::newRow("Enter on another button") << ret << none << true << false << "enabled" << "gradient" << 1;
    QTest::newRow("Escape, cancel") << esc << none << false << true << "enabled" << "edit" << 1;
    QTest::newRow("Escape, not cancel") << esc << none << true << false << "enabled" << "edit" << 0;
    QTest::newRow("Shift+Escape") << esc << Qt::KeyboardModifiers(Qt::ShiftModifier) << false << true << "enabled"
                                  << "edit" << 0;
    QTest::newRow("Escape, disabled") << esc << none << false << true << "disabled" << "edit" << 0;
}

void TestQuilButton1::windowKeys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, isDefault);
    QFETCH(bool, cancel);
    QFETCH(QString, state);
    QFETCH(QString, focus);
    QFETCH(int, clicks);

    QMainWindow window;
    auto *client = new QWidget(&window);
    auto *layout = new QVBoxLayout(client);
    auto *edit = new QLineEdit(client);
    auto *gradient = new TGradBtn(client);
    auto *button = new TQuilButton1(client);
    layout->addWidget(edit);
    layout->addWidget(gradient);
    layout->addWidget(button);
    window.setCentralWidget(client);
    button->setDefault(isDefault);
    button->setCancel(cancel);
    button->setModalResult(7);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setEnabled(state != QLatin1String("disabled"));
    button->setVisible(state != QLatin1String("hidden"));
    QWidget *target = focus == QLatin1String("edit") ? static_cast<QWidget *>(edit)
                      : focus == QLatin1String("button") ? static_cast<QWidget *>(button)
                                                         : static_cast<QWidget *>(gradient);
    target->setFocus();
    QVERIFY(target->hasFocus());

    QSignalSpy clicked(button, &TQuilButton1::clicked);
    QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);
    QSignalSpy gradientClicked(gradient, &TGradBtn::clicked);
    QTest::keyClick(target, Qt::Key(key), modifiers);
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(window.property("ModalResult"), clicks ? QVariant(7) : QVariant());
    // A key the button took does not reach the focused control as well.
    if (clicks) {
        QCOMPARE(returnPressed.count(), 0);
        QCOMPARE(gradientClicked.count(), 0);
    } else if (key == Qt::Key_Return && modifiers == Qt::NoModifier && focus == QLatin1String("edit")) {
        QCOMPARE(returnPressed.count(), 1);
    }
}

void TestQuilButton1::keysStayInTheirWindow()
{
    QMainWindow window;
    auto *button = new TQuilButton1(&window);
    window.setCentralWidget(button);
    button->setDefault(true);
    QLineEdit elsewhere;
    window.show();
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QSignalSpy clicked(button, &TQuilButton1::clicked);
    QTest::keyClick(&elsewhere, Qt::Key_Return);
    QCOMPARE(clicked.count(), 0);
}

void TestQuilButton1::accelerator_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Alt+C") << int(Qt::Key_C) << true << 1;
    QTest::newRow("Alt+C, disabled") << int(Qt::Key_C) << false << 0;
    QTest::newRow("Alt+H") << int(Qt::Key_H) << true << 0;
}

void TestQuilButton1::accelerator()
{
    QFETCH(int, key);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    Host host;
    auto *edit = new QLineEdit(&host.window);
    edit->setGeometry(100, 10, 80, 20);
    host.button->setCaption(QStringLiteral("&Check"));
    host.button->setEnabled(enabled);
    QVERIFY(host.showActive());
    edit->setFocus();
    QSignalSpy clicked(host.button, &TQuilButton1::clicked);
    QTest::keyClick(edit, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(clicked.count(), clicks);
}

void TestQuilButton1::clickFromCode_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::newRow("enabled") << true << 1;
    QTest::newRow("disabled") << false << 0;
}

void TestQuilButton1::clickFromCode()
{
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    QMainWindow window;
    auto *button = new TQuilButton1(&window);
    button->setModalResult(1);
    button->setEnabled(enabled);
    QSignalSpy clicked(button, &TQuilButton1::clicked);
    button->click();
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(window.property("ModalResult"), clicks ? QVariant(1) : QVariant());
}

void TestQuilButton1::modalResultEndsADialog_data()
{
    QTest::addColumn<int>("modalResult");
    QTest::newRow("OK") << 1;
    QTest::newRow("Cancel") << 2;
}

// In a dialog shown modally, a click ends it with the button's modal result.
void TestQuilButton1::modalResultEndsADialog()
{
    QFETCH(int, modalResult);
    QDialog dialog;
    auto *button = new TQuilButton1(&dialog);
    button->setModalResult(modalResult);
    QTimer::singleShot(0, button, &TQuilButton1::click);
    QTimer::singleShot(2000, &dialog, &QDialog::reject); // a dialog left open must not hang the test
    QCOMPARE(dialog.exec(), modalResult);
    QCOMPARE(dialog.result(), modalResult);
}

QTEST_MAIN(TestQuilButton1)
#include "tst_quilbtn1.moc"
