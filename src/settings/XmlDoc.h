#pragma once
// The XML document layer: a small reference-counted document tree, a parser for
// 8-bit text and a writer that produces one fixed, indented text form, so that
// files written by this program and by older versions are interchangeable.
//
// Callers hold nodes through IXmlNode / IXmlElement / IXmlDocument (shared_ptr).
// Every failure is raised as EXmlError carrying a message.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "base/DateTime.h"

namespace quorlet {

class EXmlError : public std::runtime_error {
public:
    explicit EXmlError(const std::string& message) : std::runtime_error(message) {}
};

// DOM node type numbers.
enum TXmlNodeType {
    xntElement = 1,
    xntText = 3,
    xntCDATASection = 4,
    xntProcessingInstruction = 7,
    xntComment = 8,
    xntDocument = 9
};

class IXmlBase {
public:
    virtual ~IXmlBase() = default;
};

class IXmlElement;

class IXmlNode : public IXmlBase {
public:
    virtual TXmlNodeType NodeType() const = 0;
    virtual const std::string& NodeName() const = 0;
    // The parent element or document; null for a document or a detached node.
    virtual IXmlNode* ParentNode() const = 0;
    virtual size_t ChildCount() const = 0;
    virtual std::shared_ptr<IXmlNode> Child(size_t index) const = 0;
    // Text of text, CDATA, comment nodes and the data text of a processing instruction.
    virtual std::string NodeValue() const = 0;
};

class IXmlElement : public IXmlNode {
public:
    virtual size_t AttrCount() const = 0;
    virtual const std::string& AttrName(size_t index) const = 0;
    // The attribute's value as it would be written out.
    virtual std::string AttrText(size_t index) const = 0;
    virtual bool HasAttr(const std::string& name) const = 0;
};

class IXmlDocument : public IXmlNode {
public:
    virtual bool PreserveWhiteSpace() const = 0;
};

using XmlNodePtr = std::shared_ptr<IXmlNode>;
using XmlElementPtr = std::shared_ptr<IXmlElement>;
using XmlDocumentPtr = std::shared_ptr<IXmlDocument>;

// Documents
XmlDocumentPtr NewXmlDocument(const std::string& rootName, const std::string& version = "1.0",
                              const std::string& encoding = "");
XmlDocumentPtr LoadXmlFile(const std::string& fileName);
// Writes beside the target and replaces it atomically: on failure the old file is intact.
void SaveXmlFile(const XmlDocumentPtr& doc, const std::string& fileName);
// Parse bytes / produce the document's text (what LoadXmlFile / SaveXmlFile read and write).
XmlDocumentPtr ParseXmlText(const std::string& bytes);
// The same for bytes read from fileName: errors name the file, and so do the
// errors of reading its values later.
XmlDocumentPtr ParseXmlText(const std::string& bytes, const std::string& fileName);
std::string XmlDocumentText(const XmlDocumentPtr& doc);

// Tree navigation and editing. "node" is an element or a document.
XmlElementPtr RootElement(const XmlDocumentPtr& doc);
XmlElementPtr ChildElement(const XmlNodePtr& node, const std::string& name);
XmlElementPtr ChildByAttr(const XmlNodePtr& node, const std::string& elementName,
                          const std::string& attrName, const std::string& value);
XmlElementPtr ChildByAttr(const XmlNodePtr& node, const std::string& elementName,
                          const std::string& attrName, int32_t value);
XmlElementPtr AddChildElement(const XmlNodePtr& node, const std::string& name);
void RemoveChildNode(const XmlNodePtr& node, const XmlNodePtr& child);
void ClearChildNodes(const XmlNodePtr& node);

// Typed attributes. Reads return the default when the attribute is absent and
// raise EXmlError when its text cannot be converted.
std::string ReadStrAttr(const XmlElementPtr& element, const std::string& name,
                        const std::string& defaultValue);
void WriteStrAttr(const XmlElementPtr& element, const std::string& name, const std::string& value);
bool ReadBoolAttr(const XmlElementPtr& element, const std::string& name, bool defaultValue);
void WriteBoolAttr(const XmlElementPtr& element, const std::string& name, bool value);
int32_t ReadIntAttr(const XmlElementPtr& element, const std::string& name, int32_t defaultValue);
void WriteIntAttr(const XmlElementPtr& element, const std::string& name, int32_t value);
TDateTime ReadDateTimeAttr(const XmlElementPtr& element, const std::string& name,
                           const TDateTime& defaultValue);
void WriteDateTimeAttr(const XmlElementPtr& element, const std::string& name, const TDateTime& value);

// Validity of a name for ChildElement and the parser.
bool IsValidXmlName(const std::string& name);

}  // namespace quorlet
