// The drill window on the screens learners have: where it opens, that every
// text shows whole, that no control runs into another, and that the menu bar
// shows every entry. Each run has one screen, which the offscreen platform
// takes from a file of tests/screens/ (CTest runs one per file); the rows of
// the other screens are left out.

#include "app/OneLineTextEdit.h"
#include "app/TForm1.h"
#include "controls/AccentKey.h"
#include "controls/ChoiceButton.h"
#include "controls/FitText.h"
#include "controls/FittingLabel.h"
#include "controls/GradBtn.h"
#include "controls/QuilBtn1.h"
#include "drill/Text.h"
#include "tests/WindowFixture.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextEdit>

namespace {

constexpr int SettleMs = 400; // a size change counts once the desktop's burst of them is over
constexpr int RestoreMs = 600; // a restored window takes its bounds for half a second
// A caption that gives way still reads: it keeps most of its size.
constexpr double SmallestShare = 0.8;

// The screen of this run, by the name its file gives it.
QString screen()
{
    return QGuiApplication::primaryScreen()->name();
}

// The window as a learner starts it on a screen.
struct ShownWindow : Window
{
    ShownWindow()
    {
        form->show();
        exposed = QTest::qWaitForWindowExposed(form.get());
        QTest::qWait(SettleMs);
    }

    bool exposed = false;

    QRect frame() const { return form->frameGeometry(); }

    void resizeAndSettle(QSize client)
    {
        form->showNormal();
        QTest::qWait(RestoreMs);
        form->resize(client);
        QTest::qWait(SettleMs);
    }
};

// Whether a caption shows whole in the font a control draws it with, and that
// font has not given way beyond reading.
QString captionProblem(const QFont &drawn, const QFont &own, const QString &text, QRect room)
{
    const QSizeF size = textSize(drawn, text, Qt::TextShowMnemonic);
    if (size.width() > room.width() || size.height() > room.height())
        return QStringLiteral("\"%1\" needs %2 x %3 in %4 x %5").arg(text).arg(size.width()).arg(size.height())
            .arg(room.width()).arg(room.height());
    if (drawn.pointSizeF() < own.pointSizeF() * SmallestShare)
        return QStringLiteral("\"%1\" shrinks from %2 to %3 points").arg(text).arg(own.pointSizeF())
            .arg(drawn.pointSizeF());
    return {};
}

QString lineEditProblem(const QLineEdit *edit)
{
    // The frame, and the margin the box keeps inside it.
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const QRect room = edit->rect().adjusted(frame + 2, frame + 1, -frame - 2, -frame - 1);
    const QFontMetrics metrics(edit->font());
    if (metrics.horizontalAdvance(edit->text()) > room.width() || metrics.height() > room.height())
        return QStringLiteral("\"%1\" does not fit %2 x %3").arg(edit->text()).arg(room.width()).arg(room.height());
    return {};
}

QString textEditProblem(const QTextEdit *edit)
{
    if (edit->verticalScrollBar()->maximum() > 0 || edit->horizontalScrollBar()->maximum() > 0)
        return QStringLiteral("\"%1\" scrolls").arg(edit->toPlainText());
    return {};
}

// Every text problem of the visible controls of the window's client area.
QStringList textProblems(const TForm1 &form)
{
    QStringList problems;
    const auto note = [&problems](const QWidget *control, const QString &problem) {
        if (!problem.isEmpty())
            problems << control->objectName() + QStringLiteral(": ") + problem;
    };
    for (const QWidget *control : form.centralWidget()->findChildren<QWidget *>()) {
        if (!control->isVisible())
            continue;
        if (const auto *edit = qobject_cast<const QLineEdit *>(control))
            note(edit, lineEditProblem(edit));
        else if (const auto *edit = qobject_cast<const QTextEdit *>(control))
            note(edit, textEditProblem(edit));
        else if (const auto *label = qobject_cast<const FittingLabel *>(control))
            note(label, captionProblem(label->captionFont(), label->font(), label->text(), label->contentsRect()));
        else if (const auto *key = qobject_cast<const AccentKey *>(control))
            note(key, captionProblem(key->captionFont(), key->font(), key->text(), key->captionRect()));
        else if (const auto *choice = qobject_cast<const ChoiceButton *>(control))
            note(choice->parentWidget(),
                 captionProblem(choice->captionFont(), choice->font(), choice->text(), choice->captionRect()));
        else if (const auto *button = qobject_cast<const TGradBtn *>(control))
            note(button, captionProblem(button->captionFont(), button->font(), button->caption(),
                                        button->rect().adjusted(2, 1, -2, -1)));
        else if (const auto *check = qobject_cast<const TQuilButton1 *>(control))
            // Its face never grows taller, whatever its font: only the fit counts.
            note(check, captionProblem(check->captionFont(), check->captionFont(), check->caption(),
                                       QRect(0, 0, check->width() - 12, TQuilButton1::FixedHeight - 11)));
        else if (const auto *box = qobject_cast<const QGroupBox *>(control)) {
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxLabel;
            const QRect title
                = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
            note(box, captionProblem(box->font(), box->font(), box->title(), title));
        }
    }
    return problems;
}

// The design's margins round the captions that give way, grown with the
// layout: two pixels between "Trials:" or "Score:" and its box and each side
// of a gradient button's caption, one after a choice's text.
QStringList marginProblems(const TForm1 &form)
{
    const qreal scale = std::max(1.0, form.centralWidget()->width() / 553.0);
    const auto wanted = [scale](int designPixels) { return int(designPixels * scale); };
    QStringList problems;
    const auto note = [&problems](const QWidget *control, qreal margin, int least) {
        if (margin < least)
            problems << QStringLiteral("%1: %2 pixels of margin, not %3").arg(control->objectName()).arg(margin).arg(least);
    };
    const std::pair<const QLabel *, const QWidget *> named[] = {{form.Label2, form.NumTrials},
                                                                {form.Label1, form.Score}};
    for (const auto &[label, box] : named) {
        const auto *fitting = static_cast<const FittingLabel *>(label);
        note(label, box->x() - label->x() - textSize(fitting->captionFont(), label->text()).width(), wanted(2));
    }
    for (const TGradBtn *button : form.centralWidget()->findChildren<TGradBtn *>())
        note(button, (button->width() - textSize(button->captionFont(), button->caption(), Qt::TextShowMnemonic).width()) / 2,
             wanted(2));
    for (const ChoiceButton *row : form.AnswerBox->findChildren<ChoiceButton *>()) {
        const QRect caption = row->captionRect();
        note(row, row->width() - caption.x() - textSize(row->captionFont(), row->text(), Qt::TextShowMnemonic).width(),
             wanted(1));
    }
    return problems;
}

QStringList overlaps(const TForm1 &form)
{
    QStringList found;
    const QList<QWidget *> controls = form.centralWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j)
            if (controls[i]->isVisible() && controls[j]->isVisible()
                && controls[i]->geometry().intersects(controls[j]->geometry()))
                found << controls[i]->objectName() + QStringLiteral(" and ") + controls[j]->objectName();
    return found;
}

QStringList hiddenMenus(TForm1 &form)
{
    QStringList hidden;
    QMenuBar *bar = form.menuBar();
    for (QAction *entry : bar->actions()) {
        const QRect place = bar->actionGeometry(entry);
        if (place.isEmpty() || !bar->rect().contains(place))
            hidden << entry->text();
    }
    return hidden;
}

} // namespace

class TestScreens : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QRect>("bounds");
        const struct
        {
            const char *screen;
            bool maximized;
            QRect bounds;
        } rows[] = {
            {"design", true, {0, 0, 808, 580}},
            {"1280 x 1024", true, {0, 0, 1280, 1024}},
            {"2560 x 1440 at twice the scale", true, {0, 0, 1280, 720}},
            {"1366 x 768", false, {0, 0, 1280, 768}},
            {"1920 x 1080", false, {0, 0, 1280, 1024}},
        };
        for (const auto &row : rows)
            if (screen() == QLatin1String(row.screen))
                QTest::newRow(row.screen) << row.maximized << row.bounds;
    }

    // Maximized where the screen is within the size limits, else the largest
    // allowed ordinary window at the top-left; restoring gives those bounds,
    // and maximizing again within the limits gives the start. (This platform
    // keeps to no maximum size: what maximizing does past the limits is for
    // the end-to-end runs on a real desktop.)
    void placement()
    {
        QFETCH(bool, maximized);
        QFETCH(QRect, bounds);
        ShownWindow w;
        QVERIFY(w.exposed);
        QCOMPARE(w.form->isMaximized(), maximized);
        QCOMPARE(w.frame(), bounds);
        w.form->showNormal();
        QTRY_COMPARE(w.frame(), bounds);
        if (maximized) {
            w.form->showMaximized();
            QTRY_VERIFY(w.form->isMaximized());
            QTRY_COMPARE(w.frame(), bounds);
        }
    }

    void layoutFits_data()
    {
        QTest::addColumn<QSize>("client"); // none: as the window starts
        QTest::addColumn<bool>("forced");  // a size the desktop forces below the window's minimum
        QTest::addRow("%s, as it starts", qPrintable(screen())) << QSize() << false;
        QTest::addRow("%s, at its smallest", qPrintable(screen())) << QSize(0, 0) << false;
        QTest::addRow("%s, tiled narrow and tall", qPrintable(screen())) << QSize(480, 700) << true;
    }

    // Every text whole, in both directions, no control on another, the whole menu bar.
    void layoutFits()
    {
        QFETCH(QSize, client);
        QFETCH(bool, forced);
        ShownWindow w;
        QVERIFY(w.exposed);
        if (forced)
            w.form->setMinimumSize(0, 0);
        if (client.isValid())
            w.resizeAndSettle(client.expandedTo(w.form->minimumSize()));
        // The widest texts these boxes get.
        w.form->Level->setText(QStringLiteral("1000 Words"));
        w.form->WordGroup->setText(QStringLiteral("Conjunctions"));
        w.form->NumTrials->setText(QStringLiteral("10000"));
        w.form->Score->setText(QStringLiteral("100.00%"));
        w.form->Answer->setPlainText(QStringLiteral("vocês_transportam_em_caminhão is NOT Correct! Try Again"));
        for (const char *direction : {"EnglishtoSpanish1", "SpanishtoEnglish1"}) {
            w.trigger(direction);
            QCoreApplication::processEvents();
            const QStringList problems = textProblems(*w.form);
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
        }
        // The longest text of the data in a row.
        w.form->AnswerBox->findChild<ChoiceButton *>()->setText(QStringLiteral("vocês_transportam_em_caminhão"));
        const QStringList cramped = marginProblems(*w.form);
        QVERIFY2(cramped.isEmpty(), qPrintable(cramped.join(QStringLiteral("; "))));
        const QStringList overlapping = overlaps(*w.form);
        QVERIFY2(overlapping.isEmpty(), qPrintable(overlapping.join(QStringLiteral("; "))));
        const QStringList hidden = hiddenMenus(*w.form);
        QVERIFY2(hidden.isEmpty(), qPrintable(QStringLiteral("hidden menus: ") + hidden.join(QStringLiteral(", "))));
        if (!forced) // where the window has room for it, the menu keeps its font
            QCOMPARE(w.form->menuBar()->font().pointSizeF(), QApplication::font(w.form->menuBar()).pointSizeF());
    }

    // Where a point is two device pixels, the check button's rounded ends
    // step by single device pixels: its pictures are drawn at that size, not
    // enlarged from the small ones, whose every step would be two pixels.
    void checkButtonDrawnAtTheScreensPixels()
    {
        ShownWindow w;
        QVERIFY(w.exposed);
        if (w.form->devicePixelRatioF() < 2)
            QSKIP("a point is one device pixel on this screen");
        const QImage face = w.form->Button1->grab().toImage();
        QCOMPARE(face.width(), 2 * w.form->Button1->width());
        bool finer = false;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < 32; ++x) // the left end
                if (QColor(face.pixel(x, y)) == Qt::black) {
                    finer = finer || x % 2 == 1;
                    break;
                }
        }
        QVERIFY2(finer, "every row of the left end starts on an even device pixel");
    }

    void everyTextFitsItsRow_data()
    {
        QTest::addColumn<bool>("designSize");
        QTest::newRow(qPrintable(screen())) << (screen() == QLatin1String("design"));
    }

    // Every text of the word data shows whole in a row of the answer box (at
    // the design size without giving way at all), and in the question box.
    void everyTextFitsItsRow()
    {
        QFETCH(bool, designSize);
        ShownWindow w;
        QVERIFY(w.exposed);
        if (designSize) {
            // The layout's own size, narrower than the window lets a learner make it.
            w.form->setMinimumSize(0, 0);
            // At this width the menu font gives way, and the bar takes less height.
            w.resizeAndSettle(QSize(553, 600));
            w.resizeAndSettle(QSize(553, 361 + w.form->menuBar()->height()));
            QCOMPARE(w.form->centralWidget()->size(), QSize(553, 361));
            QCOMPARE(w.form->AnswerBox->geometry(), QRect(256, 72, 284, 121));
        }
        ChoiceButton *row = w.form->AnswerBox->findChild<ChoiceButton *>();
        QTextEdit *question = w.form->Edit1;
        QStringList problems;
        for (const vocabulary::GroupInfo &info : vocabulary::Groups) {
            const vocabulary::GroupData data = vocabulary::groupData(info.group);
            for (int i = 0; i < data.count; ++i) {
                for (const char *stored : {data.pairs[i].english, data.pairs[i].portuguese}) {
                    const QString text = drill::fromWindows1252(stored);
                    row->setText(text);
                    const QFont drawn = row->captionFont();
                    QString problem = captionProblem(drawn, row->font(), text, row->captionRect());
                    if (problem.isEmpty() && designSize && drawn != row->font())
                        problem = QStringLiteral("\"%1\" gives way at the design size").arg(text);
                    question->setPlainText(text);
                    if (problem.isEmpty())
                        problem = textEditProblem(question);
                    if (!problem.isEmpty())
                        problems << QString::fromLatin1(info.name) + QStringLiteral(" %1: ").arg(i) + problem;
                }
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("\n"))));
    }
};

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
