#include "app/LangText.h"

#include "app/LangString.h"

QString LangText(const std::string& key) {
    return QString::fromStdString(GetLangString(key));
}

QString LangText(const std::string& key, std::initializer_list<std::string> args) {
    return QString::fromStdString(FormatLangString(key, args));
}
