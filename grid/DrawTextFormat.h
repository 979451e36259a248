// The text-drawing flags stored in each cell's format, and their meaning for QPainter.
#pragma once

#include <QtGlobal>

constexpr quint32 DT_LEFT = 0x00;
constexpr quint32 DT_CENTER = 0x01;
constexpr quint32 DT_RIGHT = 0x02;
constexpr quint32 DT_VCENTER = 0x04; // only with DT_SINGLELINE
constexpr quint32 DT_BOTTOM = 0x08;  // only with DT_SINGLELINE
constexpr quint32 DT_WORDBREAK = 0x10;
constexpr quint32 DT_SINGLELINE = 0x20;
constexpr quint32 DT_EXPANDTABS = 0x40;
constexpr quint32 DT_NOCLIP = 0x100;

// The flags argument of QPainter::drawText for a cell format.
int DrawTextFlags(quint32 format);
