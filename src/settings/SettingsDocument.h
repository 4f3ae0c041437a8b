#pragma once
// What both stores of the settings document accept as one.

#include <string>

#include "settings/XmlDoc.h"

namespace quorlet {

// A document without a root element is empty when it holds nothing but a
// declaration, comments or white space. Text outside any element means the
// file is not a settings document at all: EXmlError naming fileName is
// raised, and the file is never replaced.
void CheckEmptySettingsDocument(const XmlDocumentPtr& doc, const std::string& fileName);

}  // namespace quorlet
