#include "DesktopWindow.h"

#include "ElastFrm.h"

#include <QApplication>
#include <QWindowStateChangeEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <QWindow>

#include <algorithm>

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
// How long after a restore the window's bounds are still being placed: the
// desktop draws the restored frame within a few event rounds.
constexpr int RestoreInterval = 500;
constexpr int RestoreCheckInterval = 40;

// Wayland compositors size and place windows themselves, and hold a client
// to the sizes they have confirmed ("wayland", "wayland-egl", ...).
bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

#ifdef Q_OS_WIN
// Windows reports the start and end of a border drag; other desktops do not.
class DesktopWindow::NativeHook : public QAbstractNativeEventFilter
{
public:
    explicit NativeHook(DesktopWindow *owner) : m_owner(owner) {}

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
    DesktopWindow *m_owner;
};
#endif

DesktopWindow::DesktopWindow(TElasticForm &owner, QWidget *form)
    : m_owner(owner)
    , m_form(form)
{
    m_screen = currentScreen();
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(DefaultSettleInterval);
    connect(&m_settleTimer, &QTimer::timeout, this, &DesktopWindow::settleTimeout);
    m_restoreTimer.setInterval(RestoreCheckInterval);
    connect(&m_restoreTimer, &QTimer::timeout, this, &DesktopWindow::takeRestoreBounds);
#ifdef Q_OS_WIN
    m_platformReportsSizeMove = true;
    m_nativeHook = std::make_unique<NativeHook>(this);
    qApp->installNativeEventFilter(m_nativeHook.get());
#endif
}

DesktopWindow::~DesktopWindow()
{
#ifdef Q_OS_WIN
    qApp->removeNativeEventFilter(m_nativeHook.get());
#endif
}

QMargins DesktopWindow::frameMargins() const
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

QRect DesktopWindow::frameGeometry() const
{
    return m_form->geometry().marginsAdded(frameMargins());
}

Size DesktopWindow::outerSize() const
{
    const QSize size = frameGeometry().size();
    return {size.width(), size.height()};
}

Size DesktopWindow::currentScreen() const
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

Size DesktopWindow::readScreen()
{
    m_screen = currentScreen();
    return m_screen;
}

bool DesktopWindow::isMaximized() const
{
    return m_form->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

Size DesktopWindow::maximumTrack() const
{
    return {elastic::trackValue(m_owner.m_maximumTrackWidth, m_screen.width),
            elastic::trackValue(m_owner.m_maximumTrackHeight, m_screen.height)};
}

bool DesktopWindow::maximizingExceedsLimits() const
{
    return !elastic::maximizedPlacement(m_screen, maximumTrack()).maximized;
}

Rect DesktopWindow::maximizedBounds() const
{
    // At the top-left of the work area, which a panel may move off the
    // screen's corner.
    const QScreen *screen = m_form->screen();
    const QPoint origin = screen ? screen->availableGeometry().topLeft() : QPoint();
    const Size size = elastic::maximizedPlacement(m_screen, maximumTrack()).size;
    return {origin.x(), origin.y(), size.width, size.height};
}

bool DesktopWindow::isSettled() const
{
    return m_windowSettled || m_positionChanges >= SettledPositionChanges;
}

bool DesktopWindow::hasBorder() const
{
    return !(m_form->windowFlags() & Qt::FramelessWindowHint);
}

void DesktopWindow::placeAtStart()
{
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
}

void DesktopWindow::takeStart(const Rect &start)
{
    m_start = start;
    if (m_pendingBoundsValid) {
        m_start = m_pendingBounds;
        m_pendingBoundsValid = false;
    }
    // A maximized form's bounds are the screen's within the track limits,
    // and no form starts larger than they allow.
    m_start = isMaximized() ? maximizedBounds() : elastic::withinLimits(m_start, maximumTrack());
    m_restoreBounds = m_start;
    watchScreen();
}

void DesktopWindow::setOuterBounds(const Rect &bounds)
{
    const QMargins margins = frameMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    const bool nested = m_settingBounds;
    m_settingBounds = true;
    const QSize client(std::max(bounds.width - frame.width(), 1), std::max(bounds.height - frame.height(), 1));
    if (!margins.isNull() || !hasBorder()) {
        // With the frame known, the client area is placed in one request.
        // A frame position would leave the X window positioned by its frame:
        // until the desktop answers, Qt takes the frame's rectangle for the
        // client area's, and a later request from it puts the frame where
        // the client area was meant to be, which openbox then keeps
        // (it ignores a move to the window's own client position).
        m_form->setGeometry(QRect(QPoint(bounds.left + margins.left(), bounds.top + margins.top()), client));
    } else {
        // The frame's position, last and through the window itself: a widget
        // that believes it is there already skips the move, and where the
        // frame is not known yet, only a frame position puts the frame (not
        // the client area) at the spot.
        m_form->resize(client);
        if (QWindow *window = m_form->windowHandle())
            window->setFramePosition({bounds.left, bounds.top});
        else
            m_form->move(bounds.left, bounds.top);
    }
    m_settingBounds = nested;
}

void DesktopWindow::applyTrackLimits()
{
    if (m_owner.m_needsInitialisation)
        return;
    if (!m_owner.m_layout.firstRescaleDone() && isMaximized()) {
        m_owner.hideControls();
        m_owner.rescale();
        m_owner.showControls();
    }
    const Size proportional =
        m_owner.m_maintainProportions
            ? elastic::proportionalMaximum({m_owner.m_designFormWidth, m_owner.m_designFormHeight}, m_screen)
            : Size{};
    const bool any = proportional.width || proportional.height || m_owner.m_minimumTrackWidth
                     || m_owner.m_minimumTrackHeight || m_owner.m_maximumTrackWidth || m_owner.m_maximumTrackHeight
                     || m_owner.m_maximizedPosX || m_owner.m_maximizedPosY;
    if (!any || !m_owner.m_layout.firstRescaleDone())
        return;

    const QMargins margins = frameMargins();
    const QSize minimumNow = m_form->minimumSize();
    const QSize maximumNow = m_form->maximumSize();
    const elastic::SizeLimits limits = elastic::windowSizeLimits(
        {{minimumNow.width(), minimumNow.height()}, {maximumNow.width(), maximumNow.height()}},
        {margins.left() + margins.right(), margins.top() + margins.bottom()}, proportional,
        {elastic::trackValue(m_owner.m_minimumTrackWidth, m_screen.width),
         elastic::trackValue(m_owner.m_minimumTrackHeight, m_screen.height)},
        maximumTrack());
    const QSize minimum(limits.minimum.width, limits.minimum.height);
    QSize maximum(limits.maximum.width, limits.maximum.height);
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

void DesktopWindow::applyMaintainProportions()
{
    if (!m_owner.m_maintainProportions || isMaximized() || m_form->isMinimized())
        return;
    const Size now = outerSize();
    const Size wanted = elastic::keepProportions(m_sizeBeforeDrag, now);
    if (wanted == now)
        return;
    const QRect frame = frameGeometry();
    setOuterBounds({frame.x(), frame.y(), wanted.width, wanted.height});
}

void DesktopWindow::watchScreen()
{
    QScreen *screen = m_form->screen();
    if (screen != m_watchedScreen) {
        if (m_watchedScreen)
            disconnect(m_watchedScreen, nullptr, this, nullptr);
        m_watchedScreen = screen;
        if (screen) {
            connect(screen, &QScreen::geometryChanged, this, &DesktopWindow::displayChanged);
            connect(screen, &QScreen::availableGeometryChanged, this,
                    &DesktopWindow::displayChanged);
        }
    }
    if (QWindow *window = m_form->windowHandle())
        connect(window, &QWindow::screenChanged, this, &DesktopWindow::displayChanged,
                Qt::UniqueConnection);
}

void DesktopWindow::windowEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        shown();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        positionChanged();
        break;
    case QEvent::WindowActivate:
        activated();
        break;
    case QEvent::WindowStateChange:
        windowStateChanged(static_cast<QWindowStateChangeEvent *>(event)->oldState());
        break;
    case QEvent::Close:
        savePlacement();
        m_userActed = true;
        break;
    case QEvent::Enter:
        m_userActed = true;
        break;
    default:
        break;
    }
}

void DesktopWindow::sizeChanged()
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

void DesktopWindow::settleTimeout()
{
    const int changes = m_burstSizeChanges;
    m_burstSizeChanges = 0;
    if (!m_form->isVisible()) {
        m_sizing = m_sizedDuringMove = false;
        return;
    }
    m_owner.m_focusAtMessage = QApplication::focusWidget();
    if (changes >= 2) {
        exitSizeMove();
    } else {
        // A single change is no drag: the 5-pixel rule decides.
        m_sizing = false;
        m_sizedDuringMove = false;
        sizeChangedNow();
    }
}

void DesktopWindow::cancelBurst()
{
    if (m_burstSizeChanges == 0)
        return;
    m_settleTimer.stop();
    m_burstSizeChanges = 0;
    m_sizing = false;
    m_sizedDuringMove = false;
}

void DesktopWindow::sizeChangedNow()
{
    if (m_sizing || m_form->isMinimized())
        return;
    if (isMaximized() && !m_maximizedSeen) {
        if (elastic::exceedsRescaleThreshold(m_owner.m_lastRescaledOuter, outerSize()))
            m_owner.hideControls();
        m_windowSettled = true;
        m_maximizedSeen = true;
        m_owner.reapplyFont();
    } else if (!isMaximized() && isSettled()) {
        if (m_maximizedSeen) {
            m_owner.hideControls();
            m_savedMaximized = false;
        }
        m_maximizedSeen = false;
        m_owner.reapplyFont();
    }
    if (!isMaximized() && (!hasBorder() || !isSettled()) && !m_settingBounds && tookAboutTheStart())
        setOuterBounds(m_start);

    // Qt's menu bar can change height (it wraps) without the window changing
    // size, so the client area is watched as well as the outer size.
    if (elastic::exceedsRescaleThreshold(m_owner.m_lastRescaledOuter, outerSize())
        || elastic::exceedsRescaleThreshold(m_owner.m_lastRescaledClient, m_owner.clientSize())) {
        m_owner.rescale();
        m_form->update();
        m_owner.showControls();
    }
    m_owner.restoreFocus();
    savePlacement();
    m_owner.showControls();
}

void DesktopWindow::enterSizeMove(Size before)
{
    m_sizeBeforeDrag = before;
}

void DesktopWindow::exitSizeMove()
{
    m_windowSettled = true;
    m_sizing = false;
    if (m_sizedDuringMove) {
        m_sizedDuringMove = false;
        m_owner.hideControls();
        // The proportional size and the limits are part of this drag's end:
        // their own size changes must not rescale a second time.
        m_sizing = true;
        applyMaintainProportions();
        keepWithinLimits();
        m_sizing = false;
        m_owner.rescale();
        m_form->update();
        m_owner.showControls();
        m_owner.restoreFocus();
    }
    m_maximizedSeen = false;
    if (!isMaximized() && !m_form->isMinimized())
        m_restoreBounds = toRect(frameGeometry());
    savePlacement();
}

void DesktopWindow::keepWithinLimits()
{
    // For desktops that take the maximum size as a mere hint.
    if (isMaximized() || m_form->isMinimized())
        return;
    const Rect now = toRect(frameGeometry());
    if (const Rect allowed = elastic::withinLimits(now, maximumTrack()); !(allowed == now))
        setOuterBounds(allowed);
}

void DesktopWindow::windowStateChanged(Qt::WindowStates oldState)
{
    const Qt::WindowStates state = m_form->windowState();
    const Qt::WindowStates sized = Qt::WindowMaximized | Qt::WindowFullScreen;
    cancelBurst();
    if ((state & Qt::WindowMinimized) && !(oldState & Qt::WindowMinimized)) {
        m_owner.rememberActiveControl();
        savePlacement();
        m_userActed = true;
        m_maximizedSeen = false;
        m_owner.m_lastRescaledOuter = outerSize();
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
        m_owner.rememberActiveControl();
    // The desktop may report the new size before or after the new state; the
    // current size is handled now, and a later one by its own event.
    m_lastSeenOuter = outerSize();
    sizeChangedNow();
}

void DesktopWindow::positionChanged()
{
    ++m_positionChanges;
    if (isRestoring())
        QTimer::singleShot(0, this, &DesktopWindow::takeRestoreBounds);
}

void DesktopWindow::placeRestored(const Rect &bounds)
{
    // The desktop restores the bounds it last saw; the window takes `bounds`
    // instead. The frame of a restored window is known only once the desktop
    // has drawn it, so the bounds are placed again while its frame changes,
    // for a moment. A Wayland compositor rejects any size but its own until
    // it has confirmed the new state, so there the bounds wait for its sizes.
    m_restoreTarget = bounds;
    m_restoring.start();
    if (!onWayland()) {
        QTimer::singleShot(0, this, &DesktopWindow::takeRestoreBounds);
        // A frame the desktop changes without moving or sizing the window
        // brings no event: it is looked for.
        m_restoreTimer.start();
    }
}

bool DesktopWindow::isRestoring() const
{
    return m_restoring.isValid() && !m_restoring.hasExpired(RestoreInterval);
}

void DesktopWindow::takeRestoreBounds()
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

void DesktopWindow::activated()
{
    placeStartWithFrame();
    m_positionChanges = SettledPositionChanges;
    if (m_savedMaximized && !isMaximized()) {
        m_form->setWindowState(m_form->windowState() | Qt::WindowMaximized);
        m_owner.showControls();
    }
    m_owner.restoreFocus();
    applyTrackLimits(); // the frame is known by now
}

bool DesktopWindow::tookAboutTheStart() const
{
    // Then the start bounds are placed again, with the frame; otherwise the
    // desktop sizes the window itself.
    return elastic::tookAbout({m_start.width, m_start.height}, outerSize());
}

void DesktopWindow::placeStartWithFrame()
{
    // The start bounds were placed before the window showed, when its frame
    // was not known yet; they are placed once more with it.
    if (!isSettled() && !isMaximized() && !m_form->isMinimized() && tookAboutTheStart()
        && !(toRect(frameGeometry()) == m_start))
        setOuterBounds(m_start);
}

void DesktopWindow::shown()
{
    // Some desktops never activate a new window.
    QTimer::singleShot(0, this, &DesktopWindow::placeStartWithFrame);
    if (!m_userActed) {
        m_owner.hideControls();
        m_owner.rescale();
        m_owner.showControls();
    }
    m_owner.restoreFocus();
}

void DesktopWindow::displayChanged()
{
    if (m_owner.m_needsInitialisation)
        return;
    watchScreen();
    // The form is scaled from the screen it was last fitted to. Scaling from
    // the design screen, as if no screen had been followed yet, would blow a
    // window fitted to a large screen up by the ratio again.
    const Size old = m_screen;
    const Size now = currentScreen();
    m_screen = now;
    m_owner.m_designScreenWidth = now.width;
    m_owner.m_designScreenHeight = now.height;
    m_owner.m_focusAtMessage = QApplication::focusWidget();
    if (!isMaximized() && !m_form->isMinimized() && !(old == now))
        setOuterBounds(elastic::scaleForDisplayChange(toRect(frameGeometry()), old, now));
    m_owner.hideControls();
    m_owner.rescale();
    m_owner.showControls();
    m_owner.restoreFocus();
    applyTrackLimits();
}

void DesktopWindow::savePlacement()
{
    if (m_owner.m_elFrmIniFile.isEmpty() || m_owner.m_needsInitialisation || m_screen.width <= 0
        || m_screen.height <= 0)
        return;
    QSettings settings(m_owner.m_elFrmIniFile, QSettings::IniFormat);
    settings.beginGroup(m_form->objectName().isEmpty() ? QString::fromLatin1(m_form->metaObject()->className())
                                                       : m_form->objectName());
    const bool maximized = isMaximized();
    const QRect frame = frameGeometry();
    settings.setValue("Total Controls", int(m_owner.m_controls.size()));
    settings.setValue("Window State", maximized ? 2 : 0);
    if (!maximized) {
        settings.setValue("Left", double(frame.x()) / m_screen.width);
        settings.setValue("Top", double(frame.y()) / m_screen.height);
        settings.setValue("Width", double(frame.width()) / m_screen.width);
        settings.setValue("Height", double(frame.height()) / m_screen.height);
    } else {
        m_owner.m_maximumTrackWidth = elastic::maximizedTrackPercent(frame.width(), m_screen.width);
        m_owner.m_maximumTrackHeight = elastic::maximizedTrackPercent(frame.height(), m_screen.height);
    }
    settings.setValue("MaxTrackWidth", m_owner.m_maximumTrackWidth);
    settings.setValue("MaxTrackHeight", m_owner.m_maximumTrackHeight);
    for (int i = 0; i < m_owner.m_controls.size(); ++i) {
        const TElasticForm::Control &control = m_owner.m_controls.at(i);
        const bool visible = m_owner.m_controlsHidden || !control.widget ? control.visible
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

void DesktopWindow::loadPlacement()
{
    QSettings settings(m_owner.m_elFrmIniFile, QSettings::IniFormat);
    const QString section = m_form->objectName().isEmpty()
                                ? QString::fromLatin1(m_form->metaObject()->className())
                                : m_form->objectName();
    if (!settings.childGroups().contains(section))
        return;
    settings.beginGroup(section);
    if (settings.value("Total Controls", -1).toInt() != m_owner.m_controls.size())
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
    m_owner.m_maximumTrackWidth = settings.value("MaxTrackWidth", m_owner.m_maximumTrackWidth).toInt();
    m_owner.m_maximumTrackHeight = settings.value("MaxTrackHeight", m_owner.m_maximumTrackHeight).toInt();
    for (int i = 0; i < m_owner.m_controls.size(); ++i) {
        const QString key = QStringLiteral("Visible %1").arg(i);
        if (settings.contains(key) && m_owner.m_controls.at(i).widget)
            m_owner.m_controls.at(i).widget->setVisible(settings.value(key).toBool());
    }
    if (settings.contains("wp NormPosLeft")) {
        const int left = settings.value("wp NormPosLeft").toInt();
        const int top = settings.value("wp NormPosTop").toInt();
        m_savedNormal = {left, top, settings.value("wp NormPosRight").toInt() - left,
                         settings.value("wp NormPosBottom").toInt() - top};
        m_savedNormalValid = m_savedNormal.width > 0 && m_savedNormal.height > 0;
    }
}
