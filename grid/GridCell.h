// One cell of the grid, and the record that reads or writes several cell fields at once.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// Cell state bits.
constexpr quint32 CS_FOCUSED = 0x01;  // the focus cell (one cell or none)
constexpr quint32 CS_SELECTED = 0x02; // part of the selection
constexpr quint32 CS_MARKED = 0x04;   // drawn with a black frame
constexpr quint32 CS_READONLY = 0x08; // the grid does not ask its owner to edit the cell

// Mask bits of GridItem: which fields of the record are valid.
constexpr quint32 GVIF_TEXT = 0x01;
constexpr quint32 GVIF_IMAGE = 0x02;
constexpr quint32 GVIF_PARAM = 0x04;
constexpr quint32 GVIF_STATE = 0x08;
constexpr quint32 GVIF_BKCLR = 0x10;
constexpr quint32 GVIF_FGCLR = 0x20;
constexpr quint32 GVIF_FORMAT = 0x40;
constexpr quint32 GVIF_FONT = 0x80;
constexpr quint32 GVIF_ALL = 0xFF;

// A colour left invalid (QColor()) means "use the grid's colour".
struct GridCell {
    quint32 state = 0;
    quint32 format = 0; // text-drawing flags, see DrawTextFormat.h
    QString text;
    int image = -1; // index into the grid's image list, -1 = none
    QColor bkColour;
    QColor fgColour;
    quint32 param = 0;
    QFont font;
};

struct GridItem {
    int row = 0;
    int col = 0;
    quint32 mask = 0;
    quint32 state = 0;
    quint32 format = 0;
    QString text;
    int image = -1;
    QColor bkColour;
    QColor fgColour;
    quint32 param = 0;
    QFont font;
};
