#include "xml/XmlAttributes.h"

#include "xml/XmlChars.h"

namespace vellomir::xml {

std::optional<AttributeSpan> FindAttribute(std::string_view tag, std::size_t elementNameLen,
                                           std::string_view name) {
    const std::size_t n = tag.size();
    std::size_t i = 1 + elementNameLen;
    while (i < n) {
        while (i < n && IsXmlSpace(tag[i]))
            ++i;
        if (i >= n || tag[i] == '>') break;
        if (tag[i] == '/' || tag[i] == '=' || tag[i] == '"' || tag[i] == '\'') {
            ++i;  // stray characters between attributes
            continue;
        }
        AttributeSpan span;
        span.nameOffset = i;
        while (i < n && !IsXmlSpace(tag[i]) && tag[i] != '=' && tag[i] != '>' && tag[i] != '/')
            ++i;
        std::string_view found = tag.substr(span.nameOffset, i - span.nameOffset);
        span.end = i;
        std::size_t j = i;
        while (j < n && IsXmlSpace(tag[j]))
            ++j;
        if (j < n && tag[j] == '=') {
            ++j;
            while (j < n && IsXmlSpace(tag[j]))
                ++j;
            span.hasValue = true;
            if (j < n && (tag[j] == '"' || tag[j] == '\'')) {
                std::size_t close = tag.find(tag[j], j + 1);
                if (close == std::string_view::npos) close = n - 1;  // cannot happen for an indexed tag
                span.valueOffset = j + 1;
                span.valueLen = close - (j + 1);
                span.end = close + 1;
            } else {
                std::size_t k = j;
                while (k < n && !IsXmlSpace(tag[k]) && tag[k] != '>')
                    ++k;
                span.valueOffset = j;
                span.valueLen = k - j;
                span.end = k;
            }
            i = span.end;
        }
        if (found == name) return span;
    }
    return std::nullopt;
}

}  // namespace vellomir::xml
