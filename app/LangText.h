// The language file's text under a key, as the widgets show it.
#pragma once

#include "app/LangString.h"

#include <QString>

#include <string>

inline QString LangText(const std::string& key) {
    return QString::fromStdString(GetLangString(key));
}
