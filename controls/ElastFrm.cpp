#include "ElastFrm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMetaProperty>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <functional>

#ifdef Q_OS_WIN
#include <QAbstractNativeEventFilter>
#ifndef NOMINMAX
#define NOMINMAX // keeps std::max usable
#endif
#include <windows.h>
#endif

using elastic::Rect;
using elastic::Size;

namespace {

// From 10000 position changes on (activation jumps there) the window counts
// as settled: its bounds are the user's, no longer pinned to the start bounds.
constexpr int SettledPositionChanges = 10000;
constexpr int DefaultSettleInterval = 250;
// The most a desktop's frame adds to a window, in either direction.
constexpr int FrameSlack = 48;
// How long after a restore the window's bounds are still being placed: the
// desktop draws the restored frame within a few event rounds.
constexpr int RestoreInterval = 500;
constexpr int RestoreCheckInterval = 40;

// Font sizes are kept and rounded in points, the unit the form was designed
// in; a font given in pixels counts at the design's 96 dots per inch.
int pointSizeOf(const QFont &font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    if (font.pixelSize() > 0)
        return elastic::roundHalfEven(font.pixelSize() * 72.0 / 96.0);
    return QFontInfo(font).pointSize();
}

void setPointSize(QFont &font, int size)
{
    // QFont refuses sizes below 1; a tiny window still gets readable glyphs.
    font.setPointSize(std::max(size, 1));
}

// Wayland compositors size and place windows themselves, and hold a client
// to the sizes they have confirmed ("wayland", "wayland-egl", ...).
bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

Rect toRect(const QRect &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

// An "Align" property, where a control publishes one (none of Qt's do).
elastic::Align alignOf(const QWidget *widget)
{
    const QVariant value = widget->property("Align");
    if (!value.isValid())
        return elastic::Align::None;
    static const QStringList names{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
    int index = names.indexOf(value.toString());
    if (index < 0) {
        bool ok = false;
        index = value.toInt(&ok);
        if (!ok || index < 0 || index >= names.size())
            return elastic::Align::None;
    }
    return static_cast<elastic::Align>(index);
}

elastic::PositionRule positionRuleOf(const QWidget *form)
{
    const QString rule = form->property("Position").toString();
    if (rule.isEmpty() || rule == QLatin1String("poDesigned"))
        return elastic::PositionRule::Designed;
    if (rule == QLatin1String("poScreenCenter"))
        return elastic::PositionRule::ScreenCenter;
    if (rule == QLatin1String("poDesktopCenter"))
        return elastic::PositionRule::DesktopCenter;
    if (rule == QLatin1String("poMainFormCenter"))
        return elastic::PositionRule::MainFormCenter;
    return elastic::PositionRule::Other;
}

bool isManaged(const QWidget *widget)
{
    // Qt's own inner widgets (viewports, scroll bars, tab bars) carry "qt_"
    // names; they belong to their control, not to the form.
    const QString name = widget->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        return false;
    const QWidget *parent = widget->parentWidget();
    if (qobject_cast<const QToolBar *>(parent) || qobject_cast<const QTabWidget *>(parent)
        || qobject_cast<const QStackedWidget *>(parent))
        return false;
    // A layout already places the widgets it holds.
    if (parent && parent->layout() && parent->layout()->indexOf(widget) >= 0)
        return false;
    return true;
}

} // namespace

#ifdef Q_OS_WIN
// Windows reports the start and end of a border drag; other desktops do not.
class TElasticForm::NativeHook : public QAbstractNativeEventFilter
{
public:
    explicit NativeHook(TElasticForm *owner) : m_owner(owner) {}

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        QWidget *form = m_owner->m_form;
        const WId id = form->internalWinId();
        if (!id || msg->hwnd != reinterpret_cast<HWND>(id) || !form->isVisible())
            return false;
        switch (msg->message) {
        case WM_ENTERSIZEMOVE:
            m_owner->enterSizeMove(m_owner->outerSize());
            break;
        case WM_SIZING:
            m_owner->m_sizing = true;
            m_owner->m_sizedDuringMove = true;
            break;
        case WM_EXITSIZEMOVE:
            m_owner->exitSizeMove();
            break;
        case WM_SYSCOMMAND: {
            const WPARAM command = msg->wParam & 0xFFF0;
            if (command != SC_CLOSE && command != SC_MINIMIZE && command != SC_MAXIMIZE
                && command != SC_RESTORE)
                m_owner->m_userActed = false;
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    TElasticForm *m_owner;
};
#endif

TElasticForm::TElasticForm(QWidget *owner)
    : QObject(owner)
    , m_form(owner)
{
    if (!owner || !owner->isWindow())
        throw ElasticFormError("Owner of TElasticForm component must be a form");
    if (owner->findChildren<TElasticForm *>(Qt::FindDirectChildrenOnly).size() > 1)
        throw ElasticFormError("A TElasticForm component already exists in "
                               + owner->objectName().toStdString());

    m_font = owner->font();
    if (m_font.pointSize() <= 0)
        setPointSize(m_font, pointSizeOf(m_font));
    if (QWidget *focus = owner->focusWidget())
        m_efActiveControl = focus->objectName();
    m_screen = currentScreen();
    m_positionRule = positionRuleOf(owner);

    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(DefaultSettleInterval);
    connect(&m_settleTimer, &QTimer::timeout, this, &TElasticForm::settleTimeout);
    m_restoreTimer.setInterval(RestoreCheckInterval);
    connect(&m_restoreTimer, &QTimer::timeout, this, &TElasticForm::takeRestoreBounds);
    connect(this, &TElasticForm::trackLimitsChanged, this, &TElasticForm::applyTrackLimits);

    owner->installEventFilter(this);
    if (QWidget *client = clientWidget(); client != owner) {
        client->installEventFilter(this);
        m_filteredClient = client;
    }
#ifdef Q_OS_WIN
    m_platformReportsSizeMove = true;
    m_nativeHook = std::make_unique<NativeHook>(this);
    qApp->installNativeEventFilter(m_nativeHook.get());
#endif
}

TElasticForm::~TElasticForm()
{
#ifdef Q_OS_WIN
    qApp->removeNativeEventFilter(m_nativeHook.get());
#endif
    m_form->removeEventFilter(this);
    if (m_filteredClient)
        m_filteredClient->removeEventFilter(this);
}

void TElasticForm::setFont(const QFont &font)
{
    m_font = font;
    if (m_font.pointSize() <= 0)
        setPointSize(m_font, pointSizeOf(font));
    applyFontToClient();
}

QLabel *TElasticForm::bkGrndImage() const
{
    return m_bkGrndImage;
}

void TElasticForm::setBkGrndImage(QLabel *image)
{
    m_bkGrndImage = image;
    if (image)
        image->hide();
    if (QWidget *client = clientWidget())
        client->update();
}

QList<QWidget *> TElasticForm::managedControls() const
{
    QList<QWidget *> widgets;
    for (const Control &control : m_controls)
        widgets.append(control.widget);
    return widgets;
}

QWidget *TElasticForm::clientWidget() const
{
    // A main window's client area is its central widget; the menu bar, tool
    // bars and status bar lie outside it, like a frame.
    if (auto *window = qobject_cast<QMainWindow *>(m_form))
        if (QWidget *central = window->centralWidget())
            return central;
    return m_form;
}

QMargins TElasticForm::frameMargins() const
{
    // The window's own, not the widget's: the widget learns of a new frame
    // only when the window moves or changes size, and a desktop that changes
    // the frame alone (openbox, restoring a maximized window, draws its
    // borders round a window that stays where it is) would leave it with
    // the old one, and every size set from it off by the difference.
    if (const QWindow *window = m_form->windowHandle())
        return window->frameMargins();
    const QRect frame = m_form->frameGeometry();
    const QRect client = m_form->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QRect TElasticForm::frameGeometry() const
{
    return m_form->geometry().marginsAdded(frameMargins());
}

Size TElasticForm::outerSize() const
{
    const QSize size = frameGeometry().size();
    return {size.width(), size.height()};
}

Size TElasticForm::clientSize() const
{
    const QSize size = clientWidget()->size();
    return {size.width(), size.height()};
}

Size TElasticForm::currentScreen() const
{
    // The room a maximized window gets, not the display resolution.
    const QScreen *screen = m_form->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize size = screen->availableGeometry().size();
    return {size.width(), size.height()};
}

bool TElasticForm::isMaximized() const
{
    return m_form->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

Size TElasticForm::maximumTrack() const
{
    return {elastic::trackValue(m_maximumTrackWidth, m_screen.width),
            elastic::trackValue(m_maximumTrackHeight, m_screen.height)};
}

bool TElasticForm::maximizingExceedsLimits() const
{
    return !elastic::maximizedPlacement(m_screen, maximumTrack()).maximized;
}

Rect TElasticForm::maximizedBounds() const
{
    // At the top-left of the work area, which a panel may move off the
    // screen's corner.
    const QScreen *screen = m_form->screen();
    const QPoint origin = screen ? screen->availableGeometry().topLeft() : QPoint();
    const Size size = elastic::maximizedPlacement(m_screen, maximumTrack()).size;
    return {origin.x(), origin.y(), size.width, size.height};
}

bool TElasticForm::isSettled() const
{
    return m_windowSettled || m_positionChanges >= SettledPositionChanges;
}

bool TElasticForm::hasBorder() const
{
    return !(m_form->windowFlags() & Qt::FramelessWindowHint);
}

bool TElasticForm::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_form->isVisible())
        return false;
    QWidget *client = clientWidget();
    const QEvent::Type type = event->type();

    if (watched == client) {
        if (type == QEvent::Paint)
            paintBackground(static_cast<QPaintEvent *>(event));
        if (type == QEvent::Resize) {
            beforeMessage();
            sizeChanged();
        }
        if (watched != m_form)
            return false;
    }
    if (watched != m_form)
        return false;

    switch (type) {
    case QEvent::Show:
        beforeMessage();
        shown();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        beforeMessage();
        ++m_positionChanges;
        if (isRestoring())
            QTimer::singleShot(0, this, &TElasticForm::takeRestoreBounds);
        break;
    case QEvent::WindowActivate:
        beforeMessage();
        activated();
        break;
    case QEvent::WindowStateChange:
        beforeMessage();
        windowStateChanged(static_cast<QWindowStateChangeEvent *>(event)->oldState());
        break;
    case QEvent::Close:
        beforeMessage();
        savePlacement();
        m_userActed = true;
        break;
    case QEvent::Enter:
        beforeMessage();
        m_userActed = true;
        break;
    default:
        break;
    }
    return false;
}

void TElasticForm::beforeMessage()
{
    m_focusAtMessage = QApplication::focusWidget();
    reapplyFont();
    if (!m_needsInitialisation)
        return;

    initialise();
    hideControls();
    if (isMaximized() && maximizingExceedsLimits()) {
        // The screen is larger than the window may be: it opens as an
        // ordinary window of its largest size instead of a maximized one.
        m_placing = true;
        m_form->setWindowState(m_form->windowState() & ~Qt::WindowMaximized);
        m_placing = false;
    }
    if (m_savedMaximized) {
        if (m_savedNormalValid)
            setOuterBounds(m_savedNormal);
        m_form->setWindowState(m_form->windowState() | Qt::WindowMaximized);
    }
    m_sizeBeforeDrag = {m_start.width, m_start.height};
    m_lastSeenOuter = outerSize();
    applyTrackLimits();
    // A maximized window keeps the system's bounds; Qt offers no portable way
    // to give it other restored bounds.
    if (!isMaximized() && !m_form->isMinimized())
        setOuterBounds(m_start);
    showControls();
}

void TElasticForm::initialise()
{
    m_needsInitialisation = false;
    m_screen = currentScreen();
    if (!m_resolutionIndependence) {
        m_designScreenWidth = m_screen.width;
        m_designScreenHeight = m_screen.height;
    }
    if (m_controls.isEmpty())
        collectControls();
    if (!m_elFrmIniFile.isEmpty())
        loadPlacement();
    for (Control &control : m_controls)
        control.visible = control.widget && !control.widget->isHidden();

    const Size designScreen{m_designScreenWidth, m_designScreenHeight};
    if (isMaximized()) {
        const Rect form = elastic::maximizedDesignForm(
            {m_maximizedPosX, m_maximizedPosY, m_maintainProportions, designScreen,
             {m_designFormWidth, m_designFormHeight}, m_screen});
        m_designFormLeft = form.left;
        m_designFormTop = form.top;
        m_designFormWidth = form.width;
        m_designFormHeight = form.height;
    }

    m_ratios = elastic::screenRatios(m_screen, designScreen);
    m_referenceFormFontSize = elastic::roundHalfDown(pointSizeOf(m_font) * m_ratios.font);

    elastic::StartInput start;
    start.designForm = {m_designFormLeft, m_designFormTop, m_designFormWidth, m_designFormHeight};
    start.designClient = {m_designFormClientWidth, m_designFormClientHeight};
    start.screen = m_screen;
    start.ratios = m_ratios;
    start.hasBorder = hasBorder();
    start.position = m_positionRule;
    const QWidget *main = m_form->parentWidget() ? m_form->parentWidget()->window() : nullptr;
    start.mainForm = main ? toRect(main->frameGeometry()) : Rect{0, 0, m_screen.width, m_screen.height};
    m_start = elastic::startBounds(start);
    if (m_pendingBoundsValid) {
        m_start = m_pendingBounds;
        m_pendingBoundsValid = false;
    }
    // A maximized form's bounds are the screen's within the track limits,
    // and no form starts larger than they allow.
    m_start = isMaximized() ? maximizedBounds() : withinLimits(m_start);
    m_restoreBounds = m_start;
    watchScreen();
}

void TElasticForm::collectControls()
{
    std::vector<elastic::AlignedEdges> edges;
    QList<Control> found;
    QWidget *client = clientWidget();

    const std::function<void(QWidget *)> walk = [&](QWidget *parent) {
        for (QObject *child : parent->children()) {
            auto *widget = qobject_cast<QWidget *>(child);
            if (!widget || widget->isWindow())
                continue;
            if (isManaged(widget)) {
                Control control;
                control.widget = widget;
                control.onClient = parent == client;
                if (m_lookForExtraFonts) {
                    const QMetaObject *meta = widget->metaObject();
                    for (int i = 0; i < meta->propertyCount(); ++i) {
                        const QMetaProperty property = meta->property(i);
                        if (property.metaType().id() == QMetaType::QFont && property.isWritable()
                            && qstrcmp(property.name(), "font") != 0)
                            control.extraFontProperties.append(property.name());
                    }
                }
                found.append(control);
                edges.push_back({alignOf(widget), widget->x(), widget->y()});
            }
            walk(widget);
        }
    };
    walk(client);

    std::vector<elastic::ControlGeometry> geometry;
    for (int index : elastic::layoutOrder(edges)) {
        const Control &control = found.at(index);
        QWidget *widget = control.widget;
        elastic::ControlGeometry g;
        g.bounds = toRect(widget->geometry());
        g.fontSize = pointSizeOf(widget->font());
        for (const QString &name : control.extraFontProperties)
            g.extraFontSizes.push_back(pointSizeOf(widget->property(name.toLatin1()).value<QFont>()));
        geometry.push_back(g);
        m_controls.append(control);
    }
    m_layout.record(geometry);
    for (int i = 0; i < m_controls.size(); ++i)
        if (qobject_cast<QToolBar *>(m_controls.at(i).widget))
            m_layout.setScaleFonts(i, false);
}

void TElasticForm::firstRescale()
{
    const int size = m_layout.firstRescale(
        m_ratios, {m_designFormClientWidth, m_designFormClientHeight}, m_referenceFormFontSize,
        pointSizeOf(m_font));
    setPointSize(m_font, size);
    applyFontToClient();
}

void TElasticForm::rescale()
{
    if (!m_layout.firstRescaleDone())
        firstRescale();
    if (!m_form->focusWidget())
        focusActiveControl();

    const Size outer = outerSize();
    const Size client = clientSize();
    const elastic::RescaleResult result = m_layout.rescale(
        outer, client, {m_elasticHorizontal, m_elasticVertical, m_elasticFont});
    if (result.fontSize) {
        setPointSize(m_font, *result.fontSize);
        applyFontToClient();
    }

    for (int i = 0; i < m_controls.size(); ++i) {
        QWidget *widget = m_controls.at(i).widget;
        if (!widget)
            continue; // deleted by the program since it was recorded
        if (const std::optional<int> size = result.fontSizes.at(i)) {
            QFont font = widget->font();
            if (font.pointSize() != std::max(*size, 1)) {
                setPointSize(font, *size);
                widget->setFont(font);
            }
            const QStringList &extras = m_controls.at(i).extraFontProperties;
            const std::vector<int> &extraSizes = result.extraFontSizes.at(i);
            for (int e = 0; e < extras.size() && e < int(extraSizes.size()); ++e) {
                const QByteArray name = extras.at(e).toLatin1();
                QFont extra = widget->property(name).value<QFont>();
                setPointSize(extra, extraSizes.at(e));
                widget->setProperty(name, extra);
            }
        }
        const Rect &b = result.bounds.at(i);
        widget->setGeometry(b.left, b.top, b.width, b.height);
    }

    m_lastRescaledOuter = outer;
    m_lastRescaledClient = client;
    if (m_showAfterFirstRescale) {
        m_showAfterFirstRescale = false;
        showControls();
    }
    emit AfterResize();
}

void TElasticForm::rescaleNow()
{
    if (m_needsInitialisation)
        beforeMessage();
    m_focusAtMessage = QApplication::focusWidget();
    hideControls();
    rescale();
    showControls();
    restoreFocus();
}

void TElasticForm::hideControls()
{
    if (m_controlsHidden)
        return;
    m_controlsHidden = true;
    // Hiding the focused control moves the focus on; remember where it was.
    if (QWidget *focus = QApplication::focusWidget(); focus && focus->window() == m_form)
        m_focusAtMessage = focus;
    for (Control &control : m_controls)
        control.visible = control.widget && !control.widget->isHidden();
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        if (it->onClient && it->widget)
            it->widget->hide();
}

void TElasticForm::showControls()
{
    if (!m_controlsHidden)
        return;
    m_controlsHidden = false;
    for (const Control &control : m_controls)
        if (control.onClient && control.widget)
            control.widget->setVisible(control.visible);
    restoreFocus();
    if (!m_form->focusWidget())
        focusActiveControl();
}

void TElasticForm::focusActiveControl()
{
    if (m_efActiveControl.isEmpty())
        return;
    QWidget *target = nullptr;
    for (const Control &control : m_controls)
        if (control.widget && control.widget->objectName() == m_efActiveControl)
            target = control.widget;
    if (target && !target->isHidden())
        target->setFocus();
}

void TElasticForm::restoreFocus()
{
    QWidget *focus = m_focusAtMessage;
    if (focus && focus != m_form && focus->window() == m_form && focus->isVisible()
        && QApplication::focusWidget() != focus)
        focus->setFocus();
}

void TElasticForm::reapplyFont()
{
    if (QWidget *client = clientWidget(); client && client->font() != m_font)
        applyFontToClient();
}

void TElasticForm::applyFontToClient()
{
    // The client area, not the whole window: a main window's menu bar keeps
    // the desktop's font, as a frame's menu does.
    if (QWidget *client = clientWidget()) {
        client->setFont(m_font);
        client->update();
    }
}

void TElasticForm::setOuterBounds(const Rect &bounds)
{
    const QMargins margins = frameMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    const bool nested = m_settingBounds;
    m_settingBounds = true;
    m_form->resize(std::max(bounds.width - frame.width(), 1),
                   std::max(bounds.height - frame.height(), 1));
    // The frame's position, last and through the window itself: a widget
    // that believes it is there already skips the move, and where the frame
    // is not known yet, only a frame position puts the frame (not the
    // client area) at the spot.
    if (QWindow *window = m_form->windowHandle())
        window->setFramePosition({bounds.left, bounds.top});
    else
        m_form->move(bounds.left, bounds.top);
    m_settingBounds = nested;
}

void TElasticForm::applyTrackLimits()
{
    if (m_needsInitialisation)
        return;
    if (!m_layout.firstRescaleDone() && isMaximized()) {
        hideControls();
        rescale();
        showControls();
    }
    const Size proportional =
        m_maintainProportions
            ? elastic::proportionalMaximum({m_designFormWidth, m_designFormHeight}, m_screen)
            : Size{};
    const bool any = proportional.width || proportional.height || m_minimumTrackWidth
                     || m_minimumTrackHeight || m_maximumTrackWidth || m_maximumTrackHeight
                     || m_maximizedPosX || m_maximizedPosY;
    if (!any || !m_layout.firstRescaleDone())
        return;

    // Qt limits the window without its frame; the track sizes include it. A
    // value of 0 leaves that limit as the form has it.
    const QMargins margins = frameMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    QSize minimum = m_form->minimumSize();
    QSize maximum = m_form->maximumSize();
    if (proportional.width > 0)
        maximum = QSize(proportional.width, proportional.height) - frame;
    if (const int w = elastic::trackValue(m_minimumTrackWidth, m_screen.width))
        minimum.setWidth(std::max(w - frame.width(), 0));
    if (const int h = elastic::trackValue(m_minimumTrackHeight, m_screen.height))
        minimum.setHeight(std::max(h - frame.height(), 0));
    const Size limit = maximumTrack();
    if (limit.width)
        maximum.setWidth(std::max(limit.width - frame.width(), 1));
    if (limit.height)
        maximum.setHeight(std::max(limit.height - frame.height(), 1));
    // The limits are the ordinary window's: a maximized window takes the
    // work area the desktop gives it, with a frame of its choosing, and no
    // maximum fights that. A Wayland compositor, moreover, sizes a maximized
    // window to the output whatever its maximum size, and ends the program
    // for answering with a smaller one: where the screen is larger than the
    // limits, no maximum is announced there at all (a drag past them is
    // undone at its end).
    if (isMaximized() || (maximizingExceedsLimits() && onWayland()))
        maximum = QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (m_form->minimumSize() != minimum)
        m_form->setMinimumSize(minimum);
    if (m_form->maximumSize() != maximum)
        m_form->setMaximumSize(maximum);
}

void TElasticForm::applyMaintainProportions()
{
    if (!m_maintainProportions || isMaximized() || m_form->isMinimized())
        return;
    const Size now = outerSize();
    const Size wanted = elastic::keepProportions(m_sizeBeforeDrag, now);
    if (wanted == now)
        return;
    const QRect frame = frameGeometry();
    setOuterBounds({frame.x(), frame.y(), wanted.width, wanted.height});
}

void TElasticForm::rememberActiveControl()
{
    if (QWidget *focus = m_form->focusWidget())
        m_efActiveControl = focus->objectName();
}

void TElasticForm::watchScreen()
{
    QScreen *screen = m_form->screen();
    if (screen != m_watchedScreen) {
        if (m_watchedScreen)
            disconnect(m_watchedScreen, nullptr, this, nullptr);
        m_watchedScreen = screen;
        if (screen) {
            connect(screen, &QScreen::geometryChanged, this, &TElasticForm::displayChanged);
            connect(screen, &QScreen::availableGeometryChanged, this,
                    &TElasticForm::displayChanged);
        }
    }
    if (QWindow *window = m_form->windowHandle())
        connect(window, &QWindow::screenChanged, this, &TElasticForm::displayChanged,
                Qt::UniqueConnection);
}

void TElasticForm::sizeChanged()
{
    if (m_form->isMinimized())
        return;
    const Size outer = outerSize();
    if (!m_platformReportsSizeMove) {
        // Without drag reports, the size changes the user makes on a settled,
        // restored window are gathered: several in a row are one drag.
        const bool userSize = !m_settingBounds && !isRestoring() && !isMaximized()
                              && !m_maximizedSeen && isSettled();
        if (userSize) {
            if (m_burstSizeChanges == 0) {
                enterSizeMove(m_lastSeenOuter);
                m_sizing = true;
            }
            if (++m_burstSizeChanges >= 2)
                m_sizedDuringMove = true;
            m_lastSeenOuter = outer;
            m_settleTimer.start();
            return;
        }
    }
    m_lastSeenOuter = outer;
    sizeChangedNow();
}

void TElasticForm::settleTimeout()
{
    const int changes = m_burstSizeChanges;
    m_burstSizeChanges = 0;
    if (!m_form->isVisible()) {
        m_sizing = m_sizedDuringMove = false;
        return;
    }
    m_focusAtMessage = QApplication::focusWidget();
    if (changes >= 2) {
        exitSizeMove();
    } else {
        // A single change is no drag: the 5-pixel rule decides.
        m_sizing = false;
        m_sizedDuringMove = false;
        sizeChangedNow();
    }
}

void TElasticForm::cancelBurst()
{
    if (m_burstSizeChanges == 0)
        return;
    m_settleTimer.stop();
    m_burstSizeChanges = 0;
    m_sizing = false;
    m_sizedDuringMove = false;
}

void TElasticForm::sizeChangedNow()
{
    if (m_sizing || m_form->isMinimized())
        return;
    if (isMaximized() && !m_maximizedSeen) {
        if (elastic::exceedsRescaleThreshold(m_lastRescaledOuter, outerSize()))
            hideControls();
        m_windowSettled = true;
        m_maximizedSeen = true;
        reapplyFont();
    } else if (!isMaximized() && isSettled()) {
        if (m_maximizedSeen) {
            hideControls();
            m_savedMaximized = false;
        }
        m_maximizedSeen = false;
        reapplyFont();
    }
    if (!isMaximized() && (!hasBorder() || !isSettled()) && !m_settingBounds && tookAboutTheStart())
        setOuterBounds(m_start);

    // Qt's menu bar can change height (it wraps) without the window changing
    // size, so the client area is watched as well as the outer size.
    if (elastic::exceedsRescaleThreshold(m_lastRescaledOuter, outerSize())
        || elastic::exceedsRescaleThreshold(m_lastRescaledClient, clientSize())) {
        rescale();
        m_form->update();
        showControls();
    }
    restoreFocus();
    savePlacement();
    showControls();
}

void TElasticForm::enterSizeMove(Size before)
{
    m_sizeBeforeDrag = before;
}

void TElasticForm::exitSizeMove()
{
    m_windowSettled = true;
    m_sizing = false;
    if (m_sizedDuringMove) {
        m_sizedDuringMove = false;
        hideControls();
        // The proportional size and the limits are part of this drag's end:
        // their own size changes must not rescale a second time.
        m_sizing = true;
        applyMaintainProportions();
        keepWithinLimits();
        m_sizing = false;
        rescale();
        m_form->update();
        showControls();
        restoreFocus();
    }
    m_maximizedSeen = false;
    if (!isMaximized() && !m_form->isMinimized())
        m_restoreBounds = toRect(frameGeometry());
    savePlacement();
}

Rect TElasticForm::withinLimits(Rect bounds) const
{
    const Size limit = maximumTrack();
    if (limit.width > 0)
        bounds.width = std::min(bounds.width, limit.width);
    if (limit.height > 0)
        bounds.height = std::min(bounds.height, limit.height);
    return bounds;
}

void TElasticForm::keepWithinLimits()
{
    // For desktops that take the maximum size as a mere hint.
    if (isMaximized() || m_form->isMinimized())
        return;
    const Rect now = toRect(frameGeometry());
    if (const Rect allowed = withinLimits(now); !(allowed == now))
        setOuterBounds(allowed);
}

void TElasticForm::windowStateChanged(Qt::WindowStates oldState)
{
    const Qt::WindowStates state = m_form->windowState();
    const Qt::WindowStates sized = Qt::WindowMaximized | Qt::WindowFullScreen;
    cancelBurst();
    if ((state & Qt::WindowMinimized) && !(oldState & Qt::WindowMinimized)) {
        rememberActiveControl();
        savePlacement();
        m_userActed = true;
        m_maximizedSeen = false;
        m_lastRescaledOuter = outerSize();
        return;
    }
    if (state & Qt::WindowMinimized)
        return;
    applyTrackLimits(); // a maximized window has none of its own
    if (m_placing)
        return;
    if ((oldState & sized) && !(state & sized))
        placeRestored(m_restoreBounds);
    if ((state & sized) != (oldState & sized) || (oldState & Qt::WindowMinimized))
        rememberActiveControl();
    // The desktop may report the new size before or after the new state; the
    // current size is handled now, and a later one by its own event.
    m_lastSeenOuter = outerSize();
    sizeChangedNow();
}

void TElasticForm::placeRestored(const Rect &bounds)
{
    // The desktop restores the bounds it last saw; the window takes `bounds`
    // instead. The frame of a restored window is known only once the desktop
    // has drawn it, so the bounds are placed again while its frame changes,
    // for a moment. A Wayland compositor rejects any size but its own until
    // it has confirmed the new state, so there the bounds wait for its sizes.
    m_restoreTarget = bounds;
    m_restoring.start();
    if (!onWayland()) {
        QTimer::singleShot(0, this, &TElasticForm::takeRestoreBounds);
        // A frame the desktop changes without moving or sizing the window
        // brings no event: it is looked for.
        m_restoreTimer.start();
    }
}

bool TElasticForm::isRestoring() const
{
    return m_restoring.isValid() && !m_restoring.hasExpired(RestoreInterval);
}

void TElasticForm::takeRestoreBounds()
{
    if (!isRestoring() || isMaximized() || m_form->isMinimized()) {
        m_restoring.invalidate();
        m_restoreTimer.stop();
        return;
    }
    applyTrackLimits(); // with the restored window's frame
    if (!(toRect(frameGeometry()) == m_restoreTarget))
        setOuterBounds(m_restoreTarget);
}

void TElasticForm::activated()
{
    placeStartWithFrame();
    m_positionChanges = SettledPositionChanges;
    if (m_savedMaximized && !isMaximized()) {
        m_form->setWindowState(m_form->windowState() | Qt::WindowMaximized);
        showControls();
    }
    restoreFocus();
    applyTrackLimits(); // the frame is known by now
}

bool TElasticForm::tookAboutTheStart() const
{
    // A desktop that sizes windows itself (a tiling one) ignores the bounds
    // asked for; arguing would only leave the window believing in a size it
    // never gets. Otherwise the desktop took the start bounds but for its
    // frame, which the bounds are placed again with.
    const QSize now = frameGeometry().size();
    return std::abs(now.width() - m_start.width) <= FrameSlack
           && std::abs(now.height() - m_start.height) <= FrameSlack;
}

void TElasticForm::placeStartWithFrame()
{
    // The start bounds were placed before the window showed, when its frame
    // was not known yet; they are placed once more with it.
    if (!isSettled() && !isMaximized() && !m_form->isMinimized() && tookAboutTheStart()
        && !(toRect(frameGeometry()) == m_start))
        setOuterBounds(m_start);
}

void TElasticForm::shown()
{
    // Some desktops never activate a new window.
    QTimer::singleShot(0, this, &TElasticForm::placeStartWithFrame);
    if (!m_userActed) {
        hideControls();
        rescale();
        showControls();
    }
    restoreFocus();
}

void TElasticForm::displayChanged()
{
    if (m_needsInitialisation)
        return;
    watchScreen();
    // The form is scaled from the screen it was last fitted to. Scaling from
    // the design screen, as if no screen had been followed yet, would blow a
    // window fitted to a large screen up by the ratio again.
    const Size old = m_screen;
    const Size now = currentScreen();
    m_screen = now;
    m_designScreenWidth = now.width;
    m_designScreenHeight = now.height;
    m_focusAtMessage = QApplication::focusWidget();
    if (!isMaximized() && !m_form->isMinimized() && !(old == now))
        setOuterBounds(elastic::scaleForDisplayChange(toRect(frameGeometry()), old, now));
    hideControls();
    rescale();
    showControls();
    restoreFocus();
    applyTrackLimits();
}

void TElasticForm::paintBackground(QPaintEvent *event)
{
    QLabel *image = m_bkGrndImage;
    if (!image)
        return;
    const QPixmap picture = image->pixmap();
    if (picture.isNull())
        return;
    QWidget *client = clientWidget();
    QPainter painter(client);
    painter.setClipRegion(event->region());
    if (alignOf(image) == elastic::Align::Client) {
        painter.drawPixmap(client->rect(), picture);
        return;
    }
    for (const Size &origin : elastic::tileOrigins({picture.width(), picture.height()},
                                                   {client->width(), client->height()}))
        painter.drawPixmap(origin.width, origin.height, picture);
}

void TElasticForm::savePlacement()
{
    if (m_elFrmIniFile.isEmpty() || m_needsInitialisation || m_screen.width <= 0
        || m_screen.height <= 0)
        return;
    QSettings settings(m_elFrmIniFile, QSettings::IniFormat);
    settings.beginGroup(m_form->objectName().isEmpty() ? QString::fromLatin1(m_form->metaObject()->className())
                                                       : m_form->objectName());
    const bool maximized = isMaximized();
    const QRect frame = frameGeometry();
    settings.setValue("Total Controls", int(m_controls.size()));
    settings.setValue("Window State", maximized ? 2 : 0);
    if (!maximized) {
        settings.setValue("Left", double(frame.x()) / m_screen.width);
        settings.setValue("Top", double(frame.y()) / m_screen.height);
        settings.setValue("Width", double(frame.width()) / m_screen.width);
        settings.setValue("Height", double(frame.height()) / m_screen.height);
    } else {
        m_maximumTrackWidth = elastic::maximizedTrackPercent(frame.width(), m_screen.width);
        m_maximumTrackHeight = elastic::maximizedTrackPercent(frame.height(), m_screen.height);
    }
    settings.setValue("MaxTrackWidth", m_maximumTrackWidth);
    settings.setValue("MaxTrackHeight", m_maximumTrackHeight);
    for (int i = 0; i < m_controls.size(); ++i) {
        const Control &control = m_controls.at(i);
        const bool visible = m_controlsHidden || !control.widget ? control.visible
                                                                 : !control.widget->isHidden();
        settings.setValue(QStringLiteral("Visible %1").arg(i), visible);
    }

    // The window placement record, in the shape the desktop's own has.
    QRect normal = m_form->normalGeometry();
    if (!normal.isValid())
        normal = m_form->geometry();
    const QSize margins = frame.size() - m_form->size();
    normal = normal.adjusted(0, 0, margins.width(), margins.height());
    const int showCommand = m_form->isMinimized() ? 2 : maximized ? 3 : 1;
    settings.setValue("wp length ", 44);
    settings.setValue("wp flags", 0);
    settings.setValue("wp showCmd", showCommand);
    settings.setValue("wp MinPosX", -1);
    settings.setValue("wp MinPosY", -1);
    settings.setValue("wp MaxPosX", -1);
    settings.setValue("wp MaxPosY", -1);
    settings.setValue("wp NormPosLeft", normal.left());
    settings.setValue("wp NormPosTop", normal.top());
    settings.setValue("wp NormPosRight", normal.left() + normal.width());
    settings.setValue("wp NormPosBottom", normal.top() + normal.height());
}

void TElasticForm::loadPlacement()
{
    QSettings settings(m_elFrmIniFile, QSettings::IniFormat);
    const QString section = m_form->objectName().isEmpty()
                                ? QString::fromLatin1(m_form->metaObject()->className())
                                : m_form->objectName();
    if (!settings.childGroups().contains(section))
        return;
    settings.beginGroup(section);
    if (settings.value("Total Controls", -1).toInt() != m_controls.size())
        return;

    m_savedMaximized = settings.value("Window State").toInt() == 2;
    if (!m_savedMaximized && settings.contains("Left")) {
        m_pendingBounds = {
            elastic::roundHalfEven(settings.value("Left").toDouble() * m_screen.width),
            elastic::roundHalfEven(settings.value("Top").toDouble() * m_screen.height),
            elastic::roundHalfEven(settings.value("Width").toDouble() * m_screen.width),
            elastic::roundHalfEven(settings.value("Height").toDouble() * m_screen.height)};
        m_pendingBoundsValid = m_pendingBounds.width > 0 && m_pendingBounds.height > 0;
    }
    m_maximumTrackWidth = settings.value("MaxTrackWidth", m_maximumTrackWidth).toInt();
    m_maximumTrackHeight = settings.value("MaxTrackHeight", m_maximumTrackHeight).toInt();
    for (int i = 0; i < m_controls.size(); ++i) {
        const QString key = QStringLiteral("Visible %1").arg(i);
        if (settings.contains(key) && m_controls.at(i).widget)
            m_controls.at(i).widget->setVisible(settings.value(key).toBool());
    }
    if (settings.contains("wp NormPosLeft")) {
        const int left = settings.value("wp NormPosLeft").toInt();
        const int top = settings.value("wp NormPosTop").toInt();
        m_savedNormal = {left, top, settings.value("wp NormPosRight").toInt() - left,
                         settings.value("wp NormPosBottom").toInt() - top};
        m_savedNormalValid = m_savedNormal.width > 0 && m_savedNormal.height > 0;
    }
}
