// What a PDF file holds, as poppler-utils read it: its page count and its text.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// The standard output of a command line.
inline std::string Capture(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return out;
}

// What pdfinfo says about the file (pages, page size, title...), or its complaint.
inline std::string PdfInfo(const std::string& pdf) {
    return Capture("pdfinfo '" + pdf + "' 2>&1");
}

// The number of pages pdfinfo finds, or -1 when it finds none.
inline int PdfPages(const std::string& pdf) {
    const std::string info = PdfInfo(pdf);
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// The text of the pages as pdftotext lays it out.
inline std::string PdfText(const std::string& pdf) {
    return Capture("pdftotext -layout '" + pdf + "' - 2>&1");
}
