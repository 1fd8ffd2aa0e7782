#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

// A caption's font that gives way: `font` itself when `text` fits `room`
// (on one line, drawn with `flags`, e.g. Qt::TextShowMnemonic), otherwise the
// same face made just small enough to fit. Captions are laid out for the
// design's font sizes; a window of another shape can grow a font a little
// faster than the box around it, and an over-long word must still show whole.
QFont fittedFont(const QFont &font, const QString &text, QSizeF room, int flags = 0);

// The size `text` takes in `font` on one line, as drawn with `flags`.
QSizeF textSize(const QFont &font, const QString &text, int flags = 0);

// A margin round a caption that grows with its font: `pixels` where the font
// has `designPoints`, in proportion where it is larger, never less. A window
// that grows its fonts faster than its controls still shows the design's
// margins round a caption that gives way.
qreal grownMargin(const QFont &font, qreal pixels, qreal designPoints);
