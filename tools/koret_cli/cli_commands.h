#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "tools/koret_cli/cli_context.h"
#include "tools/koret_cli/pdf_maker.h"

// The command-line companion of the organizer: reads and adds planner data of a program folder
// through the same store the organizer uses. args are the words after the program's name;
// programFolder is where the executable lives (its Data and Config folders are the defaults).
// pdf makes the documents of the print command (none: it cannot print); sync runs the sync command
// (none: it cannot sync).
// Returns the exit code: 0 done, 1 the command failed, 2 the command line was wrong.
int RunKoretCli(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                std::ostream& err, const TPdfMaker& pdf = {}, const TCliCommand& sync = {});
