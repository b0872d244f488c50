#pragma once
// XmlDoc: the program's one XML document class. It keeps the whole document as one UTF-8 text plus
// an index of its elements, and walks the element tree with a cursor, level by level. Every XML file
// the program reads (catalogue, device descriptions, imported profiles and macros) or writes (exported
// profiles and macros) goes through it.
//
// Reading decides the file's encoding by itself: a byte order mark, else the XML declaration's
// `encoding` or an HTML meta charset, else UTF-8 when the bytes are valid UTF-8, else the ANSI code
// page. Saving writes the encoding the document declares (UTF-8 when none), without a byte order mark.
//
// Cursor: three element numbers (parent, current, child position), all 0 for a fresh or freshly
// parsed document, which means "at the document level, before the root element".
//
// All strings in and out are UTF-8. Failures are return values; nothing throws.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "xml/XmlIndex.h"

namespace vellomir {

class XmlDoc {
public:
    XmlDoc();

    // Reads the file, converts it to text, replaces the document with it and parses it. True when the
    // file could be read and the text is well-formed. The cursor goes back to the document level.
    bool LoadFile(const std::filesystem::path& path);
    // Replaces the document text and parses it; true when it is well-formed. A text holding only an
    // XML declaration (the usual start of a new document) returns false because it has no root yet.
    bool SetText(std::string_view text);
    // Writes the document in its declared encoding (UTF-8 when none), without a byte order mark, all
    // or nothing: a failed save leaves any earlier file untouched. True when everything was written.
    bool SaveFile(const std::filesystem::path& path);

    // Looks for the next element called `name` at the cursor's level: from the sibling after the
    // current element, or from the parent's first child when there is no current one. Forward only:
    // an element before the current one is not found. On success it becomes current and the child
    // position is cleared; on failure nothing changes.
    bool FindElement(std::string_view name);
    // Steps into the current element: it becomes the parent, the child position becomes current.
    // False (and no change) when there is no current element.
    bool EnterElement();
    // Steps out: the parent becomes current and the element that was current is remembered as the
    // child position. False (and no change) when there is no parent.
    bool LeaveElement();
    // The value of attribute `name` of the current element with references decoded; empty when there
    // is no current element or no such attribute.
    std::string GetAttribute(std::string_view name) const;

    // Adds an empty element at the cursor's level right after the current element, or after the
    // parent's last child when there is none (at the end of the document on the top level). It
    // becomes current. False when `name` is not a valid element name, or when the parent is a start
    // tag that is never ended (a damaged document has no sound place for the child).
    bool AddElement(std::string_view name);
    // Sets attribute `name` of the current element: replaces an existing value in place or appends the
    // attribute at the end of the start tag. The value is escaped. False when there is no current
    // element, `name` is not a valid attribute name, or the start tag is damaged so that the value
    // would not read back (such as "<a b=>"); the text is then unchanged.
    bool SetAttribute(std::string_view name, std::string_view value);

    // --- Inspection helpers ---
    // The whole document text (UTF-8).
    const std::string& GetText() const { return text_; }
    // The name of the current element; empty when there is none.
    std::string GetTagName() const;
    // Whether the document is well-formed: as the last LoadFile/SetText found it, kept up to date by
    // AddElement (a second top-level element makes it false).
    bool IsWellFormed() const { return wellFormed_; }
    // The encoding the last LoadFile decided on ("UTF-8", "UTF-16LE", "windows-1252", ...); empty
    // before any load.
    const std::string& GetEncoding() const { return encoding_; }
    // Diagnostic entries of loading, parsing and saving, one per line ("bom UTF-8", "lone_end_tag ...").
    const std::string& GetResultLog() const { return log_; }
    // Puts the cursor back at the document level.
    void ResetPos();

    // Files larger than this are refused by LoadFile ("file_error").
    static constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

private:
    void Parse();
    std::string_view NameOf(std::uint32_t element) const;
    bool Splice(std::size_t offset, std::size_t removed, std::string_view inserted);

    std::string text_;
    std::vector<xml::Element> index_;  // index_[0] is the document record
    bool error_ = false;               // the document's error flag
    bool wellFormed_ = false;
    std::uint32_t parent_ = 0;
    std::uint32_t current_ = 0;
    std::uint32_t child_ = 0;
    std::string encoding_;
    std::string log_;
};

}  // namespace vellomir
