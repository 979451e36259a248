// Where the help of a language lives. The help file of a language file is the language
// file's name with the help format's extension, beside it (lang_en.lng: lang_en.qch, or a
// lang_en.chm a dealer copied in). The same pages, as plain HTML, lie in the folder
// help/<language file title>/ beside the program, or under share/dromelpgm/ once installed,
// for a browser.
#pragma once

#include <string>

// The program's home page. Empty while the program has no public page: the link to it
// then opens the start page of the bundled help.
inline constexpr const char* kHomePage = "";

// strLangFile up to, not including, its last "." (in the file name), followed by strExtension
// (".qch", ".chm").
std::string HelpFileFor(const std::string& strLangFile, const std::string& strExtension);

// The bundled help's start page for browsers: help/<title>/index.html for the language file's
// title, else the English one, in strAppDir or, for an installed program, in
// strAppDir/../../share/dromelpgm/.
std::string HelpStartPage(const std::string& strAppDir, const std::string& strLangFile);
