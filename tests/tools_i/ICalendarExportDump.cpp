// Writes the export of a Shamsi year to stdout, for the independent parser:
// ical_export_dump <year> <DTSTAMP unix seconds> [events.tsv]
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "events/EventFile.h"
#include "tools/logic/ICalendarExport.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::stringstream bytes;
  if (argc > 3) bytes << std::ifstream(argv[3], std::ios::binary).rdbuf();
  const tavilo::EventFile events = tavilo::ParseEventFile(bytes.str());
  std::cout << tavilo::ICalendarText({std::stoi(argv[1]), 0, true, std::stoll(argv[2])},
                                     events.events);
}
