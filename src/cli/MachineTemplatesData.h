// The template tables of each family, gathered by MachineTemplates.cpp.
#pragma once

#include <string>
#include <vector>

#include "cli/MachineFacts.h"

namespace tessary::cli {

// An interface of the interface table; the registry fields are set after.
inline AdapterFacts listedAdapter(const std::string& section, unsigned index, unsigned type,
                                  const std::string& mac, const std::string& description,
                                  const std::string& address = {}, const std::string& mask = {}) {
  AdapterFacts adapter;
  adapter.section = section;
  adapter.index = index;
  adapter.type = type;
  adapter.mac = mac;
  adapter.description = description;
  adapter.address = address;
  adapter.mask = mask;
  return adapter;
}

inline AdapterFacts loopbackAdapter(unsigned index) {
  return listedAdapter("loopback", index, 24, "00-00-00-00-00-00", "MS TCP Loopback interface",
                       "127.0.0.1", "255.0.0.0");
}

void addNtTemplates(std::vector<MachineFacts>& templates);
void add9xTemplates(std::vector<MachineFacts>& templates);

}  // namespace tessary::cli
