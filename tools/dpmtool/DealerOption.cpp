#include "DealerOption.h"

#include "DpmCommand.h"

#include "radio/TestModeRules.h"

SOptionEntry DealerOption() {
    return {.name = "dealer", .valueName = "CODE", .helpKey = "IDS_DPM_OPT_DEALER"};
}

void CheckDealerCode(const std::string& code, const std::string& path) {
    if (!IsTestModeCode(code)) {
        throw DpmError{kExitRefused, path + ": the dealer access code is wrong"};
    }
}
