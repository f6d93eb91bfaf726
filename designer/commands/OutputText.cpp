#include "OutputText.h"

#include "dralvo/Secrets.h"
#include "rtl/text/Escaping.h"

namespace designer {

std::string Escaped(std::string_view text) { return rtl::EscapeText(text, rtl::TEscapeMode::Item); }

std::string ForTerminal(std::string_view message) { return rtl::EscapeText(message, rtl::TEscapeMode::Message); }

std::string Shown(std::string_view value) { return Escaped(dralvo::MaskPasswords(value)); }

}  // namespace designer
