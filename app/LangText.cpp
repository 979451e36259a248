#include "app/LangText.h"

#include "app/LangString.h"

QString LangText(const std::string& key) {
    return QString::fromStdString(GetLangString(key));
}
