#pragma once

// The elastic form's window on real desktops: its size limits, its start,
// maximized and restored bounds with the desktop's frame, Wayland's rules, the
// drags it gathers where the desktop does not report them, screen and display
// changes, and the placement saved in ElFrmIniFile. TElasticForm owns one and
// hands it the window's events; it reads the form's track and design
// properties and calls back on the form to hide, rescale and show the
// controls. Its arithmetic is in WindowBounds, on plain numbers.

#include "controls/WindowBounds.h"

#include <QElapsedTimer>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <memory>

class QEvent;
class QScreen;
class QWidget;
class TElasticForm;

inline elastic::Rect toRect(const QRect &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

class DesktopWindow : public QObject
{
public:
    DesktopWindow(TElasticForm &owner, QWidget *form);
    ~DesktopWindow() override;

    elastic::Size outerSize() const;
    // The room a maximized window gets on the form's screen, which the form
    // is fitted to from now on.
    elastic::Size readScreen();
    bool isMaximized() const;
    bool hasBorder() const;

    int settleInterval() const { return m_settleTimer.interval(); }
    void setSettleInterval(int milliseconds) { m_settleTimer.setInterval(milliseconds); }

    // At initialisation: the start bounds the design gives, which a saved
    // placement, the limits or a maximized window may overrule.
    void takeStart(const elastic::Rect &start);
    // Right after initialisation, with the controls hidden: the window takes
    // its start bounds (or its saved maximized state).
    void placeAtStart();

    // The window's events, as the form sees them: a change of its client
    // area's size, and the form's own show, move, resize, activation, state
    // change, close and the pointer's entry.
    void sizeChanged();
    void windowEvent(QEvent *event);
    void displayChanged();
    void applyTrackLimits();

    void loadPlacement();

private:
    QRect frameGeometry() const;
    elastic::Size currentScreen() const;
    void positionChanged();
    void windowStateChanged(Qt::WindowStates oldState);
    void activated();
    void shown();
    void savePlacement();
    QMargins frameMargins() const;
    elastic::Size maximumTrack() const;
    bool maximizingExceedsLimits() const;
    elastic::Rect maximizedBounds() const;
    bool isSettled() const;

    void setOuterBounds(const elastic::Rect &bounds);
    void applyMaintainProportions();
    void keepWithinLimits();
    bool tookAboutTheStart() const;
    void placeStartWithFrame();
    void placeRestored(const elastic::Rect &bounds);
    void takeRestoreBounds();
    bool isRestoring() const;
    void watchScreen();

    void sizeChangedNow();
    void enterSizeMove(elastic::Size before);
    void cancelBurst();
    void exitSizeMove();
    void settleTimeout();

#ifdef Q_OS_WIN
    class NativeHook;
    std::unique_ptr<NativeHook> m_nativeHook;
#endif

    TElasticForm &m_owner;
    QWidget *m_form;

    elastic::Size m_screen;
    elastic::Rect m_start;
    elastic::Rect m_restoreBounds; // what a restored window takes: the start, or the user's last drag
    bool m_placing = false; // a window state the component sets itself
    QElapsedTimer m_restoring; // since the window was restored
    elastic::Rect m_restoreTarget; // the bounds it is taking
    QTimer m_restoreTimer;
    elastic::Size m_sizeBeforeDrag;
    elastic::Size m_lastSeenOuter; // at the last size change handled
    bool m_sizing = false;
    bool m_sizedDuringMove = false;
    bool m_windowSettled = false;
    bool m_maximizedSeen = false;
    bool m_userActed = false;
    int m_positionChanges = 0;

    bool m_settingBounds = false;
    bool m_platformReportsSizeMove = false;
    int m_burstSizeChanges = 0;
    QTimer m_settleTimer;
    QPointer<QScreen> m_watchedScreen;

    // Placement read back from ElFrmIniFile.
    bool m_savedMaximized = false;
    bool m_pendingBoundsValid = false;
    elastic::Rect m_pendingBounds;
    bool m_savedNormalValid = false;
    elastic::Rect m_savedNormal;
};
