// dpmtool export FILE OUT.csv and dpmtool import FILE IN.csv: the 16 channels as CSV.
#include "DpmCommand.h"
#include "DpmFiles.h"
#include "radio/ChannelCsv.h"

#include <iostream>

namespace {

constexpr std::size_t kMaxCsvBytes = 1 << 20;

int RunExport(const std::vector<std::string>& args) {
    if (args.size() != 2 || args[0].empty() || args[1].empty()) {
        ThrowUsage("export");
    }
    CDromelPgmDoc doc;
    LoadDpmFile(doc, args[0]);
    WriteTextFile(args[1], ExportChannelsCsv(doc));
    return kExitOk;
}

int RunImport(const std::vector<std::string>& args) {
    if (args.size() != 2 || args[0].empty() || args[1].empty()) {
        ThrowUsage("import");
    }
    const std::string& path = args[0];
    const std::string& csvPath = args[1];
    CDromelPgmDoc doc;
    LoadDpmFile(doc, path);
    const CsvImport result = ImportChannelsCsv(doc, ReadTextFile(csvPath, kMaxCsvBytes));
    if (!result.isChannelCsv) {
        throw DpmError{kExitRefused, csvPath + ": not a channel CSV file: " + result.whyNot + "; " +
                                         path + " is unchanged"};
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
    {"export", "FILE OUT.csv", "write the channels as CSV (one row per channel in use)",
     RunExport}};
const DpmCommandRegistration importRegistration{
    {"import", "FILE IN.csv",
     "read channels from CSV through the channel grid's rules; rows that cannot be used are "
     "named with their line numbers (exit status 2), the others are saved",
     RunImport}};

} // namespace
