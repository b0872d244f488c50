#include "xml/XmlDocumentCodec.h"

#include <algorithm>
#include <string>

#include "common/Encoding.h"
#include "common/Text.h"
#include "xml/XmlCodePages.h"
#include "xml/XmlEncodingDetect.h"
#include "xml/XmlResultLog.h"
#include "xml/XmlTranscode.h"

namespace vellomir::xml {

namespace {

void NoteDecoded(std::string& log, const Decoded& d) {
    if (d.truncated) AppendLogEntry(log, "truncation_error");
    if (d.replaced > 0) AppendLogEntry(log, "conversion_loss", std::to_string(d.replaced));
}

}  // namespace

LoadedText DecodeDocument(std::string bytes) {
    LoadedText out;
    AppendLogEntry(out.log, "read", std::to_string(bytes.size()));
    EncodingGuess guess = DetectEncoding(std::string_view(bytes).substr(0, kDetectionBytes));
    if (guess.bomLength > 0) {
        AppendLogEntry(out.log, "bom", CodePageName(guess.codePage));
        bytes.erase(0, guess.bomLength);
    }
    if (!guess.declared.empty()) AppendLogEntry(out.log, "declared", guess.declared);

    int page = guess.codePage;
    if (guess.decided && (IsUtf16(page) || IsUtf32(page))) {
        bool bigEndian = page == kCodePageUtf16Be || page == kCodePageUtf32Be;
        DecodedWide wide = IsUtf16(page) ? DecodeUtf16(bytes, bigEndian) : DecodeUtf32(bytes, bigEndian);
        if (wide.nullsRemoved > 0)
            AppendLogEntry(out.log, "nulls_removed", std::to_string(wide.nullsRemoved));
        if (bigEndian) AppendLogEntry(out.log, "endian_swap");
        NoteDecoded(out.log, wide.decoded);
        out.text = std::move(wide.decoded.text);
        out.encoding = CodePageName(page);
        AppendLogEntry(out.log, "converted_to", "UTF-8");
        return out;
    }

    // One-byte and multi-byte code pages: zero bytes carry nothing.
    if (std::size_t nulls = std::erase(bytes, '\0'); nulls > 0) {
        AppendLogEntry(out.log, "nulls_removed", std::to_string(nulls));
    }
    // Valid UTF-8 becomes the text as it is, without a copy.
    bool validUtf8 = (!guess.decided || page == kCodePageUtf8) && IsValidUtf8(bytes);
    if (!guess.decided) {
        page = validUtf8 ? kCodePageUtf8 : AnsiCodePage();
        AppendLogEntry(out.log, "utf8_detection", validUtf8 ? "UTF-8" : "ANSI");
    }
    out.encoding = CodePageName(page);
    if (page == kCodePageUtf8 && validUtf8) {
        out.text = std::move(bytes);
        AppendLogEntry(out.log, "converted_to", "UTF-8");
        return out;
    }
    std::optional<Decoded> decoded = DecodeCodePage(bytes, page);
    if (!decoded) {
        // The platform cannot convert that code page: fall back to the ANSI code page, and to
        // Latin-1 (which takes any byte) if even that fails.
        AppendLogEntry(out.log, "conversion_error", CodePageName(page));
        page = AnsiCodePage();
        decoded = DecodeCodePage(bytes, page);
        if (!decoded) {
            page = 28591;
            decoded = DecodeCodePage(bytes, page);
        }
        out.encoding = CodePageName(page);
    }
    if (!decoded) decoded = Decoded{std::move(bytes), 0, false};
    NoteDecoded(out.log, *decoded);
    out.text = std::move(decoded->text);
    AppendLogEntry(out.log, "converted_to", "UTF-8");
    return out;
}

std::optional<SavedBytes> EncodeDocument(std::string_view text) {
    SavedBytes out;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a mark given to SetText is not written
    std::string declared = DeclaredEncoding(text);
    int page = declared.empty() ? kCodePageUtf8 : CodePageFromName(declared);
    std::optional<Encoded> encoded = EncodeCodePage(text, page);
    if (!encoded) {
        AppendLogEntry(out.log, "conversion_error", declared);
        return std::nullopt;
    }
    AppendLogEntry(out.log, "converted_from", "UTF-8");
    if (encoded->lost > 0) AppendLogEntry(out.log, "conversion_loss", std::to_string(encoded->lost));
    out.bytes = std::move(encoded->bytes);
    out.encoding = CodePageName(page);
    return out;
}

}  // namespace vellomir::xml
