#include "xml/XmlDoc.h"

namespace vellomir {

XmlDoc::XmlDoc() : index_(1) {}

bool XmlDoc::LoadFile(const std::filesystem::path& path) {
    (void)path;
    return false;
}

bool XmlDoc::SetText(std::string_view text) {
    text_.assign(text);
    Parse();
    return wellFormed_;
}

bool XmlDoc::SaveFile(const std::filesystem::path& path) {
    (void)path;
    return false;
}

void XmlDoc::Parse() {
    xml::ParseResult result = xml::ParseXml(text_);
    index_ = std::move(result.elements);
    error_ = result.error;
    wellFormed_ = result.wellFormed;
    log_ += result.log;
    ResetPos();
}

void XmlDoc::ResetPos() { parent_ = current_ = child_ = 0; }

bool XmlDoc::FindElement(std::string_view name) {
    (void)name;
    return false;
}

bool XmlDoc::EnterElement() { return false; }
bool XmlDoc::LeaveElement() { return false; }
std::string XmlDoc::GetAttribute(std::string_view name) const {
    (void)name;
    return {};
}
bool XmlDoc::AddElement(std::string_view name) {
    (void)name;
    return false;
}
bool XmlDoc::SetAttribute(std::string_view name, std::string_view value) {
    (void)name;
    (void)value;
    return false;
}
std::string XmlDoc::GetTagName() const { return std::string(NameOf(current_)); }
std::string_view XmlDoc::NameOf(std::uint32_t element) const {
    if (element == 0 || element >= index_.size()) return {};
    return std::string_view(text_).substr(index_[element].start + 1, index_[element].nameLen);
}
bool XmlDoc::Splice(std::size_t offset, std::size_t removed, std::string_view inserted) {
    (void)offset;
    (void)removed;
    (void)inserted;
    return false;
}

}  // namespace vellomir
