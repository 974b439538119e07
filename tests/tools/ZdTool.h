#pragma once
// zdtool: a command-line harness over the libraries. Each subcommand lives in its own source
// file and registers itself with a static ZdCommandRegistrar, named after the command, since
// the files of the tool are compiled together in batches.

#include <string>
#include <vector>

struct ZdCommand {
  const char* name;
  const char* usage;  // arguments after the name, for the help text
  // Arguments after the subcommand name; returns the process exit code.
  int (*run)(const std::vector<std::string>& args);
};

struct ZdCommandRegistrar {
  explicit ZdCommandRegistrar(const ZdCommand& command);
};
