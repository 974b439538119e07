#pragma once
// zdtool download PORTNAME OUTDIR --type T [--binary] [--baud B]: the stored objects of
// another instrument than the ZD-2, one data-file text per object.

#include <string>
#include <vector>

int RunInstrumentDownload(const std::vector<std::string>& args);
