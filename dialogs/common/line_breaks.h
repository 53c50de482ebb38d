#pragma once

#include <string>

// Multi-line texts of records as a text field edits them: the field shows line feeds only, and a
// text goes back to the record with the line breaks the record had.

// Each CR LF or lone CR becomes LF.
std::string WithLineFeeds(const std::string& text);

// What to store after editing: the stored text itself when the field still shows what it was
// given, else the edited text, with CR LF line breaks when the stored text had them.
std::string TextToStore(const std::string& stored, const std::string& shown, const std::string& edited);
