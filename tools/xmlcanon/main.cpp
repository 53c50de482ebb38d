#include <cstdio>
#include <iostream>

#include "tools/xmlcanon/canonical_form.h"

// xmlcanon FILE: writes the canonical form of the document to standard output; on a malformed
// document writes the parser's error to standard error and exits with 1.
int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: xmlcanon FILE\n";
    return 2;
  }
  const TVpCanonicalForm form = CanonicalFormOfFile(argv[1]);
  if (!form.Ok) {
    std::cerr << form.Error << '\n';
    return 1;
  }
  std::fwrite(form.Text.data(), 1, form.Text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
