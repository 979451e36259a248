// dpmtool export FILE OUT.csv and dpmtool import FILE IN.csv: the 16 channels as CSV.
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "app/LangString.h"
#include "radio/ChannelCsv.h"

#include <iostream>

namespace {

constexpr std::size_t kMaxCsvBytes = 1 << 20;

int RunExport(const SCommandLine& line) {
    const std::vector<std::string>& args = line.positionals;
    CDromelPgmDoc doc;
    LoadDpmFile(doc, args[0]);
    WriteTextFile(args[1], ExportChannelsCsv(doc));
    return kExitOk;
}

int RunImport(const SCommandLine& line) {
    const std::string& path = line.positionals[0];
    const std::string& csvPath = line.positionals[1];
    CDromelPgmDoc doc;
    LoadDpmFile(doc, path);
    const CsvImport result = ImportChannelsCsv(doc, ReadTextFile(csvPath, kMaxCsvBytes));
    if (!result.isChannelCsv) {
        throw DpmError{kExitRefused, csvPath + ": not a channel CSV file: " + result.whyNot + "; " +
                                         path + " is unchanged"};
    }
    if (result.firstLocation == 0) {
        std::cerr << "dpmtool: " << FormatLangString("IDS_DPM_CSV_FROM_ZERO", {csvPath}) << "\n";
    }
    for (const std::string& skipped : result.skipped) {
        std::cerr << "dpmtool: " << csvPath << ": " << skipped << "\n";
    }
    SaveDpmFile(doc, path);
    for (const std::string& notice : result.notices) {
        std::cerr << "dpmtool: " << csvPath << ": " << notice << "\n";
    }
    if (!result.skipped.empty()) {
        std::cerr << "dpmtool: " << csvPath << ": " << result.skipped.size() << " rows skipped; "
                  << path << " saved with the " << result.used << " usable rows\n";
        return kExitRefused;
    }
    return kExitOk;
}

const DpmCommandRegistration exportRegistration{
    {"export",
     {.positionals = "FILE OUT.csv", .minPositionals = 2, .maxPositionals = 2},
     "IDS_DPM_CMD_EXPORT",
     RunExport}};
const DpmCommandRegistration importRegistration{
    {"import",
     {.positionals = "FILE IN.csv", .minPositionals = 2, .maxPositionals = 2},
     "IDS_DPM_CMD_IMPORT",
     RunImport}};

} // namespace
