#pragma once
// The input of a zdtool script command: the named file, or standard input for "-".

#include <fstream>
#include <istream>
#include <string>

// The stream to read the script from; null when the file cannot be read. `file` keeps an
// opened file for as long as the stream is used.
std::istream* OpenScriptInput(const std::string& path, std::ifstream& file);
