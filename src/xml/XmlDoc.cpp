#include "xml/XmlDoc.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>

#include "common/FileIo.h"
#include "xml/XmlAttributes.h"
#include "xml/XmlDocumentCodec.h"
#include "xml/XmlReferences.h"
#include "xml/XmlResultLog.h"

namespace vellomir {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string ErrorText(const std::error_code& ec) {
    return ec ? ec.message() : std::string(std::strerror(EIO));
}

}  // namespace

XmlDoc::XmlDoc() : index_(1) {}

bool XmlDoc::LoadFile(const std::filesystem::path& path) {
    log_.clear();
    encoding_.clear();
    text_.clear();
    index_.assign(1, xml::Element{});
    error_ = false;
    wellFormed_ = false;
    ResetPos();

    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::is_regular_file(status)) {
        if (!ec && std::filesystem::exists(status)) ec = std::make_error_code(std::errc::is_a_directory);
        if (!ec) ec = std::make_error_code(std::errc::no_such_file_or_directory);
        xml::AppendLogEntry(log_, "file_error", ErrorText(ec));
        return false;
    }
    auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxFileBytes) {
        xml::AppendLogEntry(log_, "file_error", ErrorText(std::make_error_code(std::errc::file_too_large)));
        return false;
    }
    errno = 0;
    std::optional<std::string> bytes = ReadWholeFile(path, kMaxFileBytes);
    if (!bytes) {
        int err = errno != 0 ? errno : EIO;
        xml::AppendLogEntry(log_, "file_error", ErrorText(std::error_code(err, std::generic_category())));
        return false;
    }
    xml::LoadedText loaded = xml::DecodeDocument(std::move(*bytes));
    bytes.reset();
    log_ += loaded.log;
    encoding_ = std::move(loaded.encoding);
    text_ = std::move(loaded.text);
    Parse();
    return wellFormed_;
}

bool XmlDoc::SetText(std::string_view text) {
    log_.clear();
    text_.assign(text);
    Parse();
    return wellFormed_;
}

bool XmlDoc::SaveFile(const std::filesystem::path& path) {
    std::optional<xml::SavedBytes> saved = xml::EncodeDocument(text_);
    if (!saved) {
        xml::AppendLogEntry(log_, "conversion_error", "declared encoding cannot be written");
        return false;
    }
    log_ += saved->log;
    errno = 0;
    if (!WriteFileAtomically(path, saved->bytes)) {
        int err = errno != 0 ? errno : EIO;
        xml::AppendLogEntry(log_, "file_error", ErrorText(std::error_code(err, std::generic_category())));
        return false;
    }
    return true;
}

void XmlDoc::Parse() {
    xml::ParseResult result = xml::ParseXml(text_);
    index_ = std::move(result.elements);
    error_ = result.error;
    wellFormed_ = result.wellFormed;
    log_ += result.log;
    ResetPos();
}

void XmlDoc::ResetPos() {
    parent_ = current_ = child_ = 0;
}

std::string_view XmlDoc::NameOf(std::uint32_t element) const {
    if (element == 0 || element >= index_.size()) return {};
    return std::string_view(text_).substr(index_[element].start + 1, index_[element].nameLen);
}

std::string XmlDoc::GetTagName() const {
    return std::string(NameOf(current_));
}

bool XmlDoc::FindElement(std::string_view name) {
    std::uint32_t e = current_ != 0 ? index_[current_].next : index_[parent_].firstChild;
    for (; e != 0; e = index_[e].next) {
        if (NameOf(e) == name) {
            current_ = e;
            child_ = 0;
            return true;
        }
    }
    return false;
}

bool XmlDoc::EnterElement() {
    if (current_ == 0) return false;
    parent_ = current_;
    current_ = child_;
    child_ = 0;
    return true;
}

bool XmlDoc::LeaveElement() {
    if (parent_ == 0) return false;
    child_ = current_;
    current_ = parent_;
    parent_ = index_[parent_].parent;
    return true;
}

std::string XmlDoc::GetAttribute(std::string_view name) const {
    if (current_ == 0) return {};
    const xml::Element& e = index_[current_];
    std::string_view tag = std::string_view(text_).substr(e.start, e.startTagLen);
    auto span = xml::FindAttribute(tag, e.nameLen, name);
    if (!span || !span->hasValue) return {};
    return xml::DecodeReferences(tag.substr(span->valueOffset, span->valueLen));
}

bool XmlDoc::Splice(std::size_t offset, std::size_t removed, std::string_view inserted) {
    if (text_.size() - removed + inserted.size() > xml::kMaxTextBytes) return false;
    text_.replace(offset, removed, inserted);
    const auto delta = static_cast<std::int64_t>(inserted.size()) - static_cast<std::int64_t>(removed);
    const std::size_t removedEnd = offset + removed;
    // Elements after the edit move; elements around it grow or shrink.
    for (std::size_t i = 1; i < index_.size(); ++i) {
        xml::Element& e = index_[i];
        if (e.start >= removedEnd) {
            e.start = static_cast<std::uint32_t>(e.start + delta);
        } else if (e.start < offset && std::size_t{e.start} + e.length >= removedEnd &&
                   std::size_t{e.start} + e.length > offset) {
            e.length = static_cast<std::uint32_t>(e.length + delta);
        }
    }
    index_[0].length = static_cast<std::uint32_t>(text_.size());
    return true;
}

bool XmlDoc::AddElement(std::string_view name) {
    if (!xml::IsXmlName(name)) return false;
    std::string line = "<" + std::string(name) + "/>" + std::string(kLineEnd);
    const std::uint32_t parent = parent_;
    const std::uint32_t after = current_ != 0 ? current_ : index_[parent].lastChild;

    std::size_t offset;
    bool openParent = false;  // the parent was "<p/>" and gets an end tag
    if (after != 0 && (current_ != 0 || parent != 0)) {
        // Right after the preceding element and its own line break.
        const xml::Element& prev = index_[after];
        offset = std::size_t{prev.start} + prev.length;
        if (text_.compare(offset, 2, kLineEnd) == 0) {
            offset += 2;
        } else if (text_.compare(offset, 1, "\n") == 0) {
            offset += 1;
        }
    } else if (parent == 0) {
        offset = text_.size();  // top level: at the end of the document
    } else {
        const xml::Element& p = index_[parent];
        if (p.empty) {
            openParent = true;
            offset = std::size_t{p.start} + p.startTagLen - 2;  // the "/>"
        } else if (p.endTagLen != 0) {
            offset = std::size_t{p.start} + p.length - p.endTagLen;  // before "</p>"
        } else {
            return false;  // a start tag that is never ended: nowhere sound to put a child
        }
    }
    if (index_.size() >= std::numeric_limits<std::uint32_t>::max() - 1) return false;

    xml::Element e;
    e.nameLen = static_cast<std::uint32_t>(name.size());
    e.startTagLen = static_cast<std::uint32_t>(name.size() + 3);
    e.length = e.startTagLen;
    e.empty = true;
    e.parent = parent;
    if (openParent) {
        xml::Element& p = index_[parent];
        std::string parentName(NameOf(parent));
        std::string replacement = ">" + std::string(kLineEnd) + line + "</" + parentName + ">";
        if (!Splice(offset, 2, replacement)) return false;
        p.startTagLen -= 1;
        p.endTagLen = static_cast<std::uint32_t>(parentName.size() + 3);
        p.empty = false;
        e.start = static_cast<std::uint32_t>(offset + 1 + kLineEnd.size());
    } else {
        if (!Splice(offset, 0, line)) return false;
        e.start = static_cast<std::uint32_t>(offset);
    }

    // Link it in after `after` (or as the first child when there is none).
    const auto id = static_cast<std::uint32_t>(index_.size());
    xml::Element& p = index_[parent];
    const std::uint32_t prev = (current_ != 0) ? current_ : (parent == 0 ? p.lastChild : after);
    e.prev = prev;
    e.next = prev != 0 ? index_[prev].next : p.firstChild;
    if (prev != 0) {
        index_[prev].next = id;
    } else {
        p.firstChild = id;
    }
    if (e.next != 0) {
        index_[e.next].prev = id;
    } else {
        p.lastChild = id;
    }
    index_.push_back(e);
    current_ = id;
    child_ = 0;
    const std::uint32_t root = index_[0].firstChild;
    wellFormed_ = !error_ && root != 0 && index_[root].next == 0;
    return true;
}

bool XmlDoc::SetAttribute(std::string_view name, std::string_view value) {
    if (current_ == 0 || !xml::IsXmlName(name)) return false;
    xml::Element& e = index_[current_];
    std::string_view tag = std::string_view(text_).substr(e.start, e.startTagLen);
    std::string quoted = "\"" + xml::EscapeAttributeValue(value) + "\"";
    auto span = xml::FindAttribute(tag, e.nameLen, name);
    std::size_t offset;
    std::size_t removed = 0;
    std::string inserted;
    if (span) {
        // Keep the attribute's place; rewrite everything after its name.
        offset = e.start + span->nameOffset + name.size();
        removed = span->end - (span->nameOffset + name.size());
        inserted = "=" + quoted;
    } else {
        offset = std::size_t{e.start} + e.startTagLen - (e.empty ? 2 : 1);
        inserted = " " + std::string(name) + "=" + quoted;
    }
    const std::uint32_t oldTagLen = e.startTagLen;
    const std::string old = text_.substr(offset, removed);
    if (!Splice(offset, removed, inserted)) return false;
    xml::Element& cur = index_[current_];
    cur.startTagLen = static_cast<std::uint32_t>(oldTagLen + inserted.size() - removed);
    // A damaged start tag (such as "<a b=>") can swallow what was appended; never report a value
    // as set that would not read back.
    std::string_view newTag = std::string_view(text_).substr(cur.start, cur.startTagLen);
    auto check = xml::FindAttribute(newTag, cur.nameLen, name);
    if (!check || !check->hasValue ||
        newTag.substr(check->valueOffset, check->valueLen) != quoted.substr(1, quoted.size() - 2)) {
        Splice(offset, inserted.size(), old);
        index_[current_].startTagLen = oldTagLen;
        return false;
    }
    return true;
}

}  // namespace vellomir
