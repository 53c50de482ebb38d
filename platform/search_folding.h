#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text as a search compares it: letter case and accents aside. ASCII letters are lowered; the
// letters of Latin-1 and Latin Extended-A become their base letters ("Müller" reads "muller",
// "Straße" "strasse", "Œuvre" "oeuvre"); every other character stays as it is.

// The folded text, appended to Out; with Origins, the byte of the text each byte of Out came from.
void AppendFolded(std::string& out, std::string_view text, std::vector<size_t>* origins = nullptr);
std::string Folded(std::string_view text);

// A line of the text around the first place it holds the folded needle (a folded query), at most
// about Width bytes, with "..." where it was cut; empty when the text does not hold the needle.
std::string SnippetAround(std::string_view text, std::string_view foldedNeedle, size_t width = 80);
