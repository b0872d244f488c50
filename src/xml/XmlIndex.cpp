#include "xml/XmlIndex.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "common/Text.h"
#include "xml/XmlChars.h"

namespace vellomir::xml {

namespace {

constexpr std::size_t kStop = std::string_view::npos;

// One pass over the text. Elements that are open are kept on a stack; an end tag closes the open
// element of its name, and every element opened after it is closed as "unended".
class Parser {
public:
    explicit Parser(std::string_view text) : t_(text), n_(text.size()) {}

    ParseResult Run() {
        // A first page sized by the text (an element takes a few dozen bytes), at most 65,536 records;
        // beyond that the index grows geometrically.
        r_.elements.reserve(std::min<std::size_t>(n_ / 32 + 16, 65536));
        r_.elements.emplace_back();
        if (n_ > kMaxTextBytes) {
            Error("document_too_large", 0);
            Finish(false);
            return std::move(r_);
        }
        repairBudget_ = 4 * n_ + 4096;
        std::size_t pos = 0;
        while (pos < n_) {
            const void* hit = std::memchr(t_.data() + pos, '<', n_ - pos);
            if (hit == nullptr) break;
            std::size_t p = static_cast<const char*>(hit) - t_.data();
            if (p + 1 >= n_) {
                Error("unterminated_tag_syntax", p);
                break;
            }
            char c = t_[p + 1];
            if (c == '/') {
                pos = EndTag(p);
            } else if (IsXmlNameStart(c)) {
                pos = StartTag(p);
            } else if (c == '?') {
                pos = Until(p, p + 2, "?>", "unterminated_tag_syntax");
            } else if (c == '!') {
                pos = Exclamation(p);
            } else {
                Error("first_tag_syntax", p);  // '<' that starts no markup
                pos = p + 1;
            }
            if (pos == kStop) break;
            if (errors_ >= kMaxErrors) {
                Error("too_many_errors", p);
                break;
            }
        }
        Finish(true);
        return std::move(r_);
    }

private:
    void Error(std::string_view entry, std::size_t offset) {
        r_.error = true;
        ++errors_;
        r_.log.append(entry);
        r_.log.append(" at ");
        r_.log.append(std::to_string(offset));
        r_.log.push_back('\n');
    }

    std::string_view NameOf(std::uint32_t id) const {
        const Element& e = r_.elements[id];
        return t_.substr(e.start + 1, e.nameLen);
    }

    // Skips to the end of `terminator`, searching from `from`; a missing terminator ends the parse.
    std::size_t Until(std::size_t p, std::size_t from, std::string_view terminator, std::string_view error) {
        std::size_t end = t_.find(terminator, from);
        if (end == kStop) {
            Error(error, p);
            return kStop;
        }
        return end + terminator.size();
    }

    std::size_t Exclamation(std::size_t p) {
        std::string_view rest = t_.substr(p);
        if (rest.starts_with("<!--")) return Until(p, p + 4, "-->", "comment_tag_syntax");
        if (rest.starts_with("<![CDATA[")) return Until(p, p + 9, "]]>", "cdata_section_syntax");
        if (rest.starts_with("<!DOCTYPE")) return Doctype(p);
        return Until(p, p + 2, ">", "exclamation_tag_syntax");
    }

    // The document type declaration, with an internal subset in brackets that may hold quoted
    // texts, comments and declarations of its own.
    std::size_t Doctype(std::size_t p) {
        int depth = 0;
        for (std::size_t i = p + 9; i < n_; ++i) {
            char c = t_[i];
            if (c == '"' || c == '\'') {
                std::size_t close = t_.find(c, i + 1);
                if (close == kStop) break;
                i = close;
            } else if (c == '<' && t_.substr(i).starts_with("<!--")) {
                std::size_t close = t_.find("-->", i + 4);
                if (close == kStop) break;
                i = close + 2;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                if (depth > 0) --depth;
            } else if (c == '>' && depth == 0) {
                return i + 1;
            }
        }
        Error("doctype_tag_syntax", p);
        return kStop;
    }

    std::size_t StartTag(std::size_t p) {
        std::size_t i = p + 1;
        while (i < n_ && !IsXmlSpace(t_[i]) && t_[i] != '>' && t_[i] != '/' && t_[i] != '<')
            ++i;
        std::size_t nameLen = i - (p + 1);
        // Find the tag's '>', stepping over quoted attribute values (which may hold '>').
        for (; i < n_; ++i) {
            char c = t_[i];
            if (c == '>' || c == '<') break;
            if (c == '=') {
                std::size_t j = i + 1;
                while (j < n_ && IsXmlSpace(t_[j]))
                    ++j;
                if (j < n_ && (t_[j] == '"' || t_[j] == '\'')) {
                    std::size_t close = t_.find(t_[j], j + 1);
                    if (close == kStop) {
                        i = n_;
                        break;
                    }
                    i = close;
                }
            }
        }
        if (i >= n_) {
            Error("unterminated_tag_syntax", p);
            return kStop;
        }
        if (t_[i] == '<') {  // "<a <b>": the broken tag is skipped
            Error("unterminated_tag_syntax", p);
            return i;
        }
        if (r_.elements.size() > kMaxElements) {
            Error("too_many_elements", p);
            return kStop;
        }
        bool empty = t_[i - 1] == '/' && i - 1 > p + nameLen;
        if (!empty && open_.size() >= kMaxDepth) {
            Error("depth_limit", p);
            return kStop;
        }
        auto id = static_cast<std::uint32_t>(r_.elements.size());
        Element e;
        e.start = static_cast<std::uint32_t>(p);
        e.startTagLen = static_cast<std::uint32_t>(i + 1 - p);
        e.nameLen = static_cast<std::uint32_t>(nameLen);
        e.parent = open_.empty() ? 0 : open_.back();
        Element& parent = r_.elements[e.parent];
        if (parent.lastChild != 0) {
            r_.elements[parent.lastChild].next = id;
            e.prev = parent.lastChild;
        } else {
            parent.firstChild = id;
        }
        parent.lastChild = id;
        if (empty) {
            e.length = e.startTagLen;
            e.empty = true;
        } else {
            open_.push_back(id);
        }
        r_.elements.push_back(e);
        return i + 1;
    }

    std::size_t EndTag(std::size_t p) {
        std::size_t i = p + 2;
        while (i < n_ && !IsXmlSpace(t_[i]) && t_[i] != '>' && t_[i] != '<')
            ++i;
        std::string_view name = t_.substr(p + 2, i - (p + 2));
        while (i < n_ && t_[i] != '>' && t_[i] != '<')
            ++i;
        if (i >= n_ || t_[i] == '<') {
            Error("unterminated_tag_syntax", p);
            return i >= n_ ? kStop : i;
        }
        std::size_t end = i + 1;
        if (!open_.empty() && NameOf(open_.back()) == name) {
            Close(open_.back(), p, end);
            open_.pop_back();
            return end;
        }
        std::size_t k = open_.size();
        while (k > 0 && NameOf(open_[k - 1]) != name)
            --k;
        if (k == 0) {
            Error("lone_end_tag", p);
            return end;
        }
        while (open_.size() > k) {
            if (!CloseUnended()) return kStop;
        }
        Close(open_.back(), p, end);
        open_.pop_back();
        return end;
    }

    void Close(std::uint32_t id, std::size_t endTagStart, std::size_t end) {
        Element& e = r_.elements[id];
        e.length = static_cast<std::uint32_t>(end - e.start);
        e.endTagLen = static_cast<std::uint32_t>(end - endTagStart);
    }

    // Closes the innermost open element as one without end tag: it keeps only its start tag and
    // its children move up to follow it as its siblings.
    bool CloseUnended() {
        std::uint32_t id = open_.back();
        open_.pop_back();
        Error("unended_start_tag", r_.elements[id].start);
        Element& e = r_.elements[id];
        e.length = e.startTagLen;
        e.endTagLen = 0;
        if (e.firstChild == 0) return true;
        for (std::uint32_t c = e.firstChild; c != 0; c = r_.elements[c].next) {
            if (repairBudget_ == 0) return false;
            --repairBudget_;
            r_.elements[c].parent = e.parent;
        }
        r_.elements[e.firstChild].prev = id;
        e.next = e.firstChild;
        r_.elements[e.parent].lastChild = e.lastChild;
        e.firstChild = e.lastChild = 0;
        return true;
    }

    // Closes what is still open and decides well-formedness.
    void Finish(bool repair) {
        while (!open_.empty() && repair) {
            if (!CloseUnended()) {
                Error("too_many_errors", n_);
                break;
            }
        }
        // Past the repair budget the rest simply runs to the end of the text.
        for (std::uint32_t id : open_) {
            Element& e = r_.elements[id];
            e.length = static_cast<std::uint32_t>(n_ - e.start);
            e.endTagLen = 0;
        }
        open_.clear();
        Element& doc = r_.elements[0];
        doc.length =
            static_cast<std::uint32_t>(std::min<std::size_t>(n_, std::numeric_limits<std::uint32_t>::max()));
        if (doc.firstChild == 0) {
            r_.log.append("no_root_element\n");
        } else if (r_.elements[doc.firstChild].next != 0) {
            r_.log.append("root_has_sibling\n");
        } else {
            r_.wellFormed = !r_.error;
        }
    }

    std::string_view t_;
    std::size_t n_;
    ParseResult r_;
    std::vector<std::uint32_t> open_;
    std::size_t errors_ = 0;
    std::size_t repairBudget_ = 0;
};

}  // namespace

ParseResult ParseXml(std::string_view text) {
    return Parser(text).Run();
}

bool IsXmlName(std::string_view name) {
    if (name.empty() || !IsXmlNameStart(name.front())) return false;
    for (char c : name) {
        if (IsXmlSpace(c) || c == '<' || c == '>' || c == '/' || c == '=' || c == '"' || c == '\'' ||
            c == '&' || c == '?' || c == '!' || static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
    }
    return IsValidUtf8(name);
}

}  // namespace vellomir::xml
