#pragma once

#include <string>

// The canonical form of a document as read by the system's XML parser, for comparing the parser
// with expected results: no XML or document type declaration, no comments; processing
// instructions as <?target data?>; every element as a start and an end tag with its attributes
// sorted by name; "&", "<", ">", '"', TAB, LF and CR in text and attribute values written as
// references; CDATA sections as ordinary text; all white space kept.
struct TVpCanonicalForm {
  bool Ok = false;
  std::string Text;   // the canonical form, when Ok
  std::string Error;  // the parser's error line, or the reason the file could not be read
};

TVpCanonicalForm CanonicalFormOfFile(const std::string& FileName);
