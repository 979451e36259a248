#include "JsonValue.h"

#include "app/JsonText.h"

std::string JsonValue(const SKeyword& word) {
    switch (word.type) {
    case EKeywordType::kEmpty:
        return "null";
    case EKeywordType::kFlag:
    case EKeywordType::kNumber:
        return word.word;
    case EKeywordType::kWord:
        break;
    }
    return JsonString(word.word);
}
