#include "commands/CheckReports.h"

#include <nlohmann/json.hpp>

#include "OutputText.h"

namespace designer {

std::string WhereInModule(const TPlacedFinding& finding) {
  return finding.Property.empty() ? finding.Component : finding.Component + "." + finding.Property;
}

void WriteTextReport(std::ostream& out, const std::vector<TPlacedFinding>& findings) {
  for (const TPlacedFinding& f : findings) {
    out << Escaped(f.File);
    if (f.Place.Line > 0) out << ":" << f.Place.Line << ":" << f.Place.Column;
    out << ": ";
    if (!f.Component.empty()) out << WhereInModule(f) << ": ";
    if (f.Rule->Id == std::string_view("not-checked")) out << "not checked: ";
    out << Escaped(f.Message);
    if (!f.ServerMessage.empty()) out << " -- server: " << Escaped(f.ServerMessage);
    out << " [" << f.Rule->Id << "]\n";
  }
}

void WriteJsonReport(std::ostream& out, const std::vector<TPlacedFinding>& findings) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const TPlacedFinding& f : findings) {
    list.push_back({{"file", f.File},
                    {"line", f.Place.Line},
                    {"column", f.Place.Column},
                    {"component", f.Component},
                    {"property", f.Property},
                    {"rule", f.Rule->Id},
                    {"level", f.Rule->Level},
                    {"message", f.Message},
                    {"serverMessage", f.ServerMessage}});
  }
  out << list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

}  // namespace designer
