#include "DpmFiles.h"

#include "DpmCommand.h"

#include "app/FileReasonText.h"

void LoadDpmFile(CDromelPgmDoc& doc, const std::string& path) {
    const DataFileResult result = doc.LoadFile(path);
    if (!result) {
        throw DpmError{kExitFile, path + ": cannot open the file: " + FileReasonText(result)};
    }
    // The program loads a short file silently; here a file too short to hold the signature
    // is not taken for a data file.
    if (!result.headerAccepted || result.size < kSignatureEnd) {
        throw DpmError{kExitFile, path + ": not a data file of this program (its header lacks "
                                         "the signature \".7410 Morcan Vale\")"};
    }
}

void SaveDpmFile(CDromelPgmDoc& doc, const std::string& path) {
    const DataFileResult result = doc.SaveFile(path);
    if (!result) {
        throw DpmError{kExitFile, path + ": cannot save the file: " + FileReasonText(result)};
    }
}

void WriteTextFile(const std::string& path, const std::string& text) {
    const FileResult result = WriteFileAtomically(path, text);
    if (!result) {
        throw DpmError{kExitFile, path + ": cannot write the file: " + FileReasonText(result)};
    }
}

std::string ReadTextFile(const std::string& path, std::size_t maxBytes) {
    std::string text;
    const FileResult result = ReadFileStart(path, maxBytes + 1, text);
    if (!result) {
        throw DpmError{kExitFile, path + ": cannot open the file: " + FileReasonText(result)};
    }
    if (text.size() > maxBytes) {
        throw DpmError{kExitFile, path + ": the file is too large (more than " +
                                      std::to_string(maxBytes) + " bytes)"};
    }
    return text;
}
