#include "settings/SettingsDocument.h"

namespace quorlet {

void CheckEmptySettingsDocument(const XmlDocumentPtr& doc, const std::string& fileName) {
    for (size_t i = 0; i < doc->ChildCount(); ++i) {
        const TXmlNodeType type = doc->Child(i)->NodeType();
        if (type != xntProcessingInstruction && type != xntComment)
            throw EXmlError("File \"" + fileName + "\" is not a settings document");
    }
}

}  // namespace quorlet
