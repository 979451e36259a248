#include "grid/DrawTextFormat.h"

#include <Qt>

int DrawTextFlags(quint32 format) {
    int flags = 0;
    if (format & DT_CENTER) {
        flags |= Qt::AlignHCenter;
    } else if (format & DT_RIGHT) {
        flags |= Qt::AlignRight;
    } else {
        flags |= Qt::AlignLeft;
    }

    // Vertical placement applies to a single line only; other text starts at the top.
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) {
        flags |= Qt::AlignVCenter;
    } else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) {
        flags |= Qt::AlignBottom;
    } else {
        flags |= Qt::AlignTop;
    }

    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
    } else if (format & DT_WORDBREAK) {
        flags |= Qt::TextWordWrap;
    }
    if (format & DT_EXPANDTABS) {
        flags |= Qt::TextExpandTabs;
    }
    if (format & DT_NOCLIP) {
        flags |= Qt::TextDontClip;
    }
    return flags;
}
