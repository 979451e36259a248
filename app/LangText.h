// The texts of the language file as the widgets show them.
#pragma once

#include <QString>

#include <string>

// GetLangString(key) as a QString (the language file's texts are UTF-8).
QString LangText(const std::string& key);
