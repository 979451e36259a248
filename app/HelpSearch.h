// The help window's search: every page whose text holds what was typed, as a substring, so
// that words of languages written without spaces are found as well as English ones. Pages
// whose title holds it come first, then the pages with more hits.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct SHelpPage {
    std::string title; // plain text
    std::string text;  // plain text of the page, title included
};

struct SHelpHit {
    std::size_t page = 0; // index into the pages searched
    int hits = 0;         // how often the page's text holds the query
    bool inTitle = false; // the title holds it too
};

// The text a reader sees of an HTML page: tags, comments and the content of style and
// script elements dropped, the common character references decoded, and every run of white
// space one space.
std::string HelpPlainText(const std::string& html);

// The plain text of the page's title element; empty when it has none.
std::string HelpPageTitle(const std::string& html);

// The pages holding query (white space runs as one space, ends trimmed, ASCII letters in
// either case), ranked: title hits first, then by hits, then in the pages' order. Nothing
// for an empty query.
std::vector<SHelpHit> SearchHelpPages(const std::vector<SHelpPage>& pages,
                                      const std::string& query);
