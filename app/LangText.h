// The texts of the language file as the widgets show them.
#pragma once

#include <QString>

#include <initializer_list>
#include <string>

// GetLangString(key) as a QString (the language file's texts are UTF-8).
QString LangText(const std::string& key);

// FormatLangString(key, args) as a QString.
QString LangText(const std::string& key, std::initializer_list<std::string> args);
