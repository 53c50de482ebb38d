#pragma once

#include "model/enumerations.h"
#include "platform/geometry.h"

// The quarter-turn rotation of a printed picture and the arithmetic that turns it into its
// viewport. A caller lays out its picture in the logical frame (the viewport itself, or the
// viewport with width and height exchanged for a quarter turn either way) and every point and
// rectangle is mapped into the viewport on the target canvas.
//
// Points map as lattice points: the logical frame's corners land exactly on the viewport's
// corners, so a rectangle covering the whole frame covers the whole viewport.

// The viewport with Left/Right and Top/Bottom exchanged where they are reversed.
TRect NormalizedRect(const TRect& r);

// The device point for a logical point.
TPoint RotatePoint(TVpRotationAngle angle, const TRect& viewport, TPoint point);
// Both corners mapped; the result is normalised.
TRect RotateRect(TVpRotationAngle angle, const TRect& viewport, const TRect& rect);

// The logical frame of the (normalised) viewport.
TRect RotatedViewport(TVpRotationAngle angle, const TRect& viewport);
int RotatedViewportWidth(TVpRotationAngle angle, const TRect& viewport);
int RotatedViewportHeight(TVpRotationAngle angle, const TRect& viewport);
int RotatedViewportLeft(TVpRotationAngle angle, const TRect& viewport);
int RotatedViewportTop(TVpRotationAngle angle, const TRect& viewport);
int RotatedViewportRight(TVpRotationAngle angle, const TRect& viewport);
int RotatedViewportBottom(TVpRotationAngle angle, const TRect& viewport);
