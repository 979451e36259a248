#include "DealerOption.h"

#include "DpmCommand.h"

#include "radio/TestModeRules.h"

bool TakeDealerOption(std::vector<std::string>& args, const std::string& command,
                      std::string& code) {
    const std::string kOption = "--dealer";
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::size_t taken = 1;
        if (args[i] == kOption) {
            if (i + 1 >= args.size()) {
                ThrowUsage(command);
            }
            code = args[i + 1];
            taken = 2;
        } else if (args[i].rfind(kOption + "=", 0) == 0) {
            code = args[i].substr(kOption.size() + 1);
        } else {
            continue;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i + taken));
        return true;
    }
    return false;
}

void CheckDealerCode(const std::string& code, const std::string& path) {
    if (!IsTestModeCode(code)) {
        throw DpmError{kExitRefused, path + ": the dealer access code is wrong"};
    }
}
