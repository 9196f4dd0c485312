// The text of a Windows Firewall rule ("v2.10|Action=Allow|App=C:\x\y.exe|Name=...|"):
// which program it lets through.
#pragma once
#include <string>
#include <vector>

namespace core {

// The pieces of the rule: split at "|" and at line breaks, except where the "|" stands
// between single or double quotes; empty pieces are dropped.
std::vector<std::string> SplitFirewallRule(const std::string& rule);

// The lower-cased program of the rule, the first piece that begins with "app=" without
// those four characters; empty without one. Letter case of ASCII letters only.
std::string FirewallRuleApp(const std::string& rule);

// The program as a path: every single and double quote removed.
std::string WithoutQuotes(const std::string& text);

}  // namespace core
