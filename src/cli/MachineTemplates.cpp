#include "cli/MachineTemplatesData.h"

namespace tessary::cli {

namespace {

const std::vector<MachineFacts>& allTemplates() {
  static const std::vector<MachineFacts> templates = [] {
    std::vector<MachineFacts> list;
    addNtTemplates(list);
    add9xTemplates(list);
    return list;
  }();
  return templates;
}

}  // namespace

const MachineFacts* findMachineTemplate(const std::string& os) {
  for (const MachineFacts& facts : allTemplates())
    if (facts.os == os) return &facts;
  return nullptr;
}

const std::vector<std::string>& machineTemplateNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (const MachineFacts& facts : allTemplates()) list.push_back(facts.os);
    return list;
  }();
  return names;
}

}  // namespace tessary::cli
