// TElasticForm on a form laid out like the drill window, on the offscreen
// platform's default 800 x 800 screen.

#include "DrillLikeForm.h"

#include "controls/ElastFrm.h"

#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

constexpr int Settle = 40; // drag settle interval in these tests, ms

bool showSettled(QWidget &form, TElasticForm *elastic)
{
    elastic->setDragSettleInterval(Settle);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return false;
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        return false;
    QTest::qWait(Settle * 3);
    return elastic->isInitialised();
}

// Resizes the window to an outer size.
void resizeOuter(QWidget &form, QSize outer)
{
    form.resize(outer - (form.frameGeometry().size() - form.size()));
}

QByteArray describe(const QRect &r)
{
    return QByteArray::number(r.x()) + ", " + QByteArray::number(r.y()) + ", "
           + QByteArray::number(r.width()) + " x " + QByteArray::number(r.height());
}

// Every control sits where its design bounds put it on this client area,
// give or take the two roundings.
bool fitsClient(const DrillLikeForm &form, QByteArray *failure)
{
    const QSize client = form.centralWidget()->size();
    const double r = client.width() / 553.0;
    const double s = client.height() / 361.0;
    for (const DesignControl &design : drillControls()) {
        const QRect actual = form.control(design.name)->geometry();
        const QRect expected(qRound(design.bounds.x() * r), qRound(design.bounds.y() * s),
                             qRound(design.bounds.width() * r), qRound(design.bounds.height() * s));
        if (std::abs(actual.x() - expected.x()) > 2 || std::abs(actual.y() - expected.y()) > 2
            || std::abs(actual.width() - expected.width()) > 2
            || std::abs(actual.height() - expected.height()) > 2) {
            *failure = QByteArray(design.name) + " at " + describe(actual) + ", expected about "
                       + describe(expected);
            return false;
        }
    }
    return true;
}

} // namespace

class TestElasticForm : public QObject
{
    Q_OBJECT

private slots:
    void constructionFailures_data();
    void constructionFailures();
    void defaults_data();
    void defaults();
    void fontFollowsFont();
    void maximizedWindowFillsScreen();
    void managedControls();
    void backToDesignSizeIsExact();
    void fivePixelRule_data();
    void fivePixelRule();
    void dragRescalesOnceAtItsEnd_data();
    void dragRescalesOnceAtItsEnd();
    void trackLimits_data();
    void trackLimits();
    void maintainProportionsAfterDrag();
    void displayChangeOnTheSameScreenKeepsBounds();
    void placementSavedAndRestored();
    void backgroundPicture();
};

void TestElasticForm::constructionFailures_data()
{
    QTest::addColumn<int>("owner");
    QTest::addColumn<QString>("message");
    QTest::newRow("no owner") << 0 << "Owner of TElasticForm component must be a form";
    QTest::newRow("owner is a control") << 1 << "Owner of TElasticForm component must be a form";
    QTest::newRow("second component") << 2 << "A TElasticForm component already exists in Form1";
}

void TestElasticForm::constructionFailures()
{
    QFETCH(int, owner);
    QFETCH(QString, message);

    QWidget form;
    form.setObjectName(QStringLiteral("Form1"));
    auto *control = new QWidget(&form);
    if (owner == 2)
        new TElasticForm(&form);
    QWidget *given = owner == 0 ? nullptr : owner == 1 ? control : &form;

    QString thrown;
    try {
        std::unique_ptr<TElasticForm> component(new TElasticForm(given));
    } catch (const ElasticFormError &error) {
        thrown = QString::fromStdString(error.what());
    }
    QCOMPARE(thrown, message);
    // The failed component leaves nothing behind on the owner.
    QCOMPARE(form.findChildren<TElasticForm *>().size(), owner == 2 ? 1 : 0);
}

void TestElasticForm::defaults_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("expected");
    for (const char *on : {"ElasticHorizontal", "ElasticVertical", "ElasticFont",
                           "GridColumnWidthResize", "GridRowHeightResize", "GridFontResize",
                           "FontWarning", "LookForExtraFonts", "ResolutionIndependence"})
        QTest::newRow(on) << QByteArray(on) << QVariant(true);
    for (const char *off : {"MaintainProportions", "DBGridSelfResize"})
        QTest::newRow(off) << QByteArray(off) << QVariant(false);
    for (const char *zero : {"MaximizedPosX", "MaximizedPosY", "MinimumTrackWidth",
                             "MinimumTrackHeight", "MaximumTrackWidth", "MaximumTrackHeight"})
        QTest::newRow(zero) << QByteArray(zero) << QVariant(0);
    QTest::newRow("ElFrmIniFile") << QByteArray("ElFrmIniFile") << QVariant(QString());
    QTest::newRow("Version") << QByteArray("Version") << QVariant(601.0f);
}

void TestElasticForm::defaults()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, expected);
    QWidget form;
    TElasticForm component(&form);
    QCOMPARE(component.property(property.constData()), expected);
    if (property == "Version") {
        QVERIFY(component.setProperty("Version", 7.5f));
        QCOMPARE(component.property("Version"), expected);
    }
}

void TestElasticForm::fontFollowsFont()
{
    DrillLikeForm form;
    QCOMPARE(form.centralWidget()->font().pointSize(), 8);
    form.elastic->setProperty("Font", arialPoints(15));
    QCOMPARE(form.centralWidget()->font().pointSize(), 15);
    // The menu bar is outside the client area and keeps the desktop's font.
    QVERIFY(form.menuBar()->font().pointSize() != 15);
}

void TestElasticForm::maximizedWindowFillsScreen()
{
    DrillLikeForm form;
    form.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize screen = form.screen()->availableGeometry().size();
    QTRY_COMPARE(form.frameGeometry().size(), screen);

    QByteArray failure;
    QTRY_VERIFY2(fitsClient(form, &failure), failure.constData());
    for (const DesignControl &design : drillControls())
        QVERIFY2(form.control(design.name)->isVisible(), design.name);

    // Fonts grow by the screen's height ratio and by the window over the
    // screen-scaled client width: 14 points become about 28 here.
    const double growth = screen.height() / 580.0 * form.frameGeometry().width()
                          / (553.0 * screen.width() / 808.0);
    const int score = form.control("Score")->font().pointSize();
    QVERIFY2(std::abs(score - 14 * growth) <= 1.5, QByteArray::number(score));
}

void TestElasticForm::managedControls()
{
    DrillLikeForm form;
    QVERIFY(showSettled(form, form.elastic));

    const QList<QWidget *> managed = form.elastic->managedControls();
    QCOMPARE(managed.size(), int(drillControls().size()));
    for (QWidget *widget : managed)
        QVERIFY2(!qobject_cast<QRadioButton *>(widget), "a radio group's button is managed");

    auto *late = new QPushButton(QStringLiteral("Late"), form.centralWidget());
    late->setObjectName(QStringLiteral("Late"));
    late->setGeometry(5, 340, 20, 20);
    late->show();
    const QRect levelBefore = form.control("Level")->geometry();

    QSignalSpy rescaled(form.elastic, &TElasticForm::AfterResize);
    resizeOuter(form, form.frameGeometry().size() + QSize(100, 60));
    QTRY_COMPARE(rescaled.size(), 1);
    QCOMPARE(late->geometry(), QRect(5, 340, 20, 20));
    QVERIFY(form.control("Level")->geometry() != levelBefore);
    QVERIFY(!form.elastic->managedControls().contains(late));
}

void TestElasticForm::backToDesignSizeIsExact()
{
    // Measure the frame first, so that the design values are this form's own.
    DrillLikeForm form(false);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resizeClientTo(553, 361);
    QTRY_COMPARE(form.centralWidget()->size(), QSize(553, 361));
    const QSize outer = form.frameGeometry().size();
    form.hide();

    auto *elastic = new TElasticForm(&form);
    DrillLikeForm::applyDrillDesign(elastic);
    elastic->setProperty("ResolutionIndependence", false);
    elastic->setProperty("DesignFormWidth", outer.width());
    elastic->setProperty("DesignFormHeight", outer.height());
    elastic->setProperty("DesignFormLeft", 20);
    elastic->setProperty("DesignFormTop", 10);
    QVERIFY(showSettled(form, elastic));
    QTRY_COMPARE(form.frameGeometry(), QRect(QPoint(20, 10), outer));
    for (const DesignControl &design : drillControls())
        QCOMPARE(form.control(design.name)->geometry(), design.bounds);

    QSignalSpy rescaled(elastic, &TElasticForm::AfterResize);
    resizeOuter(form, outer + QSize(211, 97));
    QTRY_COMPARE(rescaled.size(), 1);
    QVERIFY(form.control("Answer")->geometry() != QRect(8, 200, 537, 73));
    resizeOuter(form, outer);
    QTRY_COMPARE(rescaled.size(), 2);
    for (const DesignControl &design : drillControls())
        QVERIFY2(form.control(design.name)->geometry() == design.bounds, design.name);
}

void TestElasticForm::fivePixelRule_data()
{
    QTest::addColumn<QSize>("change");
    QTest::addColumn<int>("rescales");
    QTest::newRow("5 wide, 3 high") << QSize(5, 3) << 0;
    QTest::newRow("5 narrower, 5 lower") << QSize(-5, -5) << 0;
    QTest::newRow("6 wide") << QSize(6, 0) << 1;
    QTest::newRow("6 high") << QSize(0, 6) << 1;
    QTest::newRow("6 narrower") << QSize(-6, 0) << 1;
}

void TestElasticForm::fivePixelRule()
{
    QFETCH(QSize, change);
    QFETCH(int, rescales);
    DrillLikeForm form;
    QVERIFY(showSettled(form, form.elastic));
    const QRect answer = form.control("Answer")->geometry();

    QSignalSpy rescaled(form.elastic, &TElasticForm::AfterResize);
    resizeOuter(form, form.frameGeometry().size() + change);
    QTest::qWait(Settle * 4);
    QCOMPARE(rescaled.size(), rescales);
    if (!rescales)
        QCOMPARE(form.control("Answer")->geometry(), answer);
}

void TestElasticForm::dragRescalesOnceAtItsEnd_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QSize>("step");
    QTest::newRow("ten steps outwards") << 10 << QSize(12, 7);
    QTest::newRow("ten steps inwards") << 10 << QSize(-9, -11);
    QTest::newRow("two steps of one pixel") << 2 << QSize(1, 1);
}

void TestElasticForm::dragRescalesOnceAtItsEnd()
{
    QFETCH(int, steps);
    QFETCH(QSize, step);
    DrillLikeForm form;
    QVERIFY(showSettled(form, form.elastic));

    QSignalSpy rescaled(form.elastic, &TElasticForm::AfterResize);
    const QSize start = form.frameGeometry().size();
    for (int i = 1; i <= steps; ++i) {
        resizeOuter(form, start + step * i);
        QCoreApplication::processEvents();
    }
    QCOMPARE(rescaled.size(), 0); // nothing moves during the drag
    QTRY_COMPARE(rescaled.size(), 1);
    QTest::qWait(Settle * 3);
    QCOMPARE(rescaled.size(), 1);
    QByteArray failure;
    QVERIFY2(fitsClient(form, &failure), failure.constData());
}

void TestElasticForm::trackLimits_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<int>("value");
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("expected");

    // The drill window's own 1280 x 1024 limit.
    QTest::newRow("maximum 1280 x 1024") << QByteArray() << 0 << QSize(1500, 1300)
                                         << QSize(1280, 1024);
    QTest::newRow("minimum width -50 percent") << QByteArray("MinimumTrackWidth") << -50
                                               << QSize(100, 500) << QSize(400, 500);
    QTest::newRow("minimum height in pixels") << QByteArray("MinimumTrackHeight") << 300
                                              << QSize(500, 120) << QSize(500, 300);
    QTest::newRow("maximum width -75 percent") << QByteArray("MaximumTrackWidth") << -75
                                               << QSize(700, 500) << QSize(600, 500);
    QTest::newRow("MaintainProportions caps at the ratio") << QByteArray("MaintainProportions")
                                                           << 1 << QSize(1500, 1300)
                                                           << QSize(794, 606);
}

void TestElasticForm::trackLimits()
{
    QFETCH(QByteArray, property);
    QFETCH(int, value);
    QFETCH(QSize, requested);
    QFETCH(QSize, expected);

    DrillLikeForm form;
    if (property == "MaintainProportions") {
        form.elastic->setProperty("MaximumTrackWidth", 0);
        form.elastic->setProperty("MaximumTrackHeight", 0);
        form.elastic->setProperty("MaintainProportions", true);
    } else if (!property.isEmpty()) {
        form.elastic->setProperty(property.constData(), value);
    }
    QVERIFY(showSettled(form, form.elastic));
    resizeOuter(form, requested);
    QTRY_COMPARE(form.frameGeometry().size(), expected);
}

void TestElasticForm::maintainProportionsAfterDrag()
{
    DrillLikeForm form;
    form.elastic->setProperty("MaintainProportions", true);
    QVERIFY(showSettled(form, form.elastic));
    const QSize before = form.frameGeometry().size();

    QSignalSpy rescaled(form.elastic, &TElasticForm::AfterResize);
    // Mostly narrower: the height follows the width at the old ratio.
    resizeOuter(form, before + QSize(-50, -2));
    QCoreApplication::processEvents();
    resizeOuter(form, before + QSize(-100, -4));
    QTRY_COMPARE(rescaled.size(), 1);
    const int width = before.width() - 100;
    QCOMPARE(form.frameGeometry().size(),
             QSize(width, qRound(double(width) * before.height() / before.width())));
}

void TestElasticForm::displayChangeOnTheSameScreenKeepsBounds()
{
    DrillLikeForm form;
    QVERIFY(showSettled(form, form.elastic));
    const QRect bounds = form.frameGeometry();
    const QSize screen = form.screen()->availableGeometry().size();

    QSignalSpy rescaled(form.elastic, &TElasticForm::AfterResize);
    form.elastic->displayChanged();
    QCOMPARE(rescaled.size(), 1);
    QCOMPARE(form.frameGeometry(), bounds);
    QCOMPARE(form.elastic->property("DesignScreenWidth").toInt(), screen.width());
    QCOMPARE(form.elastic->property("DesignScreenHeight").toInt(), screen.height());
}

void TestElasticForm::placementSavedAndRestored()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString ini = dir.filePath(QStringLiteral("placement.ini"));
    QRect saved;
    {
        DrillLikeForm form;
        form.elastic->setProperty("ElFrmIniFile", ini);
        QVERIFY(showSettled(form, form.elastic));
        form.control("NewAll")->hide();
        resizeOuter(form, QSize(480, 400));
        QTest::qWait(Settle * 4);
        saved = form.frameGeometry();
        form.close();
    }

    QSettings settings(ini, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Form1"));
    QCOMPARE(settings.value("Total Controls").toInt(), int(drillControls().size()));
    QCOMPARE(settings.value("Window State").toInt(), 0);
    QCOMPARE(settings.value("Width").toDouble(), saved.width() / 800.0);
    QCOMPARE(settings.value("Top").toDouble(), saved.y() / 800.0);
    QCOMPARE(settings.value("MaxTrackWidth").toInt(), 1280);
    QCOMPARE(settings.value("Visible 2").toBool(), false); // NewAll
    QCOMPARE(settings.value("Visible 0").toBool(), true);
    QVERIFY(settings.contains("wp NormPosRight"));

    DrillLikeForm again;
    again.elastic->setProperty("ElFrmIniFile", ini);
    QVERIFY(showSettled(again, again.elastic));
    QCOMPARE(again.frameGeometry(), saved);
    QVERIFY(again.control("NewAll")->isHidden());
}

void TestElasticForm::backgroundPicture()
{
    DrillLikeForm form;
    auto *image = new QLabel(form.centralWidget());
    QPixmap picture(10, 10);
    picture.fill(Qt::red);
    image->setPixmap(picture);
    QVERIFY(form.elastic->setProperty("BkGrndImage", QVariant::fromValue(image)));
    QVERIFY(image->isHidden());
    QVERIFY(showSettled(form, form.elastic));

    const QImage shot = form.centralWidget()->grab().toImage();
    QCOMPARE(shot.pixelColor(shot.width() - 2, shot.height() - 2), QColor(Qt::red));

    form.elastic->setBkGrndImage(nullptr);
    const QImage plain = form.centralWidget()->grab().toImage();
    QVERIFY(plain.pixelColor(plain.width() - 2, plain.height() - 2) != QColor(Qt::red));
}

QTEST_MAIN(TestElasticForm)
#include "tst_elasticform.moc"
